#include "ui/MsgWnd.h"

#include "toolkit/UIParse.h"
#include "ui/WindowDpi.h"

namespace {
// The Windows clip-children style; hosts accept it and have nothing to do for it.
constexpr DWORD kClipChildren = 0x02000000;
} // namespace

int ShowMessage(HWND owner, const std::string& title, const std::string& text, int dpi, bool isKey, int buttons)
{
    auto* box = new CMsgWnd;
    if (!box->Create(owner, "msgwnd", WS_POPUP | kClipChildren, WS_EX_TOOLWINDOW)) {
        delete box;
        return 0;
    }
    box->SetTitleText(title);
    box->SetMessageText(text, isKey);
    box->SetDpi(dpi);
    box->SetButtons(buttons);
    box->CenterWindow();
    // The box is gone (deleted) once ShowModal returns.
    return box->ShowModal() == 1 ? 1 : 0;
}

void CMsgWnd::InitWindow()
{
    m_closeButton = Control("closebtn");
}

void CMsgWnd::SetTitleText(const std::string& title)
{
    if (CControlUI* label = Control("MessageTitle"); label && !title.empty())
        label->SetText(title);
}

void CMsgWnd::SetMessageText(const std::string& text, bool isKey)
{
    if (CControlUI* label = Control("MessageText"); label && !text.empty())
        label->SetText(isKey ? "%[" + text + "]" : text);
}

void CMsgWnd::SetDpi(int dpi)
{
    if (dpi == m_dpi)
        return;
    m_dpi = AcceptWindowDpi(dpi, kDpiError);
    // Only the box follows the owner's DPI; other windows keep their own.
    m_pm.SetDPI(m_dpi);
}

void CMsgWnd::SetButtons(int buttons)
{
    CControlUI* confirm = Control("confirm_btn");
    CControlUI* cancel = Control("cancel_btn");
    if (buttons != kMessageNotice && buttons != kMessageQuestion)
        return;
    if (confirm)
        confirm->SetVisible(true);
    if (cancel)
        cancel->SetVisible(buttons == kMessageQuestion);
}

void CMsgWnd::Notify(TNotifyUI& msg)
{
    if (msg.sType == "click") {
        if (msg.pSender == m_closeButton)
            Close(0);
        else if (EqualsNoCase(msg.pSender->GetName(), "confirm_btn"))
            Close(1);
        else if (msg.pSender->GetName() == "cancel_btn")
            Close(0);
    }
    WindowImplBase::Notify(msg);
}

LRESULT CMsgWnd::HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled)
{
    bHandled = FALSE;
    if (uMsg != WM_DPICHANGED)
        return 0;
    m_dpi = ApplyDpiChange(*this, m_pm, wParam, lParam, kDpiError);
    bHandled = TRUE;
    return 0;
}

void CMsgWnd::OnFinalMessage(HWND)
{
    delete this;
}
