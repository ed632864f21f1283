#pragma once

#include "toolkit/WindowImplBase.h"

class CMenuUI;

// The record a menu click hands to the menu's owner window with WM_MENUCLICK (wParam points
// to it; valid while the message is handled).
struct MenuCmd {
    CDuiString szName;
    CDuiString szUserData;
    CDuiString szText;
    bool bChecked = false;
};

// Where the menu sits relative to its point: Left puts its left edge at the point, Right its
// right edge, Top its top edge, Bottom its bottom edge (6 = left|top, 12 = top|right,
// 18 = left|bottom, 24 = right|bottom).
enum MenuAlignment : DWORD {
    eMenuAlignment_Left = 1 << 1,
    eMenuAlignment_Top = 1 << 2,
    eMenuAlignment_Right = 1 << 3,
    eMenuAlignment_Bottom = 1 << 4,
};

// A popup menu built from a skin file whose root is <Menu>. Only one menu is open at a time:
// opening one closes the other. A click closes the menu first and then sends the item's
// MenuCmd to the owner window, so the owner may open another menu in its handler.
class CMenuWnd : public WindowImplBase {
public:
    // Opens the menu at point (screen pixels) for the window of mainManager. Null on failure.
    static CMenuWnd* CreateMenu(void* ownerElement, const CDuiString& xml, POINT point, CPaintManagerUI* mainManager,
                                void* checkInfo = nullptr, DWORD alignment = eMenuAlignment_Left | eMenuAlignment_Top);
    // Closes the open menu, if any, without a command.
    static void CloseAllMenus();
    // The open menu or null.
    static CMenuWnd* GetOpenMenu();

    DWORD GetAlignment() const { return m_dwAlignment; }
    POINT GetAnchor() const { return m_ptAnchor; }
    CMenuUI* GetMenuUI() const;

    CDuiString GetSkinFile() override { return m_sXml; }
    void InitWindow() override;
    void Notify(TNotifyUI& msg) override;
    LRESULT HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled) override;

protected:
    const char* GetWindowClassName() const override { return "MenuWnd"; }
    void OnFinalMessage(HWND hWnd) override;

private:
    CMenuWnd(const CDuiString& xml, POINT point, DWORD alignment, HWND owner, int dpi);
    RECT PlacedRect(SIZE size) const;

    CDuiString m_sXml;
    POINT m_ptAnchor;
    DWORD m_dwAlignment;
    HWND m_hOwner;
    int m_nDpi;
};
