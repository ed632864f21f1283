#include "toolkit/MenuWnd.h"

#include "toolkit/MenuElementUI.h"
#include "toolkit/MenuUI.h"
#include "toolkit/MessageQueue.h"
#include "toolkit/UIHost.h"

#include <algorithm>
#include <memory>

namespace {
CMenuWnd* g_openMenu = nullptr;
}

CMenuWnd::CMenuWnd(const CDuiString& xml, POINT point, DWORD alignment, HWND owner, int dpi)
    : m_sXml(xml), m_ptAnchor(point), m_dwAlignment(alignment), m_hOwner(owner), m_nDpi(dpi)
{
}

CMenuWnd* CMenuWnd::CreateMenu(void*, const CDuiString& xml, POINT point, CPaintManagerUI* mainManager, void*,
                               DWORD alignment)
{
    CloseAllMenus();
    HWND owner = mainManager ? mainManager->GetPaintWindow() : nullptr;
    int dpi = mainManager ? mainManager->GetDPIObj()->GetDPI() : 96;
    auto* menu = new CMenuWnd(xml, point, alignment, owner, dpi);
    if (!menu->Create(owner, "", WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_UIPOPUP, RECT{point.x, point.y, point.x + 1, point.y + 1})) {
        delete menu;
        return nullptr;
    }
    if (!menu->GetMenuUI()) {
        menu->DestroyWindow();
        return nullptr;
    }
    g_openMenu = menu;
    menu->ShowWindow(true, true);
    return menu;
}

void CMenuWnd::CloseAllMenus()
{
    if (CMenuWnd* menu = g_openMenu) {
        g_openMenu = nullptr;
        menu->DestroyWindow();
    }
}

CMenuWnd* CMenuWnd::GetOpenMenu()
{
    return g_openMenu;
}

CMenuUI* CMenuWnd::GetMenuUI() const
{
    CControlUI* root = m_pm.GetRoot();
    return root ? static_cast<CMenuUI*>(root->GetInterface("Menu")) : nullptr;
}

RECT CMenuWnd::PlacedRect(SIZE size) const
{
    int x = (m_dwAlignment & eMenuAlignment_Right) ? m_ptAnchor.x - size.cx : m_ptAnchor.x;
    int y = (m_dwAlignment & eMenuAlignment_Bottom) ? m_ptAnchor.y - size.cy : m_ptAnchor.y;
    // A menu that would leave the monitor opens the other way from its anchor.
    if (IUIHost* host = UIHost()) {
        const RECT monitor = host->MonitorRect(RECT{m_ptAnchor.x, m_ptAnchor.y, m_ptAnchor.x + 1, m_ptAnchor.y + 1});
        if (x + size.cx > monitor.right && m_ptAnchor.x - size.cx >= monitor.left)
            x = m_ptAnchor.x - size.cx;
        if (y + size.cy > monitor.bottom)
            y = m_ptAnchor.y - size.cy >= monitor.top ? m_ptAnchor.y - size.cy : std::max(monitor.top, monitor.bottom - size.cy);
    }
    return RECT{x, y, x + size.cx, y + size.cy};
}

void CMenuWnd::InitWindow()
{
    m_pm.GetDPIObj()->SetDPI(m_nDpi);
    CMenuUI* menu = GetMenuUI();
    if (!menu)
        return;
    int height = menu->GetInset().top + menu->GetInset().bottom;
    for (int i = 0; i < menu->GetCount(); ++i) {
        CControlUI* row = menu->GetItemAt(i);
        if (!row->IsVisible())
            continue;
        RECT pad = row->GetPadding();
        height += row->EstimateSize(SIZE{}).cy + pad.top + pad.bottom;
    }
    int width = menu->GetFixedWidth() > 0 ? menu->GetFixedWidth() : m_pm.GetDPIObj()->Scale(160);
    RECT rc = PlacedRect(SIZE{width, height});
    SetWindowPos(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
}

void CMenuWnd::Notify(TNotifyUI& msg)
{
    if (msg.sType != "itemclick" || !msg.pSender || !msg.pSender->GetInterface("MenuElement"))
        return;
    auto cmd = std::make_shared<MenuCmd>();
    cmd->szName = msg.pSender->GetName();
    cmd->szUserData = msg.pSender->GetUserData();
    cmd->szText = msg.pSender->GetText();
    HWND owner = m_hOwner;
    Close(IDOK);
    CMessageQueue::Instance().PostTask([owner, cmd] { ::SendMessage(owner, WM_MENUCLICK, WPARAM(cmd.get()), 0); });
}

LRESULT CMenuWnd::HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM, BOOL& bHandled)
{
    bHandled = FALSE;
    if (uMsg == WM_KEYDOWN && wParam == VK_ESCAPE) {
        Close(IDCANCEL);
        bHandled = TRUE;
    }
    return 0;
}

void CMenuWnd::OnFinalMessage(HWND)
{
    if (g_openMenu == this)
        g_openMenu = nullptr;
    delete this;
}
