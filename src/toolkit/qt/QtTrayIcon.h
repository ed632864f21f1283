#pragma once

#include "toolkit/UIHost.h"

#include <memory>

class QSystemTrayIcon;

// The tray icon through QSystemTrayIcon: a click is WM_LBUTTONUP, the context request
// WM_RBUTTONUP, a double click WM_LBUTTONDBLCLK.
class CQtTrayIcon : public ITrayIconImpl {
public:
    explicit CQtTrayIcon(std::function<void(UINT)> onMouse);
    ~CQtTrayIcon() override;
    void SetIconFile(const std::string& path) override;
    void SetToolTip(const std::string& text) override;
    void SetVisible(bool visible) override;

private:
    std::unique_ptr<QSystemTrayIcon> m_icon;
};
