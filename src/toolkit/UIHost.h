#pragma once

// The services a host gives the toolkit core: a clock, waking the UI thread, native windows,
// picture loading, text measuring, screens and the tray. The Qt host and the headless host
// implement this; the core never includes a window system's header.

#include "toolkit/Painter.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class CWindowWnd;

// The window-system side of one toolkit window.
class INativeWindow {
public:
    virtual ~INativeWindow() = default;
    virtual void SetTitle(const std::string& title) = 0;
    virtual void SetIconFile(const std::string& path) = 0;
    // Outer rectangle in screen pixels; the client area is the same size (frameless windows).
    virtual RECT GetRect() const = 0;
    virtual void SetRect(const RECT& rc) = 0;
    virtual void Show(bool show, bool activate) = 0;
    virtual bool IsVisible() const = 0;
    virtual bool IsMinimized() const = 0;
    virtual void Minimize() = 0;
    virtual void Maximize() = 0;
    virtual void Restore() = 0;
    virtual void SetTopmost(bool topmost) = 0;
    virtual void Invalidate(const RECT& rc) = 0;
    virtual void SetCapture(bool capture) = 0;
    virtual void SetCursorShape(int systemCursorId) = 0;
    // Starts a window move by the system (a drag on the caption area).
    virtual void BeginSystemMove() = 0;
    // A modal window blocks input to the program's other windows while it is shown.
    virtual void SetModal(bool modal) = 0;
    // The tool tip shown while the mouse rests over the window ("" for none).
    virtual void SetToolTip(const std::string& text) = 0;
};

// One file dialog request: a filter of a description and a pattern ("*.json;").
struct FileDialogRequest {
    bool save = false;
    HWND owner = nullptr;
    std::string filterDescription;
    std::string filterPattern;
};

class ITrayIconImpl {
public:
    virtual ~ITrayIconImpl() = default;
    virtual void SetIconFile(const std::string& path) = 0;
    virtual void SetToolTip(const std::string& text) = 0;
    virtual void SetVisible(bool visible) = 0;
};

class IUIHost {
public:
    virtual ~IUIHost() = default;
    // Milliseconds of the host's clock (monotonic; virtual in the headless host).
    virtual uint64_t NowMs() = 0;
    // Thread-safe: the queue has work or the next timer moved; the UI thread should look.
    virtual void WakeUp() = 0;
    // Runs the loop until keepRunning answers false (the quit message or a modal window closed).
    virtual void RunLoop(const std::function<bool()>& keepRunning) = 0;
    // window: the toolkit window; style and exStyle are WS_* and WS_EX_* bits.
    virtual std::unique_ptr<INativeWindow> CreateNativeWindow(CWindowWnd& window, HWND parent, DWORD style,
                                                              DWORD exStyle, const RECT& rc) = 0;
    // Decodes a PNG, SVG (or other picture) file; false when it cannot be read.
    virtual bool LoadImage(const std::string& path, TImageInfo& image) = 0;
    virtual SIZE MeasureText(const std::string& text, const TFontInfo& font, int pixelSize) = 0;
    // The full rectangle of the monitor nearest rc.
    virtual RECT MonitorRect(const RECT& rc) = 0;
    virtual POINT CursorPos() = 0;
    // A point in the display's device pixels (as the window system's input records report
    // it) in the screen coordinates of window rectangles; the same where nothing scales.
    virtual POINT ScreenPointFromDevicePixels(POINT devicePoint) { return devicePoint; }
    // Adds a private font for this process; false when the file is not a usable font.
    virtual bool AddFontFile(const std::string& path) = 0;
    // Text asking for face is drawn with the first of families that has the glyph; hosts that
    // draw no text ignore this.
    virtual void SubstituteFontFace(const std::string& /*face*/, const std::vector<std::string>& /*families*/) {}
    // onMouse receives WM_LBUTTONUP, WM_RBUTTONUP or WM_LBUTTONDBLCLK.
    virtual std::unique_ptr<ITrayIconImpl> CreateTrayIcon(std::function<void(UINT mouseMessage)> onMouse) = 0;
    // Asks the user for a file; true with the chosen path, false when cancelled.
    virtual bool RunFileDialog(const FileDialogRequest& request, std::string& path) = 0;
};

// The host in use; null before one is installed.
IUIHost* UIHost();
// Installed by a host's constructor, removed (null) by its destructor.
void SetUIHost(IUIHost* host);

// System queries for product code, answered by the host (empty answers without one).
// The full rectangle of the monitor nearest the window.
RECT MonitorRectOf(HWND hwnd);
POINT CursorPosition();
// A point in device pixels in the screen coordinates of window rectangles.
POINT ScreenPointFromDevicePixels(POINT devicePoint);
// Adds a private font file for the process; false when missing or rejected.
bool AddPrivateFontFile(const std::string& path);
// The system's file dialogs: true and path set when the user confirms, false (path untouched)
// when cancelled or when the chosen path is empty.
bool OpenFileDialog(const std::string& filterDescription, const std::string& filterPattern, HWND owner,
                    std::string& path);
bool SaveFileDialog(const std::string& filterDescription, const std::string& filterPattern, HWND owner,
                    std::string& path);
// Draws text asking for face with the first of families that has the glyph.
void SubstituteFontFace(const std::string& face, const std::vector<std::string>& families);
