#include "toolkit/custom/WndUI.h"

#include "toolkit/MessageQueue.h"
#include "toolkit/PaintManagerUI.h"
#include "toolkit/WindowWnd.h"

const char* CWndUI::GetClass() const
{
    return "Wnd";
}

void* CWndUI::GetInterface(std::string_view name)
{
    return name == "Wnd" ? this : CControlUI::GetInterface(name);
}

bool CWndUI::Attach(HWND hWnd)
{
    if (!::IsWindow(hWnd))
        return false;
    m_hWnd = hWnd;
    FollowControl();
    return true;
}

HWND CWndUI::Detach()
{
    HWND hWnd = m_hWnd;
    m_hWnd = nullptr;
    return hWnd;
}

void CWndUI::SetPos(RECT rc, bool needInvalidate)
{
    CControlUI::SetPos(rc, needInvalidate);
    FollowControl();
}

void CWndUI::SetVisible(bool visible)
{
    CControlUI::SetVisible(visible);
    FollowControl();
}

void CWndUI::SetInternVisible(bool visible)
{
    CControlUI::SetInternVisible(visible);
    FollowControl();
}

void CWndUI::FollowControl()
{
    if (!::IsWindow(m_hWnd))
        return;
    CWindowWnd* carried = CMessageQueue::Instance().Lookup(m_hWnd);
    if (!carried)
        return;
    // Every toolkit window is top-level: place it by the paint window's screen position.
    RECT origin{};
    if (m_pManager)
        if (CWindowWnd* paintWindow = m_pManager->GetWindow())
            origin = paintWindow->GetWindowRect();
    carried->SetWindowPos(origin.left + m_rcItem.left, origin.top + m_rcItem.top, GetWidth(), GetHeight(),
                          SWP_NOACTIVATE | SWP_NOZORDER);
    carried->ShowWindow(IsVisible(), false);
}
