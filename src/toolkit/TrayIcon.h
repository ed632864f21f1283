#pragma once

#include "toolkit/DuiString.h"
#include "toolkit/UIDefs.h"

#include <memory>

class ITrayIconImpl;

// The program's icon in the system tray. Mouse actions on it reach the window as the given
// message (UIMSG_TRAYICON by default) with wParam the icon id and lParam the mouse message
// (WM_LBUTTONUP, WM_RBUTTONUP, WM_LBUTTONDBLCLK).
class CTrayIcon {
public:
    CTrayIcon();
    ~CTrayIcon();

    // iconId names the picture in res.xml (<Icon id=... path=.../>).
    void CreateTrayIcon(HWND hWnd, UINT iconId, const CDuiString& toolTip, UINT message = UIMSG_TRAYICON);
    void DeleteTrayIcon();
    bool SetTooltipText(const CDuiString& text);
    void SetShowIcon();
    void SetHideIcon();
    bool IsVisible() const { return m_bVisible; }
    bool IsCreated() const { return m_impl != nullptr; }
    // What a host reports for a mouse action on the icon; posts the tray message.
    void OnMouse(UINT mouseMessage);

private:
    std::unique_ptr<ITrayIconImpl> m_impl;
    HWND m_hWnd = nullptr;
    UINT m_uIconId = 0;
    UINT m_uMessage = UIMSG_TRAYICON;
    bool m_bVisible = false;
};
