#include "app/CDeviceOptionUI.h"

#include "device/COrlithUSBDevice.h"
#include "device/DeviceMessages.h"
#include "toolkit/OptionUI.h"
#include "toolkit/MessageQueue.h"
#include "toolkit/PaintManagerUI.h"
#include "toolkit/WindowWnd.h"

namespace {

// Receiver preview is slow on purpose: every frame is a radio exchange.
constexpr UINT kPreviewReceiverMs = 500;
// The wired preview paints at most 30 frames a second: the effects step every 7 to 28 ms, and
// each painted frame costs the window far more than a step costs the lighting thread.
constexpr UINT kPreviewWiredMs = 33;
// While no light changed, the preview looks again this often.
constexpr UINT kPreviewStillMs = 250;
constexpr int kRetryWrap = 20;

const char* ImageBaseFor(int kind, int subKind, const char* previous)
{
    switch (kind) {
    case 1:
        return "kb";
    case 2:
        return "ms";
    case 3:
        return subKind == 0 ? "hard_mp" : subKind == 1 ? "soft_mp" : previous;
    case 4:
    case 7:
        return "hd";
    case 5:
        return "hub";
    default:
        return "unknow";
    }
}

} // namespace

void* CDeviceOptionUI::GetInterface(std::string_view name)
{
    if (name == "DeviceOption")
        return this;
    return CHorizontalLayoutUI::GetInterface(name);
}

COptionUI* CDeviceOptionUI::SelectOption()
{
    return m_pManager ? static_cast<COptionUI*>(m_pManager->FindSubControlByName(this, "device_select")) : nullptr;
}

COptionUI* CDeviceOptionUI::SynchroOption()
{
    return m_pManager ? static_cast<COptionUI*>(m_pManager->FindSubControlByName(this, "synchro_device_select"))
                      : nullptr;
}

void CDeviceOptionUI::SetKind(int kind, int subKind)
{
    m_kind = kind;
    m_subKind = subKind;
    m_imageBase = ImageBaseFor(kind, subKind, m_imageBase.c_str());
    ApplyImages();
}

void CDeviceOptionUI::ApplyImages()
{
    COptionUI* option = SelectOption();
    if (!option)
        return;
    bool synchro = IsSynchroSelected();
    std::string base = "common/device_ico/" + m_imageBase + (synchro ? "_device_synchro_" : "_device_");
    option->SetNormalImage(("file='" + base + "normal.png'").c_str());
    option->SetSelectedImage(("file='" + base + "selected.png'").c_str());
}

void CDeviceOptionUI::SetGroup(const CDuiString& group)
{
    if (COptionUI* option = SelectOption())
        option->SetGroup(group);
}

void CDeviceOptionUI::BindPage(const CDuiString& tabLayoutName, int index)
{
    m_pageLayoutName = tabLayoutName;
    m_pageIndex = index;
    if (COptionUI* option = SelectOption())
        option->BindTabLayout(tabLayoutName, index);
}

void CDeviceOptionUI::SetPowerLayout(const CDuiString& name, int index)
{
    m_powerLayoutName = name;
    m_powerIndex = index;
}

void CDeviceOptionUI::ShowSynchroOption(bool show)
{
    if (COptionUI* option = SynchroOption())
        option->SetVisible(show);
}

bool CDeviceOptionUI::IsSynchroSelected()
{
    COptionUI* option = SynchroOption();
    return option && option->IsSelected();
}

void CDeviceOptionUI::SetSynchroSelected(bool selected)
{
    if (COptionUI* option = SynchroOption())
        option->Selected(selected, false);
    ApplyImages();
}

bool CDeviceOptionUI::IsDeviceSelected()
{
    COptionUI* option = SelectOption();
    return option && option->IsSelected();
}

void CDeviceOptionUI::SetDeviceSelected(bool selected, bool sendEvent)
{
    if (COptionUI* option = SelectOption())
        option->Selected(selected, sendEvent);
}

void CDeviceOptionUI::SetFamilyName(const CDuiString& name)
{
    if (!m_pManager)
        return;
    if (CControlUI* text = m_pManager->FindSubControlByName(this, "device_select_name"))
        text->SetText(name);
}

void CDeviceOptionUI::SetPreviewPaused(bool paused)
{
    if (m_previewPaused == paused)
        return;
    m_previewPaused = paused;
    if (paused)
        Stop(kTimerPreview);
    else if (m_previewWanted && m_device && m_device->IsConnected())
        Arm(kTimerPreview, 5);
}

void CDeviceOptionUI::DoEvent(TEventUI& event)
{
    if (event.Type == UIEVENT_TIMER && event.pSender == this) {
        OnTimer(static_cast<UINT>(event.wParam));
        return;
    }
    CHorizontalLayoutUI::DoEvent(event);
}

void CDeviceOptionUI::RestartPowerTimer()
{
    if (!m_device || !m_device->HasPowerTile() || !m_device->IsConnected())
        return;
    m_device->Channel().SetSuspended(false);
    Arm(kTimerPower, 50);
}

void CDeviceOptionUI::Arm(UINT id, UINT elapseMs)
{
    if (m_pManager)
        m_pManager->SetTimer(this, id, elapseMs);
}

void CDeviceOptionUI::Stop(UINT id)
{
    if (m_pManager)
        m_pManager->KillTimer(this, id);
}

void CDeviceOptionUI::OnTimer(UINT id)
{
    Stop(id); // every tile timer is one-shot; the handler re-arms it
    if (!m_device)
        return;
    COrlithUSBDevice& device = *m_device;
    bool receiver = device.Channel().IsReceiverMode();
    switch (id) {
    case kTimerPreview:
        m_previewWanted = device.IsConnected();
        if (m_previewPaused || !m_previewWanted)
            return;
        // Repaints only the light spots whose colour changed; a still picture is looked at
        // less often until it moves again.
        if (device.PaintLightPreview())
            Arm(kTimerPreview, receiver ? kPreviewReceiverMs : kPreviewWiredMs);
        else
            Arm(kTimerPreview, kPreviewStillMs);
        return;
    case kTimerConnect:
        OnConnectTimer();
        return;
    case kTimerReload:
        device.ReloadFromDevice();
        return;
    case kTimerDevice3:
        device.OnTimer1003();
        return;
    case kTimerDevice4:
        device.OnTimer1004();
        return;
    case kTimerPower:
        device.ReadPowerStatus();
        if (device.HasPowerTile())
            Arm(kTimerPower, 10000);
        return;
    case kTimerLinkWatch:
        OnLinkWatchTimer();
        return;
    case kTimerKeepAlive:
        device.Channel().EnterConfigMode();
        device.Channel().LeaveConfigMode();
        Arm(kTimerKeepAlive, static_cast<UINT>(device.KeepAliveMinutes() * 60000 - 10000));
        return;
    default:
        return;
    }
}

void CDeviceOptionUI::OnConnectTimer()
{
    COrlithUSBDevice& device = *m_device;
    bool receiver = device.Channel().IsReceiverMode();
    HWND window = m_pManager ? m_pManager->GetPaintWindow() : nullptr;
    int index = device.TileIndex();
    if (receiver && device.IsConnected()) {
        if (!device.IsReceiverLinked()) {
            m_retryCount = (m_retryCount + 1) % kRetryWrap;
            if (IsPresent())
                ::SendMessage(window, kMsgTileVisible, static_cast<WPARAM>(index), 0);
            Arm(kTimerConnect, 5000);
            return;
        }
        Arm(kTimerKeepAlive, 50);
        ::SendMessage(window, kMsgTileVisible, static_cast<WPARAM>(index), 1);
    }
    device.ReadAllFromDevice();
    m_retryCount = 0;
    m_previewWanted = true;
    if (!m_previewPaused)
        Arm(kTimerPreview, 5);
    if (receiver)
        Arm(kTimerLinkWatch, 2000);
}

void CDeviceOptionUI::OnLinkWatchTimer()
{
    COrlithUSBDevice& device = *m_device;
    HWND window = m_pManager ? m_pManager->GetPaintWindow() : nullptr;
    WPARAM index = static_cast<WPARAM>(device.TileIndex());
    if (!device.Channel().IsReceiverMode() || !device.IsConnected())
        return;
    bool linked = device.IsReceiverLinked();
    if (linked && !IsPresent()) {
        ::SendMessage(window, kMsgTileVisible, index, 1);
        if (device.HasPowerTile())
            device.ReadPowerStatus();
    } else if (!linked && IsPresent()) {
        ::SendMessage(window, kMsgTileVisible, index, 0);
    }
    Arm(kTimerLinkWatch, 3000);
}
