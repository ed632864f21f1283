#pragma once

// The host for tests: no display, a virtual clock the test advances, windows that only keep
// their geometry and visibility, and synthetic input that enters through the same window
// messages as real input.
//
//   CHeadlessHost host;            // installs itself; the calling thread is the UI thread
//   window.Create(...);
//   host.RunPending();             // layout, "windowinit", posted messages
//   host.Advance(5000);            // fires every timer due in the next 5 s, in order

#include "toolkit/UIHost.h"

#include <condition_variable>
#include <functional>
#include <mutex>
#include <vector>

class CHeadlessHost : public IUIHost {
public:
    CHeadlessHost();
    ~CHeadlessHost() override;

    // Handles everything queued, including what the handlers queue; returns how many ran.
    int RunPending();
    // Moves the clock forward, firing due timers in time order and handling what they queue.
    void Advance(uint64_t ms);
    // Handles queued work (waiting for other threads' messages) until done() or realMs passed.
    bool RunUntil(const std::function<bool()>& done, int realMs = 2000);
    void SetMonitorRect(const RECT& rc) { m_monitor = rc; }
    void SetCursorPos(POINT pt) { m_cursor = pt; }
    // Reports a mouse action on the most recent tray icon.
    void ClickTray(UINT mouseMessage);
    int OpenWindowCount() const { return m_openWindows; }

    uint64_t NowMs() override { return m_now; }
    void WakeUp() override;
    void RunLoop(const std::function<bool()>& keepRunning) override;
    std::unique_ptr<INativeWindow> CreateNativeWindow(CWindowWnd& window, HWND parent, DWORD style, DWORD exStyle,
                                                      const RECT& rc) override;
    bool LoadImage(const std::string& path, TImageInfo& image) override;
    SIZE MeasureText(const std::string& text, const TFontInfo& font, int pixelSize) override;
    RECT MonitorRect(const RECT& rc) override;
    POINT CursorPos() override { return m_cursor; }
    bool AddFontFile(const std::string& path) override;
    std::unique_ptr<ITrayIconImpl> CreateTrayIcon(std::function<void(UINT mouseMessage)> onMouse) override;

    bool RunFileDialog(const FileDialogRequest& request, std::string& path) override;
    // What the next file dialog answers: a path, or "" for a cancelled dialog; the request is kept.
    void SetFileDialogAnswer(std::string path) { m_fileAnswer = std::move(path); }
    const FileDialogRequest& LastFileDialog() const { return m_lastFileDialog; }

    // Longest stretch of virtual time RunLoop lets pass before it gives up (a modal window
    // nobody closes); ten minutes by default.
    void SetLoopHorizon(uint64_t ms) { m_horizon = ms; }

private:
    friend class CHeadlessWindow;
    friend class CHeadlessTrayIcon;

    uint64_t m_now = 1000;
    uint64_t m_horizon = 600000;
    RECT m_monitor{0, 0, 1920, 1080};
    POINT m_cursor;
    int m_openWindows = 0;
    std::function<void(UINT)> m_trayMouse;
    std::string m_fileAnswer;
    FileDialogRequest m_lastFileDialog;
    std::mutex m_wakeLock;
    std::condition_variable m_woken;
    bool m_wakePending = false;
};
