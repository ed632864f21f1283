#pragma once

// The main window's side of the macro panel of the device page in front: the panel's buttons,
// the action menu of a row, recording (the input hook switched on and off through a capture
// switch the window provides) and the capture messages the hook sends, and the macro upload
// after every change that affects what the device holds.

#include "panels/CMacroControlUI.h"
#include "toolkit/NotifyUI.h"

#include <functional>
#include <string>

class COrlithUSBDevice;
class IProfileDialogs;
class ProfileCommands;

// The registered capture messages of the input hook, by their strings.
struct CaptureMessages {
    UINT singleKey = 0;
    UINT keyAppend = 0, keyBefore = 0, keyAfter = 0, keyReplace = 0;
    UINT mouseAppend = 0, mouseBefore = 0, mouseAfter = 0, mouseReplace = 0;
    static CaptureMessages Register();
};

// The keyboard record a key capture message points to (the low-level keyboard hook's record).
#pragma pack(push, 1)
struct KeyCaptureRecord {
    uint32_t virtualKey; // Windows virtual-key code
    uint32_t scanCode;   // set-1 make code
    uint32_t flags;      // bit 0: extended key
    uint32_t time;       // milliseconds
    uint64_t extraInfo;
};
#pragma pack(pop)
static_assert(sizeof(KeyCaptureRecord) == 24);

// The mouse record a mouse capture message points to: the cursor on the screen, and at byte 20
// the X button number (1 back, 2 forward) in the high 16 bits.
#pragma pack(push, 1)
struct MouseCaptureRecord {
    int32_t x;
    int32_t y;
    uint8_t unused[12];
    uint32_t buttonData;
};
#pragma pack(pop)
static_assert(sizeof(MouseCaptureRecord) == 24);

class MacroPanelCommands {
public:
    static constexpr const char* kFilterDescription = "Macro Files(*.mac)";
    static constexpr const char* kFilterPattern = "*.mac;";
    // Switches the input hook: (capture mode, on) → 1 started, 0 failed; (mode, off) → stopped.
    using CaptureSwitch = std::function<int(int mode, bool on)>;

    MacroPanelCommands(CPaintManagerUI& manager, ProfileCommands& profiles);

    static CMacroControlUI* PanelOf(COrlithUSBDevice* device);
    void SetCaptureSwitch(CaptureSwitch captureSwitch) { m_captureSwitch = std::move(captureSwitch); }
    const CaptureMessages& Messages() const { return m_messages; }

    // Page creation: the panel reads the device's macros.
    void Prepare(COrlithUSBDevice* device);
    void OnNotify(TNotifyUI& msg, COrlithUSBDevice* device);
    // An item of the row action menu; false when the name is none of the menu's.
    bool OnMenuCommand(const std::string& item, COrlithUSBDevice* device);
    bool IsCaptureMessage(UINT uMsg) const;
    // A capture message of the hook; false when uMsg is none of them.
    bool OnCaptureMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, COrlithUSBDevice* device, POINT windowOrigin);
    // Hands the single-key capture to the key panel (set by the window).
    std::function<void(uint32_t scanCode, bool extended)> onSingleKey;

    // Uploads the macros the current key assignments use and reports the result.
    void UploadMacros(COrlithUSBDevice& device);
    void StartRecording(TimingMode timing, CaptureMode mode, COrlithUSBDevice& device);
    void StopRecording(COrlithUSBDevice& device);

private:
    // A macro made or imported joins the key panel's list; a failure is told, except a full
    // list on a keyboard.
    void TakeAddedMacro(int result, const std::string& name, COrlithUSBDevice& device);
    void SetRecordHook(CaptureMode mode, bool enable, COrlithUSBDevice& device);
    void NewMacro(CMacroControlUI& panel, COrlithUSBDevice& device);
    void DeleteMacro(CMacroControlUI& panel, COrlithUSBDevice& device);
    void RenameMacro(CMacroControlUI& panel, COrlithUSBDevice& device);
    void ImportMacro(CMacroControlUI& panel, COrlithUSBDevice& device);
    void ExportMacro(CMacroControlUI& panel);
    void Save(CMacroControlUI& panel, bool fillEmptyDelays = true);
    void OpenActionMenu();
    IProfileDialogs& Dialogs();

    CPaintManagerUI& m_manager;
    ProfileCommands& m_profiles;
    CaptureMessages m_messages;
    CaptureSwitch m_captureSwitch;
};
