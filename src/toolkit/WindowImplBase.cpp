#include "toolkit/WindowImplBase.h"

#include "platform/DebugOutput.h"
#include "toolkit/UIHost.h"

void WindowImplBase::Notify(TNotifyUI& msg)
{
    LoopDispatch(msg);
}

LRESULT WindowImplBase::OnCreate(UINT, WPARAM, LPARAM, BOOL& bHandled)
{
    m_pm.Init(GetHWND(), GetWindowClassName());
    CDialogBuilder builder;
    CDuiString folder = GetSkinFolder();
    if (!folder.empty() && folder.back() != '/' && folder.back() != '\\')
        folder += "/";
    CControlUI* root = builder.Create(folder + GetSkinFile(), nullptr, this, &m_pm);
    if (!root)
        platform::DebugOutput("skin not built: " + builder.GetLastErrorMessage());
    m_pm.AttachDialog(root);
    m_pm.AddNotifier(this);
    InitWindow();
    bHandled = TRUE;
    return 0;
}

LRESULT WindowImplBase::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    BOOL handled = FALSE;
    LRESULT result = 0;
    if (uMsg == WM_CREATE)
        result = OnCreate(uMsg, wParam, lParam, handled);
    if (handled)
        return result;
    result = HandleCustomMessage(uMsg, wParam, lParam, handled);
    if (handled)
        return result;
    if (uMsg == WM_LBUTTONDOWN && m_pm.IsCaptionPoint(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)})) {
        if (INativeWindow* native = GetNativeWindow()) {
            native->BeginSystemMove();
            return 0;
        }
    }
    if (m_pm.MessageHandler(uMsg, wParam, lParam, result))
        return result;
    return CWindowWnd::HandleMessage(uMsg, wParam, lParam);
}

LRESULT WindowImplBase::HandleCustomMessage(UINT, WPARAM, LPARAM, BOOL& bHandled)
{
    bHandled = FALSE;
    return 0;
}

LRESULT WindowImplBase::MessageHandler(UINT, WPARAM, LPARAM, bool& bHandled)
{
    bHandled = false;
    return 0;
}

CControlUI* WindowImplBase::CreateControl(const char*)
{
    return nullptr;
}

CDuiString WindowImplBase::QueryControlText(const CDuiString&, const CDuiString&)
{
    return {};
}

void WindowImplBase::Paint(HDC hDC, const RECT& rcPaint)
{
    m_pm.Paint(hDC, rcPaint);
}
