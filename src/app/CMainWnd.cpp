#include "app/CMainWnd.h"

#include "app/ControlRouter.h"
#include "app/CDeviceOptionUI.h"
#include "device/COrlithHS6533Device.h"
#include "device/COrlithKeyboardDevice.h"
#include "device/COrlithMouseDevice.h"
#include "device/COrlithMousePadDevice.h"
#include "device/DeviceKind.h"
#include "device/DeviceMessages.h"
#include "log/LogFile.h"
#include "panels/CKeySetControlUI.h"
#include "panels/CMacroControlUI.h"
#include "panels/CShootControlUI.h"
#include "platform/DebugOutput.h"
#include "platform/Folders.h"
#include "platform/ProcessLauncher.h"
#include "profile/AudioLightingFile.h"
#include "profile/JsonFile.h"
#include "toolkit/UIParse.h"
#include "sim/SimulatedDevices.h"
#include "toolkit/DialogBuilder.h"
#include "toolkit/MenuWnd.h"
#include "toolkit/MessageQueue.h"
#include "toolkit/OptionUI.h"
#include "toolkit/ResourceManager.h"
#include "toolkit/UIHost.h"
#include "toolkit/custom/AudioRecordUI.h"
#include "toolkit/custom/CircleProgressUI.h"
#include "toolkit/custom/ComboEditContainerElementUI.h"
#include "toolkit/custom/DeviceKeyButtonUI.h"
#include "toolkit/custom/HandImgButtonUI.h"
#include "toolkit/custom/HandImgSelectButtonUI.h"
#include "toolkit/custom/RedioMacroButtonUI.h"
#include "toolkit/custom/SelectPanelUI.h"
#include "ui/CDeviceProfileUI.h"
#include "ui/MsgWnd.h"
#include "ui/WindowDpi.h"

#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

const char kInstanceMessageName[] = "QV742-CORE";
const char kLightControlNotifyName[] = "{4695579F-999A-41d4-9FAF-EFFCE93EBF16}";

namespace {

constexpr UINT kMsgShowSettingProgress = 0x0C00;
constexpr UINT kMsgDpiOnlyTrace = 0x04C8;
constexpr WPARAM kPowerSuspend = 4;
constexpr WPARAM kPowerResumeAutomatic = 0x12;
constexpr int kLayoutWidth = 1000;
constexpr int kLayoutHeight = 640;

// The page tabs and the function panel number each one shows.
int FunctionPanelOfTab(const std::string& name)
{
    static const struct {
        const char* tab;
        int panel;
    } kTabs[] = {{"deng_Op_tab", 1},       {"key_Op_tab", 2},        {"macro_Op_tab", 3},
                 {"system_Op_tab", 4},     {"cursor_Op_tab", 5},     {"6533_voice_Op_tab", 6},
                 {"magic_Op_tab", 7},      {"Virtual7.1_Op_tab", 8}, {"otherset_Op_tab", 9}};
    for (const auto& entry : kTabs) {
        if (name == entry.tab)
            return entry.panel;
    }
    return 0;
}

// Opens the desktop's keyboard (0) or mouse (1) settings with the first known settings program
// that is installed; nothing otherwise.
void OpenDesktopInputSettings(int which)
{
    static const std::vector<std::vector<std::string>> kKeyboard = {
        {"gnome-control-center", "keyboard"}, {"systemsettings", "kcm_keyboard"}, {"xfce4-keyboard-settings"}};
    static const std::vector<std::vector<std::string>> kMouse = {
        {"gnome-control-center", "mouse"}, {"systemsettings", "kcm_mouse"}, {"xfce4-mouse-settings"}};
    for (const std::vector<std::string>& command : which == 0 ? kKeyboard : kMouse) {
        if (!platform::ProcessLauncher::FindInPath(command[0]).empty()) {
            platform::ProcessLauncher::Launch(command);
            return;
        }
    }
}

} // namespace

std::vector<std::string> RegisteredMessages::Names()
{
    return {kInstanceMessageName,
            "{4695579F-999A-41d4-9FAF-EFFCE93EBF15}",
            kLightControlNotifyName,
            "{4695579F-999A-41d4-9FAF-EFFCE93EBF17}",
            "{4695579F-999A-41d4-9FAF-EFFCE93EBF18}",
            "{4695579F-999A-41d4-9FAF-EFFCE93EBE19}"};
}

RegisteredMessages RegisteredMessages::Register()
{
    const std::vector<std::string> names = Names();
    RegisteredMessages ids;
    ids.instance = RegisterWindowMessage(names[0]);
    ids.updateRelay = RegisterWindowMessage(names[1]);
    ids.lightControlNotify = RegisterWindowMessage(names[2]);
    ids.lightControlRequest = RegisterWindowMessage(names[3]);
    ids.workToolQuery = RegisterWindowMessage(names[4]);
    ids.audioDaemon = RegisterWindowMessage(names[5]);
    return ids;
}

CMainWnd::CMainWnd(std::string busFolder)
    : m_busFolder(std::move(busFolder)), m_messages(RegisteredMessages::Register()),
      m_settings(platform::SettingsStore::DefaultPath()),
      m_languages(platform::Folders::ProgramFolder() + "/DefaultData", m_settings), m_bus(m_busFolder),
      m_shoot(
          [this](bool save, std::string& path) {
              const char* description = CShootControlUI::kFilterDescription;
              const char* pattern = CShootControlUI::kFilterPattern;
              return save ? SaveFileDialog(description, pattern, GetHWND(), path)
                          : OpenFileDialog(description, pattern, GetHWND(), path);
          },
          [this](const std::string& key) { ShowMessage(GetHWND(), "", key, m_dpi, true, kMessageNotice); })
{
    m_devices = std::make_unique<CDeviceList>(m_pm, this);
    m_devices->onArrivalDone = [this] { FirstShow(); };
}

CMainWnd::~CMainWnd()
{
    Shutdown();
}

int CMainWnd::DpiForMonitor(const RECT& monitor)
{
    int width = monitor.right - monitor.left;
    int height = monitor.bottom - monitor.top;
    return width > 1500 && height > 960 ? 144 : 96;
}

int CMainWnd::CheckedDpi(int dpi, const char* windowTag)
{
    return AcceptWindowDpi(dpi, std::string(windowTag) + " DPI SET ERROR");
}

CControlUI* CMainWnd::CreateControl(const char* className)
{
    using Create = CControlUI* (*)();
    static const struct {
        const char* tag;
        Create create;
    } kControls[] = {
        {"CircleProgress", [] { return static_cast<CControlUI*>(new CCircleProgressUI); }},
        {"SelectPanel", [] { return static_cast<CControlUI*>(new CSelectPanelUI); }},
        {"DeviceKeyButton", [] { return static_cast<CControlUI*>(new CDeviceKeyButtonUI); }},
        {"HandImgButton", [] { return static_cast<CControlUI*>(new CHandImgButtonUI); }},
        {"AudioRecord", [] { return static_cast<CControlUI*>(new CAudioRecordUI); }},
        {"HandImgSelectButton", [] { return static_cast<CControlUI*>(new CHandImgSelectButtonUI); }},
        {"RedioMacroButton", [] { return static_cast<CControlUI*>(new CRedioMacroButtonUI); }},
        {"ComboEditContainerElement", [] { return static_cast<CControlUI*>(new CComboEditContainerElementUI); }},
        {"OrlithMousePadDevice", [] { return static_cast<CControlUI*>(new COrlithMousePadDevice); }},
        {"OrlithHS6533Device", [] { return static_cast<CControlUI*>(new COrlithHS6533Device); }},
        {"OrlithMouseDevice", [] { return static_cast<CControlUI*>(new COrlithMouseDevice); }},
        {"OrlithKeyboardDevice", [] { return static_cast<CControlUI*>(new COrlithKeyboardDevice); }},
        {"DeviceProfile", [] { return static_cast<CControlUI*>(new CDeviceProfileUI); }},
        {"ShootControl", [] { return static_cast<CControlUI*>(new CShootControlUI); }},
        {"KeySetControl", [] { return static_cast<CControlUI*>(new CKeySetControlUI); }},
    };
    const std::string tag = className;
    // The panels' subtrees build on their own: no window tags inside them.
    static const struct {
        const char* tag;
        const char* file;
    } kSubtrees[] = {{"DeviceProfileUI", CDeviceProfileUI::kLayoutFile},
                     {"KeySetControlUI", CKeySetControlUI::kLayoutFile},
                     {"MacroSetControlUI", CMacroControlUI::kLayoutFile},
                     {"ShootKeySetControlUI", CShootControlUI::kLayoutFile}};
    for (const auto& subtree : kSubtrees) {
        if (EqualsNoCase(tag, subtree.tag)) {
            CDialogBuilder builder;
            return builder.Create(subtree.file, nullptr, nullptr, &m_pm);
        }
    }
    for (const auto& entry : kControls) {
        if (EqualsNoCase(tag, entry.tag))
            return entry.create();
    }
    return nullptr;
}

void CMainWnd::InitWindow()
{
    platform::DebugOutput("InitWindow");
    CResourceManager::GetInstance().SetTextQueryInterface(this);
    SetIcon(107);
    m_tray.CreateTrayIcon(GetHWND(), 107, "QV742-CORE");
    m_hookSink = std::make_unique<HookMessageSink>(GetHWND(), [this](POINT screen) { return IsOnStopButton(screen); });
}

void CMainWnd::OnWindowInit()
{
    if (m_startThreads) {
        m_bus.Start(
            GetHWND(), RegisteredMessages::Names(), [](uint32_t, const std::string&) {},
            [this](int action, const std::string& device) {
                // Plugging happens on the bus thread; the scan thread notices it like hardware.
                OnSimControl(action, device);
            });
        m_bus.Broadcast(kLightControlNotifyName, 1, 1);
    }
    m_languages.ApplyLanguage(m_languages.ReadStoredLanguage(), m_pm);
    m_devices->PrebuildPages();
    PreparePanels();
    ShowWindow(false, false);
    if (m_startThreads) {
        m_scan.Start(GetHWND(), m_devices->Slots(), m_messages.instance);
        m_lightSync.Start();
    }
    SetTimer(kTimerRescale, 100);
    LoadAudioLightingDocument();
}

void CMainWnd::PreparePanels()
{
    m_macroPanel.SetCaptureSwitch(
        [this](int mode, bool on) { return SwitchCapture(static_cast<platform::CaptureMode>(mode), on); });
    m_macroPanel.onSingleKey = [this](uint32_t scanCode, bool extended) {
        m_keyPanel.OnKeyCaptured(SelectedDevice(), scanCode, extended);
    };
    std::vector<COrlithUSBDevice*> pages = m_devices->Mice();
    for (COrlithUSBDevice* keyboard : m_devices->Keyboards())
        pages.push_back(keyboard);
    for (COrlithUSBDevice* device : pages) {
        m_macroPanel.Prepare(device);
        CMacroControlUI* macros = MacroPanelCommands::PanelOf(device);
        m_keyPanel.Prepare(device, macros ? macros->MacroNames() : std::vector<std::string>());
    }
}

bool CMainWnd::RouteToPanels(TNotifyUI& msg)
{
    const std::string name = msg.pSender ? std::string(msg.pSender->GetName()) : std::string();
    COrlithUSBDevice* device = SelectedDevice();
    if (!device || !ControlRouter::Serves(RouteOwner::KeyPanel, device->Kind()))
        return false;
    const ControlRoute* route = ControlRouter::Find(msg);
    const bool keyEdit = name == "keyset_keyboard_text_edit" && (msg.sType == "setfocus" || msg.sType == "killfocus");
    if (keyEdit || (route && route->owner == RouteOwner::KeyPanel)) {
        m_keyPanel.OnNotify(msg, device);
        return true;
    }
    const bool macroRow = (msg.sType == "itemactivate" && name == "macro_action") ||
                          (msg.sType == "textchanged" && name == "macro_delay");
    if (macroRow || (route && route->owner == RouteOwner::MacroPanel)) {
        m_macroPanel.OnNotify(msg, device);
        return true;
    }
    return false;
}

void CMainWnd::LoadAudioLightingDocument()
{
    platform::Folders::EnsureUserDataFolder();
    const Json::Value document =
        AudioLightingFile::ReadOrCopyDefault(platform::Folders::UserDataFolder() + "/AudioFile.json",
                                             platform::Folders::ProgramFolder() + "/DefaultData/AudioFile.json");
    if (document.isObject())
        m_audioLightingDevice = JsonFile::StyledText(document["Device"]);
}

void CMainWnd::FirstShow()
{
    int first = 0, count = 0;
    bool present = m_devices->CountPresentTiles(first, count);
    CControlUI* empty = m_pm.FindControl("No_device_Link");
    if (!present && m_devices->NoDeviceLayoutFlag()) {
        if (empty)
            empty->SetVisible(true);
        WriteLog("Open>pNoDeviceLinkLyout    true");
    } else if (present && m_devices->NoDeviceLayoutFlag()) {
        if (empty)
            empty->SetVisible(false);
        WriteLog("Open>pNoDeviceLinkLyout    false");
    }
    SetPowerQueryPause(0);
    BringToFront();
}

void CMainWnd::BringToFront()
{
    SendMessage(WM_SYSCOMMAND, SC_RESTORE, 0);
    ShowWindow(true, true);
    m_devices->SetPreviewPaused(false);
    m_lightSync.SetPaused(false);
    SetTopmost(true);
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    SetTopmost(false);
}

void CMainWnd::SetPowerQueryPause(int pause)
{
    for (COrlithUSBDevice* device : m_devices->Mice())
        device->SetPowerQueryPause(pause);
    for (COrlithUSBDevice* device : m_devices->Keyboards())
        device->SetPowerQueryPause(pause);
}

void CMainWnd::HideToTray()
{
    ShowWindow(false, false);
    SetPowerQueryPause(1);
    m_devices->SetPreviewPaused(true);
    m_lightSync.SetPaused(true);
}

void CMainWnd::Shutdown()
{
    if (m_shutDown)
        return;
    m_shutDown = true;
    m_tray.DeleteTrayIcon();
    m_hook.Stop();
    // Workers first: a worker blocked in SendMessage is released because the window is going.
    m_scan.Stop(1000);
    m_bus.Stop();
    m_lightSync.Stop(1000);
    for (COrlithUSBDevice* device : m_devices->AllDevices()) {
        device->StopLighting();
        device->CloseNotificationInterface(false);
        device->CloseNotificationInterface(true);
    }
}

void CMainWnd::OnFinalMessage(HWND hWnd)
{
    WindowImplBase::OnFinalMessage(hWnd);
}

void CMainWnd::Notify(TNotifyUI& msg)
{
    const std::string& type = msg.sType;
    if (type != "timer")
        platform::DebugOutput(type + " " + (msg.pSender ? std::string(msg.pSender->GetName()) : std::string()));
    if (type == "windowinit")
        OnWindowInit();
    else if (type == "windowsize" && m_displayChanged && msg.pSender && msg.pSender->GetName() == "root") {
        m_displayChanged = false;
        Rescale();
    } else if (type == "click")
        OnClick(msg);
    else if (type == "selectchanged")
        OnSelectChanged(msg);
    else if (type == "itemselect")
        OnItemSelect(msg);
    else if (type == "click_wpremove" || type == "click_wpedit")
        return;
    else if (!RouteToPanels(msg) && !RouteToShootEditor(msg))
        ControlRouter::Route(msg, SelectedDevice());
    WindowImplBase::Notify(msg);
}

void CMainWnd::OnClick(TNotifyUI& msg)
{
    const std::string name = msg.pSender ? std::string(msg.pSender->GetName()) : std::string();
    if (EqualsNoCase(name, "closebtn")) {
        HideToTray();
    } else if (EqualsNoCase(name, "nodevice_ok_btn") || EqualsNoCase(name, "errordevice_ok_btn")) {
        HideToTray();
    } else if (EqualsNoCase(name, "errordevice_connect_btn")) {
        RepairSelectedMouse();
    } else if (EqualsNoCase(name, "control_light_status")) {
        m_lightingControl = !m_lightingControl;
    } else if (EqualsNoCase(name, "minbtn")) {
        SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    } else if (EqualsNoCase(name, "maxbtn")) {
        SendMessage(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    } else if (EqualsNoCase(name, "restorebtn")) {
        SendMessage(WM_SYSCOMMAND, SC_RESTORE, 0);
    } else if (name.rfind("windowdeviceset_", 0) == 0) {
        OpenDesktopInputSettings(std::atoi(name.c_str() + 16));
    } else if (EqualsNoCase(name, "device_select_prev")) {
        m_devices->SelectPrevious();
    } else if (EqualsNoCase(name, "device_select_next")) {
        m_devices->SelectNext();
    } else if (EqualsNoCase(name, "deng_same_mode")) {
        StartSynchronisedLighting();
    } else if (const ControlRoute* route = ControlRouter::Find(msg); route && route->owner == RouteOwner::ProfilePanel) {
        m_profiles.OnClick(name, SelectedDevice());
    } else if (!RouteToPanels(msg) && !RouteToShootEditor(msg)) {
        ControlRouter::Route(msg, SelectedDevice());
    }
}

void CMainWnd::RepairSelectedMouse()
{
    COrlithUSBDevice* selected = SelectedDevice();
    auto* mouse = selected ? static_cast<COrlithMouseDevice*>(selected->GetInterface("OrlithMouseDevice")) : nullptr;
    if (mouse)
        mouse->ResetInformationBlock();
}

void CMainWnd::OnSelectChanged(TNotifyUI& msg)
{
    const std::string name = msg.pSender ? std::string(msg.pSender->GetName()) : std::string();
    if (name == "device_select") {
        m_devices->OnTileSelectionChanged();
        return;
    }
    if (int panel = FunctionPanelOfTab(name)) {
        auto* option = static_cast<COptionUI*>(msg.pSender->GetInterface("Option"));
        if (COrlithUSBDevice* device = SelectedDevice(); device && option && option->IsSelected())
            device->ShowFunctionPanel(panel);
        return;
    }
    if (name == "synchro_device_select") {
        // Clearing a tile's synchronised mark takes its product out; its own effect returns.
        auto* option = static_cast<COptionUI*>(msg.pSender->GetInterface("Option"));
        for (int i = 0; option && !option->IsSelected() && i < m_devices->TileCount(); ++i) {
            CDeviceOptionUI* tile = m_devices->TileAt(i);
            if (tile->Device() && msg.pSender->GetParent() == tile)
                tile->Device()->SetSynchronised(false);
        }
        return;
    }
    if (RouteToPanels(msg) || RouteToShootEditor(msg))
        return;
    ControlRouter::Route(msg, SelectedDevice());
}

bool CMainWnd::RouteToShootEditor(TNotifyUI& msg)
{
    const ControlRoute* route = ControlRouter::Find(msg);
    if (!route || route->owner != RouteOwner::ShootPanel)
        return false;
    COrlithUSBDevice* device = SelectedDevice();
    if (device && ControlRouter::Serves(RouteOwner::ShootPanel, device->Kind()))
        m_shoot.OnNotify(msg, device);
    return true;
}

int CMainWnd::SwitchCapture(platform::CaptureMode mode, bool on)
{
    int result = 0;
    if (on && m_hookSink)
        result = m_hook.Start(mode, *m_hookSink, true, true);
    else if (!on)
        result = m_hook.Stop();
    // Where only keys typed into our own window can be captured, the page says so meanwhile.
    COrlithUSBDevice* device = SelectedDevice();
    if (CControlUI* hint = device ? m_pm.FindSubControlByName(device, "macro_record_hint") : nullptr) {
        hint->SetText("%[macro_record_focus_only_text]");
        hint->SetVisible(on && m_hook.FocusedWindowOnly());
    }
    return result;
}

bool CMainWnd::IsOnStopButton(POINT screen)
{
    COrlithUSBDevice* device = SelectedDevice();
    CControlUI* stop = device ? m_pm.FindSubControlByName(device, "macro_btn_stopredio") : nullptr;
    if (!stop || !stop->IsVisible())
        return false;
    const RECT window = GetWindowRect();
    const RECT& button = stop->GetPos();
    const POINT inWindow{screen.x - window.left, screen.y - window.top};
    return inWindow.x >= button.left && inWindow.x < button.right && inWindow.y >= button.top && inWindow.y < button.bottom;
}

void CMainWnd::OnItemSelect(TNotifyUI& msg)
{
    if (msg.pSender && msg.pSender->GetName() == "device_profile_combo") {
        SetTimer(kTimerApplyProfile, 400);
        return;
    }
    if (!RouteToPanels(msg))
        ControlRouter::Route(msg, SelectedDevice());
}

LRESULT CMainWnd::HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled)
{
    bHandled = TRUE;
    if (uMsg == WM_ACTIVATE) {
        m_windowActive = wParam != 0;
        for (COrlithUSBDevice* device : m_devices->AllDevices())
            device->SetPointerOverWindow(m_windowActive);
    } else if (uMsg == m_messages.instance) {
        platform::DebugOutput("软件标示 " + std::to_string(uMsg));
        FirstShow();
    } else if (uMsg == WM_DESTROY) {
        Shutdown();
        PostQuitMessage(0);
        bHandled = FALSE;
    } else if (uMsg == WM_POWERBROADCAST) {
        if (wParam == kPowerResumeAutomatic)
            m_systemAwake = true;
        else if (wParam == kPowerSuspend)
            m_systemAwake = false;
    } else if (!m_systemAwake) {
        bHandled = FALSE;
    } else if (m_macroPanel.IsCaptureMessage(uMsg)) {
        RECT frame = GetWindowRect();
        m_macroPanel.OnCaptureMessage(uMsg, wParam, lParam, SelectedDevice(), POINT{frame.left, frame.top});
    } else if (uMsg == WM_DISPLAYCHANGE) {
        m_displayChanged = true;
        Rescale();
    } else if (uMsg == WM_TIMER) {
        OnTimer(static_cast<UINT>(wParam));
        bHandled = FALSE;
    } else if (uMsg == UIMSG_TRAYICON) {
        OnTrayIcon(static_cast<UINT>(lParam));
    } else if (uMsg == WM_MENUCLICK) {
        OnMenuCommand(reinterpret_cast<const MenuCmd*>(wParam));
    } else if (uMsg == kMsgDeviceArrived) {
        m_devices->OnArrived(static_cast<int>(wParam));
    } else if (uMsg == kMsgDeviceRemoved) {
        m_devices->OnRemoved(static_cast<int>(wParam));
    } else if (uMsg == kMsgTileVisible) {
        m_devices->OnTileVisibility(static_cast<int>(wParam), lParam != 0);
    } else if (uMsg == kMsgDeviceInitialised) {
        m_devices->OnDeviceInitialised(wParam != 0);
    } else if (uMsg == kMsgArmTileTimer) {
        ArmDeviceTimer(static_cast<UINT>(wParam), reinterpret_cast<COrlithUSBDevice*>(lParam));
    } else if (uMsg == kMsgRefreshPage) {
        for (COrlithUSBDevice* device : m_devices->AllDevices()) {
            if (reinterpret_cast<LPARAM>(device) == lParam)
                device->RefreshPage();
        }
    } else if (uMsg == kMsgSynchroChanged) {
        OnSynchroChanged();
    } else if (uMsg == LanguageChangedMessage) {
        m_languages.ApplyLanguage(static_cast<int>(wParam), m_pm);
        for (COrlithUSBDevice* device : m_devices->Mice())
            device->RefreshPage();
        for (COrlithUSBDevice* device : m_devices->Keyboards())
            device->RefreshPage();
    } else if (uMsg == kMsgSingleKeyCapture) {
        if (wParam == 1 && m_hookSink)
            m_hook.Start(platform::CaptureMode::SingleKey, *m_hookSink, true, true);
        else if (wParam == 0)
            m_hook.Stop();
    } else if (uMsg == kMsgShowSettingProgress) {
        if (CControlUI* progress = m_pm.FindControl("setting_progress"))
            progress->SetVisible(true);
    } else if (uMsg == kMsgDpiOnlyTrace) {
        platform::DebugOutput("界面 DPI 1发生变化");
    } else {
        bHandled = FALSE;
    }
    return 0;
}

void CMainWnd::ArmDeviceTimer(UINT timerId, COrlithUSBDevice* device)
{
    for (COrlithUSBDevice* each : m_devices->AllDevices()) {
        if (each == device && each->Tile())
            m_pm.SetTimer(each->Tile(), timerId, timerId == kTimerReload ? 50 : 1);
    }
}

void CMainWnd::StartSynchronisedLighting()
{
    COrlithUSBDevice* source = SelectedDevice();
    if (!source)
        return;
    const LightInfo record = source->GetLightSettings();
    const int syncMode = LightSyncEffect::SyncModeOf(WiredKindOf(source->Kind()), record.selectItem);
    if (syncMode < 0)
        return;
    LightSyncSettings sync;
    sync.mode = static_cast<uint8_t>(syncMode);
    sync.brightness = record.brightness;
    sync.speed = record.speed;
    sync.direction = record.direction;
    sync.multiColor = record.multiColor;
    sync.red = record.red;
    sync.green = record.green;
    sync.blue = record.blue;
    m_lightSync.SetDevices(m_devices->DevicesInPaintOrder());
    m_lightSync.StartEffect(sync);
    for (COrlithUSBDevice* device : m_devices->DevicesInJoinOrder()) {
        const int mode = LightSyncEffect::DeviceModeOf(WiredKindOf(device->Kind()), syncMode);
        if (!device->IsConnected() || mode < 0)
            continue;
        device->SetSynchronised(true);
        LightInfo copy = record;
        copy.selectItem = static_cast<uint8_t>(mode);
        device->SetLightSettings(copy);
        device->SaveProfile();
        device->LoadLightState();
        device->RefreshPage();
        device->WriteProfileRecord(0, 0);
    }
    OnSynchroChanged();
}

void CMainWnd::OnSynchroChanged()
{
    m_devices->ShowSynchroStates();
    m_lightSync.Wake();
}

void CMainWnd::OnTimer(UINT id)
{
    KillTimer(id);
    switch (id) {
    case kTimerRescale:
        Rescale();
        m_pm.Invalidate();
        break;
    case kTimerTrayMenu:
        ShowTrayMenu();
        break;
    case kTimerApplyProfile:
        m_profiles.ApplySelection(SelectedDevice());
        break;
    default:
        break;
    }
}

void CMainWnd::OnTrayIcon(UINT mouseMessage)
{
    if (mouseMessage == WM_RBUTTONUP) {
        SetTimer(kTimerTrayMenu, 10);
        return;
    }
    if (mouseMessage != WM_LBUTTONUP)
        return;
    int first = 0, count = 0;
    bool present = m_devices->CountPresentTiles(first, count);
    if (m_devices->NoDeviceLayoutFlag()) {
        if (CControlUI* empty = m_pm.FindControl("No_device_Link"))
            empty->SetVisible(!present);
        WriteLog(std::string("UIMSG_TRAYICON>pNoDeviceLinkLyout    ") + (present ? "false" : "true"));
    }
    if (IsVisible() && !IsMinimized()) {
        HideToTray();
        return;
    }
    Rescale();
    BringToFront();
    SetPowerQueryPause(0);
    m_pm.NeedUpdate();
}

void CMainWnd::ShowTrayMenu()
{
    CMenuWnd::CloseAllMenus();
    CMenuWnd::CreateMenu(nullptr, "menu.xml", CursorPosition(), &m_pm, nullptr,
                         eMenuAlignment_Left | eMenuAlignment_Top);
}

void CMainWnd::OnMenuCommand(const MenuCmd* command)
{
    if (!command)
        return;
    if (command->szName == "exit") {
        Close(0);
    } else if (command->szName == "show") {
        Rescale();
        BringToFront();
        SetPowerQueryPause(0);
    } else {
        m_macroPanel.OnMenuCommand(command->szName, SelectedDevice());
    }
}

void CMainWnd::Rescale()
{
    bool visible = IsVisible() && !IsMinimized();
    m_dpi = CheckedDpi(DpiForMonitor(MonitorRectOf(GetHWND())), "MAIN_WND");
    CPaintManagerUI::SetAllDPI(96);
    SetWindowPos(0, 0, kLayoutWidth, kLayoutHeight, SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER);
    CPaintManagerUI::SetAllDPI(m_dpi);
    CenterWindow();
    ShowWindow(visible, false);
}

void CMainWnd::OnSimControl(int action, const std::string& device)
{
    if (!m_simulated)
        return;
    switch (action) {
    case 0:
        m_simulated->Plug(device);
        break;
    case 1:
        m_simulated->Unplug(device);
        break;
    case 2:
        m_simulated->Link();
        break;
    case 3:
        m_simulated->Unlink();
        break;
    case 4:
        m_simulated->Press(device);
        break;
    case 5: {
        // "NAME:MODE:SPEED"
        int mode = 0, speed = 0;
        const size_t colon = device.find(':');
        if (colon != std::string::npos && std::sscanf(device.c_str() + colon + 1, "%d:%d", &mode, &speed) == 2)
            m_simulated->SetEffect(device.substr(0, colon), mode, speed);
        break;
    }
    default:
        break;
    }
}
