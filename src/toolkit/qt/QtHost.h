#pragma once

// The host on Qt 6: one native window per toolkit window, painting through QPainter,
// input, timers and the toolkit's message queue served from Qt's event loop, the tray icon,
// screens and private fonts.
//
//   CQtHost host(argc, argv);       // creates the QApplication when there is none
//   window->Create(...); window->ShowWindow();
//   CPaintManagerUI::MessageLoop(); // until PostQuitMessage

#include "toolkit/UIHost.h"

#include <QElapsedTimer>

#include <atomic>
#include <memory>

class QApplication;
class QImage;
class QObject;
class QTimer;

class CQtHost : public IUIHost {
public:
    CQtHost(int& argc, char** argv);
    ~CQtHost() override;
    CQtHost(const CQtHost&) = delete;
    CQtHost& operator=(const CQtHost&) = delete;

    // Paints a window's client area into an image of its size (offscreen checks, benchmarks).
    static QImage RenderToImage(CWindowWnd& window);

    uint64_t NowMs() override;
    void WakeUp() override;
    void RunLoop(const std::function<bool()>& keepRunning) override;
    std::unique_ptr<INativeWindow> CreateNativeWindow(CWindowWnd& window, HWND parent, DWORD style, DWORD exStyle,
                                                      const RECT& rc) override;
    bool LoadImage(const std::string& path, TImageInfo& image) override;
    SIZE MeasureText(const std::string& text, const TFontInfo& font, int pixelSize) override;
    RECT MonitorRect(const RECT& rc) override;
    POINT CursorPos() override;
    POINT ScreenPointFromDevicePixels(POINT devicePoint) override;
    bool AddFontFile(const std::string& path) override;
    void SubstituteFontFace(const std::string& face, const std::vector<std::string>& families) override;
    std::unique_ptr<ITrayIconImpl> CreateTrayIcon(std::function<void(UINT mouseMessage)> onMouse) override;
    bool RunFileDialog(const FileDialogRequest& request, std::string& path) override;

private:
    // Runs the queue and the due timers, then arms the Qt timer for the next one.
    void Serve();

    std::unique_ptr<QApplication> m_ownApp;
    std::unique_ptr<QObject> m_dispatcher;
    std::unique_ptr<QTimer> m_timer;
    QElapsedTimer m_clock;
    std::atomic<bool> m_wakePosted{false};
};
