#pragma once

// The base of every product's device object. It is at once the product's settings page (a
// horizontal layout holding the page built from the product's skin file) and the owner of
// everything that talks to the product: the command channel, the notification interfaces with
// their reader threads, and the working copies of the product's settings.
//
// Index: identity and page setup · command interface (attach, switch, detach) · notification
// interfaces and readers · operations the tile timers and the main window call · lighting
// settings, the lighting thread and the per-light colours.

#include "channel/DeviceChannel.h"
#include "device/LightEngine.h"
#include "hid/DeviceMatchTable.h"
#include "platform/Event.h"
#include "platform/WorkerThread.h"
#include "profile/ProfileRecords.h"
#include "toolkit/HorizontalLayoutUI.h"
#include "toolkit/NotifyPump.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class CControlUI;
class PowerView;

class COrlithUSBDevice : public CHorizontalLayoutUI, public CNotifyPump, public INotifyUI {
public:
    COrlithUSBDevice();
    ~COrlithUSBDevice() override;

    const char* GetClass() const override { return "OrlithUSBDevice"; }
    void* GetInterface(std::string_view name) override;

    int Kind() const { return m_kind; }
    int SubKind() const { return m_subKind; }
    const DeviceMatchEntry& Identity() const { return m_identity; }
    void SetIdentity(const DeviceMatchEntry& identity) { m_identity = identity; }
    DeviceChannel& Channel() { return m_channel; }
    bool IsConnected() const { return m_channel.IsOpen(); }

    // Page setup by the main window, in this order.
    void SetPageLayout(const std::string& layout) { m_pageLayout = layout; }
    void SetMainWindow(HWND hwnd) { m_hMainWnd = hwnd; }
    void SetCounts(int keyCount, int lightCount);
    void SetFamilyIndex(int index) { m_familyIndex = index; }
    void SetPowerTile(bool hasPowerTile, int powerQueryPause, PowerView* powerTile);
    void SetDeviceFolder(const std::string& folder) { m_deviceFolder = folder; }
    void SetFamilyName(const std::string& name) { m_familyName = name; }
    void SetLightPrefix(const std::string& prefix) { m_lightPrefix = prefix; }
    void SetTile(CControlUI* tile, int tileIndex);
    CControlUI* Tile() const { return m_tile; }
    int TileIndex() const { return m_tileIndex; }
    PowerView* PowerTile() const { return m_powerTile; }
    bool HasPowerTile() const { return m_hasPowerTile; }
    const std::string& FamilyName() const { return m_familyName; }
    const std::string& DeviceFolder() const { return m_deviceFolder; }

    // The power query is skipped while the pause is non-zero (the window is hidden).
    void SetPowerQueryPause(int pause) { m_powerQueryPause = pause; }
    int PowerQueryPause() const { return m_powerQueryPause; }
    void SetPointerOverWindow(bool over) { m_pointerOverWindow = over; }
    bool PointerOverWindow() const { return m_pointerOverWindow; }

    // Opens the channel on a command slot's path (receiver slots in receiver mode) when it is
    // not open yet, stores the identity and arms tile timer 1001. False when the open failed.
    bool AttachCommandInterface(const DeviceSlot& slot);
    // The channel swaps to the other path of the product: a wired cable that arrived while the
    // receiver was in use, or a receiver that remains when the cable left.
    bool SwitchCommandPath(const DeviceSlot& slot, bool toReceiver);
    // Clears the open flag and closes both command interfaces.
    void DetachCommandInterface();
    // Opens (or re-opens on a new path) a notification interface and starts its reader.
    bool OpenNotificationInterface(const DeviceSlot& slot, bool receiver);
    void CloseNotificationInterface(bool receiver);
    bool IsNotificationOpen(bool receiver) const;
    // The pause between the link tests after a switch to the receiver (tests shorten it).
    void SetLinkRetryPause(int milliseconds) { m_linkRetryPauseMs = milliseconds; }

    // Operations the tile timers and the main window call; the base does nothing.
    virtual void BindPageControls();
    // Paints the light spots from the per-light colours; true when a spot changed.
    virtual bool PaintLightPreview();
    virtual void ReadAllFromDevice() {}
    virtual void ReloadFromDevice() {}
    virtual void OnTimer1003() {}
    virtual void OnTimer1004() {}
    virtual void ReadPowerStatus() {}
    virtual bool IsReceiverLinked() { return true; }
    virtual int KeepAliveMinutes() { return 1; }
    virtual void LoadProfile() {}
    virtual void RefreshPage() {}
    virtual void ResetToDefaults() {}
    virtual std::string GetProfileName() const { return {}; }
    // The profile panel chose a profile: load the file, refresh the page and write the profile to
    // the product. Returns the macro upload result (0 sent, -1 failed, > 0 too large).
    virtual int ApplyProfile(const std::string& profilePath)
    {
        (void)profilePath;
        return 0;
    }
    // The macro memory of the product in 128-byte units (from its information block), 0 unknown.
    virtual int MacroMemoryUnits() const { return 0; }
    virtual void SaveProfile() {}
    // Writes the product's settings record; 1 when written (the base writes nothing: 0).
    virtual int WriteProfileRecord(int profile, int value)
    {
        (void)profile;
        (void)value;
        return 0;
    }
    virtual void SelectKey(int index) { m_selectedKey = index; }
    int SelectedKey() const { return m_selectedKey; }
    // The key assignments of the current profile; empty for products without assignable keys.
    virtual std::vector<KeyAssignment> KeyAssignments() { return {}; }
    // Replaces the current profile's key assignments, stores the profile and shows them.
    virtual void SetKeyAssignments(const std::vector<KeyAssignment>& keys) { (void)keys; }
    // The files of the family's other stored profiles (macro renumbering reaches them too).
    virtual std::vector<std::string> OtherProfilePaths() { return {}; }
    // Writes the current key assignments to the product: 1 written, else 0 or a channel code.
    virtual int WriteCurrentKeyAssignments() { return 0; }
    // Uploads the macros the current key assignments use: 0 sent, -1 failed, > 0 too large.
    virtual int UploadUsedMacros() { return 0; }
    // The key table with the macros it uses: the upload's result; the key table is written
    // unless the macros are too large (> 0), and the profile is stored.
    virtual int WriteKeyTable() { return 0; }
    // Assignments to a macro number at or past macroCount fall back to their defaults (stored).
    // True when one did.
    virtual bool RevalidateMacroKeys(int macroCount)
    {
        (void)macroCount;
        return false;
    }
    // A change notice above 0x0403 from a notification reader, on the reader's thread.
    virtual void OnDeviceNotice(int code, const uint8_t* report, size_t length);
    // A notification of a control on this page that the main window routes here.
    virtual void OnPageNotify(TNotifyUI& msg) { (void)msg; }
    void Notify(TNotifyUI& msg) override { OnPageNotify(msg); }

    // Remembers the panel type and switches "device_function_switch" and "device_key_function_switch".
    virtual void ShowFunctionPanel(int type);
    int GetFunctionPanel() const { return m_functionPanel; }
    void SetFamilyLightIndex(int index) { m_familyLightIndex = index; }
    int GetFamilyLightIndex() const { return m_familyLightIndex; }

    // The lighting settings: mode, brightness, speed, direction, multicolour, colour and the
    // rest of the profile's light record. Concrete classes also store them in the profile.
    virtual LightInfo GetLightSettings() const;
    virtual void SetLightSettings(const LightInfo& settings);
    // Restarts the preview from the lighting settings (concrete classes first take them from
    // the profile).
    virtual void LoadLightState();

    // Starts the lighting thread (or wakes it when it runs); stopped with the device.
    void StartLighting();
    void StopLighting();
    bool IsLightingRunning() const { return m_lightingThread.IsRunning(); }
    // Without the thread (tests), StepLighting is the only thing that moves the effects.
    void SetLightingThreadEnabled(bool enabled) { m_lightingThreadEnabled = enabled; }
    // Steps the effect up to nowMs (steady milliseconds) and copies the frame into the per-light
    // colours; the milliseconds until the next step, or LightEngine::kNoWake. The thread's step.
    int StepLighting(uint64_t nowMs);
    // The effect sleeps while nobody looks (window hidden) and resumes where it was.
    void SetLightingPaused(bool paused);
    // Synchronised lighting: while set, the light sync thread paints the lights and this
    // device's own effect rests; cleared, the own effect comes back at once.
    void SetSynchronised(bool synchronised);
    bool IsSynchronised() const { return m_synchronised; }
    // The key-press notice (0x0403) of the device's active path.
    void OnKeyPressNotice();
    // Milliseconds of the steady clock the lighting thread runs on.
    static uint64_t SteadyNowMs();

    // Ignored out of range.
    void SetLightColour(int index, uint32_t value);
    // 0 out of range.
    uint32_t GetLightColour(int index) const;
    int LightCount() const { return m_lightCount; }
    int KeyCount() const { return m_keyCount; }
    const std::vector<CControlUI*>& LightControls() const { return m_lightControls; }
    const std::vector<CControlUI*>& KeyButtons() const { return m_keyButtons; }

protected:
    // Synchronous report to the main window (no-op without one).
    LRESULT SendToWindow(UINT message, WPARAM wParam, LPARAM lParam);
    // Asks the UI thread to arm one of this device's tile timers; safe from any thread.
    void ArmTileTimerFromAnyThread(UINT timerId);
    // Arms a tile timer now; UI thread only.
    void ArmTileTimer(UINT timerId, UINT elapseMs);
    // The mode table of the product's lighting engine (before SetCounts).
    void SetLightModeTable(LightEngine::ModeTable table) { m_lightModeTable = table; }
    // Runs f on the engine under its lock, then wakes the lighting thread.
    template <typename F>
    void WithEngine(F&& f)
    {
        {
            std::lock_guard guard(m_engineLock);
            f(*m_engine);
        }
        WakeLighting();
    }
    void WakeLighting() { m_lightingWake.Set(); }
    // The text the lighting thread writes to the debugger when it stops.
    void SetLightingStopText(std::string text) { m_lightingStopText = std::move(text); }

    int m_kind = 0;
    int m_subKind = 0;
    HWND m_hMainWnd = nullptr;

private:
    struct NotificationReader;

    void RunNotificationReader(bool receiver, platform::Event& stop);
    void HandleNotice(bool receiver, const uint8_t* report, size_t length);
    NotificationReader& Reader(bool receiver);

    DeviceMatchEntry m_identity;
    DeviceChannel m_channel;
    DeviceChannel m_notifyChannel; // only its two HidDevices and two locks are used
    std::unique_ptr<NotificationReader> m_wiredReader;
    std::unique_ptr<NotificationReader> m_receiverReader;

    std::string m_pageLayout;
    std::string m_deviceFolder;
    std::string m_familyName;
    std::string m_lightPrefix;
    int m_keyCount = 0;
    int m_lightCount = 0;
    int m_familyIndex = -1;
    int m_familyLightIndex = 0;
    bool m_hasPowerTile = false;
    int m_powerQueryPause = 0;
    bool m_pointerOverWindow = false;
    int m_functionPanel = 0;
    int m_selectedKey = -1;
    int m_linkRetryPauseMs = 50;
    CControlUI* m_tile = nullptr;
    int m_tileIndex = -1;
    PowerView* m_powerTile = nullptr;

    void RunLighting(platform::Event& stop);
    bool LightingActive() const;

    LightInfo m_lightSettings;
    LightEngine::ModeTable m_lightModeTable = LightEngine::ModeTable::Mouse;
    std::mutex m_engineLock;
    std::unique_ptr<LightEngine> m_engine;
    uint64_t m_engineSerial = 0;
    platform::Event m_lightingWake{platform::Event::Mode::AutoReset};
    std::atomic<bool> m_lightingPaused{false};
    std::atomic<bool> m_synchronised{false};
    bool m_lightingThreadEnabled = true;
    std::string m_lightingStopText = "MS灯光线程设定退出";
    platform::WorkerThread m_lightingThread{"lighting"};

    mutable std::mutex m_lightLock;
    std::vector<uint32_t> m_lightColours; // per light: lighting::PackLight values
    uint64_t m_lightSerial = 0;           // grows with every change of a light
    uint64_t m_paintedSerial = ~0ull;     // the serial the preview last painted
    std::vector<CControlUI*> m_lightControls;
    std::vector<CControlUI*> m_keyButtons;
};
