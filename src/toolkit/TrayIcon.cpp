#include "toolkit/TrayIcon.h"

#include "toolkit/MessageQueue.h"
#include "toolkit/PaintManagerUI.h"
#include "toolkit/ResourceManager.h"
#include "toolkit/UIHost.h"

CTrayIcon::CTrayIcon() = default;

CTrayIcon::~CTrayIcon()
{
    DeleteTrayIcon();
}

void CTrayIcon::CreateTrayIcon(HWND hWnd, UINT iconId, const CDuiString& toolTip, UINT message)
{
    IUIHost* host = UIHost();
    if (!host)
        return;
    DeleteTrayIcon();
    m_hWnd = hWnd;
    m_uIconId = iconId;
    m_uMessage = message;
    m_impl = host->CreateTrayIcon([this](UINT mouseMessage) { OnMouse(mouseMessage); });
    if (!m_impl)
        return;
    std::string file = CResourceManager::GetInstance().GetIconFile(iconId);
    if (!file.empty())
        m_impl->SetIconFile(CPaintManagerUI::ResolvePath(file));
    m_impl->SetToolTip(toolTip);
    SetShowIcon();
}

void CTrayIcon::DeleteTrayIcon()
{
    m_impl.reset();
    m_bVisible = false;
}

bool CTrayIcon::SetTooltipText(const CDuiString& text)
{
    if (!m_impl)
        return false;
    m_impl->SetToolTip(text);
    return true;
}

void CTrayIcon::SetShowIcon()
{
    if (!m_impl)
        return;
    m_impl->SetVisible(true);
    m_bVisible = true;
}

void CTrayIcon::SetHideIcon()
{
    if (!m_impl)
        return;
    m_impl->SetVisible(false);
    m_bVisible = false;
}

void CTrayIcon::OnMouse(UINT mouseMessage)
{
    ::PostMessage(m_hWnd, m_uMessage, m_uIconId, LPARAM(mouseMessage));
}
