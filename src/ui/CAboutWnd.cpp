#include "ui/CAboutWnd.h"

#include "platform/Folders.h"
#include "toolkit/UIHost.h"
#include "ui/LanguageManager.h"
#include "ui/ProgramVersion.h"
#include "ui/WindowDpi.h"

#include <algorithm>
#include <fstream>

namespace {
constexpr const char* kDpiError = "SET_WND DPI SET ERROR";
constexpr std::streamsize kMaxLicenceBytes = 64 * 1024;
HWND g_openAbout = nullptr;
} // namespace

void ShowAboutWindow(HWND owner, int dpi)
{
    if (g_openAbout)
        return;
    CAboutWnd about;
    if (!about.Create(owner, "  ", WS_POPUP, WS_EX_TOOLWINDOW, 0, 0, CAboutWnd::kWidth, CAboutWnd::kHeight))
        return;
    about.GetPaintManager().SetDPI(AcceptWindowDpi(dpi, kDpiError));
    about.CenterWindow();
    // Centred over a smaller owner it may hang over the screen's edge: keep it on the screen.
    const RECT rc = about.GetWindowRect();
    const RECT screen = MonitorRectOf(about.GetHWND());
    const int width = rc.right - rc.left, height = rc.bottom - rc.top;
    const int x = std::max<int>(screen.left, std::min<int>(rc.left, screen.right - width));
    const int y = std::max<int>(screen.top, std::min<int>(rc.top, screen.bottom - height));
    about.SetWindowPos(x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    about.ShowModal();
}

HWND CAboutWnd::OpenWindow()
{
    return g_openAbout;
}

void CAboutWnd::OnFinalMessage(HWND hWnd)
{
    if (g_openAbout == hWnd)
        g_openAbout = nullptr;
    WindowImplBase::OnFinalMessage(hWnd);
}

std::string CAboutWnd::LicenceText()
{
    std::ifstream file(platform::Folders::ProgramFolder() + "/DefaultData/licence.txt", std::ios::binary);
    if (!file)
        return {};
    std::string text(static_cast<size_t>(kMaxLicenceBytes), '\0');
    file.read(text.data(), kMaxLicenceBytes);
    text.resize(static_cast<size_t>(file.gcount()));
    return text;
}

void CAboutWnd::InitWindow()
{
    g_openAbout = GetHWND();
    if (CControlUI* label = m_pm.FindControl("software_ver_label"))
        label->SetText("%[software_rev_text]");
    if (CControlUI* version = m_pm.FindControl("software_ver_value"))
        version->SetText(ProgramVersionText());
    if (CControlUI* licence = m_pm.FindControl("about_licence_text"))
        licence->SetText(LicenceText());
}

void CAboutWnd::Notify(TNotifyUI& msg)
{
    if (msg.sType == "click" && msg.pSender &&
        (msg.pSender->GetName() == "closebtn" || msg.pSender->GetName() == "about_ok_btn"))
        Close(IDOK);
    WindowImplBase::Notify(msg);
}

LRESULT CAboutWnd::HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled)
{
    bHandled = TRUE;
    if (uMsg == LanguageChangedMessage) {
        m_pm.Invalidate();
        if (CControlUI* root = m_pm.GetRoot())
            root->NeedUpdate();
    } else if (uMsg == WM_DPICHANGED) {
        ApplyDpiChange(*this, m_pm, wParam, lParam, kDpiError);
    } else {
        bHandled = FALSE;
    }
    return 0;
}
