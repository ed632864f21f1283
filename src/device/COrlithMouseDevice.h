#pragma once

// The mouse, wired or through its 2.4 GHz receiver: one object serves both paths. It is the
// mouse's settings page and owns the mouse's profile object and command set.
//
// Index: device operations (COrlithMouseDevice.cpp: connect, re-read, power, notices, profile
// files) · page (COrlithMousePage.cpp: notifications of the page's controls, RefreshPage and
// the key information list).

#include "device/COrlithUSBDevice.h"
#include "device/MouseCommandHost.h"
#include "device/MouseCommandSet.h"
#include "profile/CMouseProfiledata.h"
#include "profile/ProfileLibrary.h"

#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

class CControlUI;

class COrlithMouseDevice : public COrlithUSBDevice, private MouseCommandHost {
public:
    // Opens the colour dialog for a stage: the colour to edit in, the chosen colour out. False
    // when the user cancelled.
    using ColourDialog = std::function<bool(uint32_t& argb)>;

    COrlithMouseDevice();
    // Stops the notification readers before the command set and profile they call go away.
    ~COrlithMouseDevice() override;
    const char* GetClass() const override { return "OrlithMouseDevice"; }
    void* GetInterface(std::string_view name) override;

    // Connected, in receiver mode, and the receiver reports its mouse linked.
    bool IsReceiverLinked() override;
    // Binds the picture's spots, then loads the profile and shows it (no mouse needed).
    void BindPageControls() override;
    void ReadAllFromDevice() override;
    void ReloadFromDevice() override;
    // Hands the power record to the power tile and sends 0xD01; nothing while paused.
    void ReadPowerStatus() override;
    int KeepAliveMinutes() override;
    // The selected profile of the family's profile list, or the default profile without one.
    void LoadProfile() override;
    // Shows the profile on the page, after applying what a change notice reported.
    void RefreshPage() override;
    // Overwrites the selected profile with the default one, shows it and writes the mouse.
    void ResetToDefaults() override;
    // Loads the profile file, shows it, writes its record and uploads the macros its buttons
    // use: WriteMacros' result (0 sent, -1 failed, above 0 too large).
    int ApplyProfile(const std::string& profilePath) override;
    void SaveProfile() override;
    std::vector<KeyAssignment> KeyAssignments() override { return m_profile.GetKeyList(); }
    void SetKeyAssignments(const std::vector<KeyAssignment>& keys) override;
    std::vector<std::string> OtherProfilePaths() override;
    int WriteCurrentKeyAssignments() override;
    int UploadUsedMacros() override;
    int WriteKeyTable() override;
    bool RevalidateMacroKeys(int macroCount) override;
    int WriteProfileRecord(int profile, int value) override;
    // Also stored in the profile object.
    void SetLightSettings(const LightInfo& settings) override;
    // Takes the profile's lighting (and custom effect frames) and restarts the preview.
    void LoadLightState() override;
    // Reader thread: changes the record copy and asks the UI thread for RefreshPage.
    void OnDeviceNotice(int code, const uint8_t* report, size_t length) override;
    void OnPageNotify(TNotifyUI& msg) override;
    // "errordevice_connect_btn": marks the information block prepared and, when written,
    // starts the full read in 500 ms. The command set's result.
    int ResetInformationBlock();

    MouseCommandSet& Commands() { return m_commands; }
    CMouseProfiledata& Profile() { return m_profile; }
    // Replaces the colour dialog (tests); the default opens "PalletDialog" over the main window.
    void SetColourDialog(ColourDialog dialog) { m_colourDialog = std::move(dialog); }

private:
    // MouseCommandHost
    void OnInitialisationChecked(bool initialised) override;
    void OnFirmwareVersion(uint16_t productId, uint16_t version) override;
    // The connect sequence's last step: the preview starts from the profile's lighting.
    void StartLighting() override;

    void LoadLightModes();
    void SetProfileFile(const std::string& path);

    // Page handlers (COrlithMousePage.cpp).
    void OnDpiSelect(int stage);
    void OnDpiSlider(int stage, bool moving);
    void OnDpiEdit(int stage);
    void OnDpiEnable(int stage);
    void OnDpiColour(int stage);
    void OnTavixEdit(int stage);
    void OnSystemWord(int word, int value, bool writeDevice);
    void OnComboSelect(CControlUI* sender, const std::string& name);
    void OnSettingsPart(int part);
    // The common end of a change: store the profile, then write the record.
    void StoreAndWrite();
    // The stage list with stage i present (grown with empty stages).
    std::vector<DpiStage> StagesWith(int stage);
    void ShowStageValue(int stage, int index);
    void ShowStages();
    void ShowStageChecks(int current);
    void ShowSliderRanges();
    void ShowSystemSettings();
    void ShowKeyInformation();
    std::string FunctionName(const KeyFunction& function);
    void ShowLightingInformation();
    std::string Translate(const std::string& key);
    CControlUI* Control(const std::string& name);

    CMouseProfiledata m_profile;
    MouseCommandSet m_commands;
    ProfileLibrary m_library;
    ColourDialog m_colourDialog;
    bool m_colourDialogOpen = false;
    std::vector<std::string> m_lightModeNames; // language keys, in mode order
    std::mutex m_noticeLock;
    std::optional<MouseNoticeEffect> m_pendingNotice; // from the reader, for the UI thread
};
