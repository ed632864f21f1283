#include "ui/CSkinFrame.h"

#include "toolkit/MessageQueue.h"
#include "toolkit/TabLayoutUI.h"
#include "toolkit/UIHost.h"
#include "toolkit/UIParse.h"
#include "ui/SkinSettingsFile.h"

#include <algorithm>

namespace {

CSkinFrame* g_openFrame = nullptr;

void SelectSkinTab(CPaintManagerUI& manager, int page)
{
    CControlUI* control = manager.FindControl("skin_tab");
    if (auto* tabs = control ? static_cast<CTabLayoutUI*>(control->GetInterface("TabLayout")) : nullptr)
        tabs->SelectItem(page);
}

} // namespace

CSkinFrame* CSkinFrame::Open(HWND owner, CControlUI* anchor)
{
    if (g_openFrame)
        g_openFrame->Close(IDCANCEL);
    auto* frame = new CSkinFrame(owner, anchor);
    if (!frame->Create(owner, "skinframe", WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_UIPOPUP)) {
        delete frame;
        return nullptr;
    }
    g_openFrame = frame;
    // The picker takes its owner's scale.
    if (CPaintManagerUI* ownerManager = anchor ? anchor->GetManager() : nullptr)
        frame->m_pm.SetDPI(ownerManager->GetDPIObj()->GetDPI());
    frame->PlaceUnderAnchor();
    frame->ShowWindow(true, true);
    return frame;
}

CSkinFrame* CSkinFrame::Current()
{
    return g_openFrame;
}

bool CSkinFrame::IsUsableImage(const std::string& image)
{
    if (image.empty() || image.find("..") != std::string::npos)
        return false;
    return CPaintManagerUI::GetImageShared(image) != nullptr;
}

void CSkinFrame::Choose(const SkinChangedParam& choice)
{
    ObserverImpl::SkinChanged().Broadcast(choice);
    SkinSettingsFile(SkinSettingsFile::DefaultPath()).Write(choice);
}

SkinChangedParam CSkinFrame::StoredChoice()
{
    SkinChangedParam fallback;
    fallback.image = SkinSettingsFile::kDefaultImage;
    std::optional<SkinChangedParam> stored = SkinSettingsFile(SkinSettingsFile::DefaultPath()).Read();
    if (!stored)
        return fallback;
    if (stored->isColour)
        return *stored;
    return IsUsableImage(stored->image) ? *stored : fallback;
}

void CSkinFrame::InitWindow()
{
}

void CSkinFrame::PlaceUnderAnchor()
{
    CWindowWnd* owner = CMessageQueue::Instance().Lookup(m_owner);
    if (!owner || !m_anchor)
        return;
    RECT ownerRect = owner->GetWindowRect();
    RECT anchor = m_anchor->GetPos();
    RECT own = GetWindowRect();
    int width = own.right - own.left;
    int height = own.bottom - own.top;
    int right = ownerRect.left + anchor.right;
    int top = ownerRect.top + anchor.bottom;
    // Inside the monitor, even when the main window hangs over its edge.
    RECT monitor = MonitorRectOf(m_owner);
    int left = std::max<int>(monitor.left, std::min<int>(right - width, monitor.right - width));
    top = std::max<int>(monitor.top, std::min<int>(top, monitor.bottom - height));
    SetWindowPos(left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CSkinFrame::Notify(TNotifyUI& msg)
{
    if (msg.sType != "click" || !msg.pSender) {
        WindowImplBase::Notify(msg);
        return;
    }
    const std::string name = msg.pSender->GetName();
    if (EqualsNoCase(name, "skin_image_btn")) {
        SkinChangedParam choice;
        choice.image = msg.pSender->GetBkImage();
        Choose(choice);
    } else if (EqualsNoCase(name, "skin_color_btn")) {
        SkinChangedParam choice;
        choice.isColour = true;
        choice.colour = msg.pSender->GetBkColor();
        Choose(choice);
    } else if (EqualsNoCase(name, "skin_color")) {
        SelectSkinTab(m_pm, 1);
    } else if (EqualsNoCase(name, "skin_image")) {
        SelectSkinTab(m_pm, 0);
    } else if (EqualsNoCase(name, "skin_reset")) {
        SkinChangedParam choice;
        choice.image = SkinSettingsFile::kDefaultImage;
        Choose(choice);
    } else if (EqualsNoCase(name, "skin_Custom")) {
        ChooseCustomImage();
        return;
    }
    WindowImplBase::Notify(msg);
}

void CSkinFrame::ChooseCustomImage()
{
    // The file dialog takes the focus, which closes this picker: the question is asked on the
    // owner's behalf once the picker is gone.
    HWND owner = m_owner;
    CMessageQueue::Instance().PostTask([owner] {
        std::string path;
        if (!OpenFileDialog("(*.png)", "*.png", owner, path))
            return;
        if (!IsUsableImage(path))
            return;
        SkinChangedParam choice;
        choice.image = path;
        Choose(choice);
    });
    Close(IDOK);
}

LRESULT CSkinFrame::HandleCustomMessage(UINT uMsg, WPARAM, LPARAM, BOOL& bHandled)
{
    bHandled = FALSE;
    if (uMsg == WM_KILLFOCUS)
        Close(IDCANCEL);
    return 0;
}

void CSkinFrame::OnFinalMessage(HWND)
{
    if (g_openFrame == this)
        g_openFrame = nullptr;
    delete this;
}
