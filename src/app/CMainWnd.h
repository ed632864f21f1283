#pragma once

// The one top-level window: the title bar, the device row with its tiles and pages, the tray
// icon and its menu. Every notification of the main skin and every message of the scan thread,
// the devices and cooperating programs arrives here and goes to its handler.
//
// Index: lifetime (InitWindow, window init, first show, shutdown) · notifications · window
// messages · tray and menu · scale · simulated devices.

#include "app/CDeviceList.h"
#include "app/DeviceScanThread.h"
#include "app/HookMessageSink.h"
#include "app/KeyPanelCommands.h"
#include "app/MacroPanelCommands.h"
#include "app/LightSyncThread.h"
#include "app/MessageBusBridge.h"
#include "app/ProfileCommands.h"
#include "app/ShootCommands.h"
#include "platform/CDeviceHook.h"
#include "platform/SettingsStore.h"
#include "toolkit/TrayIcon.h"
#include "toolkit/WindowImplBase.h"
#include "ui/LanguageManager.h"

#include <memory>
#include <string>
#include <vector>

class COrlithUSBDevice;
class SimulatedDevices;
struct MenuCmd;

// The program's registered messages, by the strings cooperating programs use.
struct RegisteredMessages {
    UINT instance = 0;           // "QV742-CORE"
    UINT updateRelay = 0;        // "{4695579F-999A-41d4-9FAF-EFFCE93EBF15}"
    UINT lightControlNotify = 0; // "{4695579F-999A-41d4-9FAF-EFFCE93EBF16}"
    UINT lightControlRequest = 0;
    UINT workToolQuery = 0;
    UINT audioDaemon = 0;
    // The registered strings in the order of the members above.
    static std::vector<std::string> Names();
    static RegisteredMessages Register();
};

extern const char kInstanceMessageName[];
extern const char kLightControlNotifyName[];

class CMainWnd : public WindowImplBase {
public:
    // Timers of the window itself (one-shot: each handler kills its own timer first).
    static constexpr UINT kTimerRescale = 1011;
    static constexpr UINT kTimerTrayMenu = 1032;
    static constexpr UINT kTimerApplyProfile = 1055;
    static constexpr UINT kTimerGameEvent = 1066;
    // Single-key capture for the key assignment panel: wParam 1 starts it, 0 ends it.
    static constexpr UINT kMsgSingleKeyCapture = WM_USER + 30;

    // busFolder: where the message bus lives (empty: the user's runtime folder).
    explicit CMainWnd(std::string busFolder = {});
    ~CMainWnd() override;

    CDuiString GetSkinFile() override { return "XML_MAIN"; }
    void InitWindow() override;
    void Notify(TNotifyUI& msg) override;
    LRESULT HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled) override;
    CControlUI* CreateControl(const char* className) override;
    CDuiString QueryControlText(const CDuiString&, const CDuiString&) override { return ""; }

    // The simulated products the running program serves, for the plug/unplug messages.
    void SetSimulatedDevices(std::shared_ptr<SimulatedDevices> devices) { m_simulated = std::move(devices); }
    // Whether the shell threads (scan, message bus) start at window init; tests may drive them.
    void SetStartThreads(bool start)
    {
        m_startThreads = start;
        m_devices->SetLightingThreads(start);
    }

    CDeviceList& Devices() { return *m_devices; }
    COrlithUSBDevice* SelectedDevice() const { return m_devices->SelectedDevice(); }
    const RegisteredMessages& Messages() const { return m_messages; }
    int Dpi() const { return m_dpi; }
    bool SystemAwake() const { return m_systemAwake; }
    DeviceScanThread& ScanThread() { return m_scan; }
    LanguageManager& Languages() { return m_languages; }
    ProfileCommands& Profiles() { return m_profiles; }
    KeyPanelCommands& KeyPanel() { return m_keyPanel; }
    // The macro panel's commands; the input hook is connected through SetCaptureSwitch.
    MacroPanelCommands& MacroPanel() { return m_macroPanel; }
    LightSyncThread& LightSync() { return m_lightSync; }
    // "deng_same_mode": every connected product takes the selected one's effect, in step.
    void StartSynchronisedLighting();
    ShootCommands& Shooting() { return m_shoot; }
    platform::CDeviceHook& Hook() { return m_hook; }
    // True for a point (screen coordinates) on the selected page's visible recording stop button.
    bool IsOnStopButton(POINT screen);

    // The DPI of a monitor: 144 when it is larger than 1500 x 960, else 96.
    static int DpiForMonitor(const RECT& monitor);
    // One of 48, 72, 96, 120, 144, 168, 192; any other value is reported and becomes 96.
    static int CheckedDpi(int dpi, const char* windowTag);

protected:
    const char* GetWindowClassName() const override { return "MainWnd"; }
    void OnFinalMessage(HWND hWnd) override;

private:
    void OnWindowInit();
    void LoadAudioLightingDocument();
    void FirstShow();
    void Shutdown();
    void OnClick(TNotifyUI& msg);
    // "errordevice_connect_btn": marks the selected mouse prepared and reads it again.
    void RepairSelectedMouse();
    void OnSelectChanged(TNotifyUI& msg);
    // Hands a notification of the recoil pattern editor to it; true when it was one.
    bool RouteToShootEditor(TNotifyUI& msg);
    void OnItemSelect(TNotifyUI& msg);
    // Hands a notification of the key or macro panel to its commands; false for other controls.
    bool RouteToPanels(TNotifyUI& msg);
    // The macro panel's switch of the input hook: starts (on) or ends the capture for mode; 1
    // started, 0 not (another program holds the keyboard). A page label "macro_record_hint"
    // says so while only keys typed into our own window can be captured.
    int SwitchCapture(platform::CaptureMode mode, bool on);
    void PreparePanels();
    void OnTimer(UINT id);
    void OnTrayIcon(UINT mouseMessage);
    void OnMenuCommand(const MenuCmd* command);
    void ShowTrayMenu();
    void Rescale();
    void BringToFront();
    void SetPowerQueryPause(int pause);
    void HideToTray();
    void OnSimControl(int action, const std::string& device);
    void ArmDeviceTimer(UINT timerId, COrlithUSBDevice* device);
    // A device joined or left synchronised lighting: tiles and the sync thread follow.
    void OnSynchroChanged();

    std::string m_busFolder;
    RegisteredMessages m_messages;
    platform::SettingsStore m_settings;
    LanguageManager m_languages;
    std::unique_ptr<CDeviceList> m_devices;
    DeviceScanThread m_scan;
    MessageBusBridge m_bus;
    LightSyncThread m_lightSync;
    CTrayIcon m_tray;
    std::shared_ptr<SimulatedDevices> m_simulated;
    bool m_startThreads = true;
    bool m_systemAwake = true;
    bool m_windowActive = false;
    bool m_displayChanged = false;
    int m_lightingControl = 1;
    int m_dpi = 96;
    ProfileCommands m_profiles{m_pm, std::make_unique<WindowProfileDialogs>(m_pm, m_dpi)};
    KeyPanelCommands m_keyPanel{m_pm, m_profiles};
    MacroPanelCommands m_macroPanel{m_pm, m_profiles};
    ShootCommands m_shoot;
    std::unique_ptr<HookMessageSink> m_hookSink;
    platform::CDeviceHook m_hook;
    bool m_shutDown = false;
    std::string m_audioLightingDevice; // the "Device" member of AudioFile.json, as JSON text
};
