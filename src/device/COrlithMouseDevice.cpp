#include "device/COrlithMouseDevice.h"

#include "device/DeviceKind.h"
#include "device/DeviceMessages.h"
#include "device/PowerView.h"
#include "log/LogFile.h"
#include "macro/MacroConfigFile.h"
#include "platform/Folders.h"
#include "profile/JsonFile.h"
#include "toolkit/MessageQueue.h"

COrlithMouseDevice::COrlithMouseDevice() : m_commands(Channel(), m_profile)
{
    m_kind = kDeviceMouse;
    SetLightModeTable(LightEngine::ModeTable::Mouse);
    SetLightingStopText("MS灯光线程设定退出");
    m_commands.SetHost(this);
    Channel().SetLogSink(WriteLog);
}

COrlithMouseDevice::~COrlithMouseDevice()
{
    StopLighting();
    CloseNotificationInterface(false);
    CloseNotificationInterface(true);
}

void* COrlithMouseDevice::GetInterface(std::string_view name)
{
    if (name == "OrlithMouseDevice")
        return this;
    return COrlithUSBDevice::GetInterface(name);
}

void COrlithMouseDevice::BindPageControls()
{
    COrlithUSBDevice::BindPageControls();
    m_commands.SetDeviceFolder(DeviceFolder());
    LoadLightModes();
    // The page shows the profile from the start; edits change it while no mouse is there.
    LoadProfile();
    RefreshPage();
    LoadLightState();
}

void COrlithMouseDevice::LoadLightModes()
{
    JsonFile json;
    const Json::Value document = json.ReadJsonDocument(platform::Folders::ProgramFolder() + "/DefaultData/default_light.json");
    const Json::Value& families = document.isObject() ? document["DefaultLightName"] : Json::Value::nullSingleton();
    const auto family = static_cast<Json::ArrayIndex>(GetFamilyLightIndex());
    if (!families.isArray() || family >= families.size() || !families[family].isArray())
        return;
    std::vector<int> values;
    m_lightModeNames.clear();
    for (const Json::Value& mode : families[family]) {
        if (!mode.isObject() || !mode["value"].isInt() || !mode["LightName"].isString())
            continue;
        values.push_back(mode["value"].asInt());
        m_lightModeNames.push_back(mode["LightName"].asString());
    }
    m_commands.SetLightModeValues(std::move(values));
}

bool COrlithMouseDevice::IsReceiverLinked()
{
    return IsConnected() && Channel().IsReceiverMode() && Channel().IsLinked();
}

void COrlithMouseDevice::ReadAllFromDevice()
{
    m_commands.ReadAllFromDevice();
}

void COrlithMouseDevice::ReloadFromDevice()
{
    m_commands.ReloadFromDevice();
    LoadLightState();
}

void COrlithMouseDevice::StartLighting()
{
    LoadLightState();
    COrlithUSBDevice::StartLighting();
}

int COrlithMouseDevice::WriteProfileRecord(int profile, int value)
{
    return m_commands.WriteProfileRecord(profile, value);
}

void COrlithMouseDevice::SetLightSettings(const LightInfo& settings)
{
    COrlithUSBDevice::SetLightSettings(settings);
    m_profile.SetLightInfo(settings);
}

void COrlithMouseDevice::LoadLightState()
{
    const LightInfo settings = m_profile.GetLightInfo();
    COrlithUSBDevice::SetLightSettings(settings);
    std::vector<LightEffectStep> steps = m_profile.GetLightEffectSteps();
    WithEngine([&](LightEngine& engine) {
        engine.SetSettings(settings);
        engine.SetEffectSteps(std::move(steps));
    });
}

void COrlithMouseDevice::ReadPowerStatus()
{
    if (PowerQueryPause() != 0)
        return;
    const std::optional<PowerTileRecord> record = m_commands.ReadPowerStatus();
    if (!record)
        return;
    if (PowerTile())
        PowerTile()->ShowStatus(reinterpret_cast<const uint8_t*>(&*record), sizeof *record);
    SendToWindow(kMsgPowerReport, record->zero4, 0);
}

int COrlithMouseDevice::KeepAliveMinutes()
{
    return m_commands.KeepAliveMinutes();
}

int COrlithMouseDevice::ResetInformationBlock()
{
    const int result = m_commands.ResetInformationBlock();
    if (result == kChannelOk)
        ArmTileTimer(kTimerConnect, 500);
    return result;
}

void COrlithMouseDevice::OnInitialisationChecked(bool initialised)
{
    SendToWindow(kMsgDeviceInitialised, initialised ? 1 : 0, 0);
}

void COrlithMouseDevice::OnFirmwareVersion(uint16_t productId, uint16_t version)
{
    SendToWindow(kMsgFirmwareVersion, productId, version);
}

void COrlithMouseDevice::OnDeviceNotice(int code, const uint8_t* report, size_t length)
{
    (void)report;
    (void)length;
    const MouseNoticeEffect effect = m_commands.OnDeviceNotice(static_cast<uint16_t>(code));
    if (!effect.refreshPage)
        return;
    {
        // Notices that arrive before the UI thread ran keep the latest stage reported.
        std::lock_guard guard(m_noticeLock);
        if (!m_pendingNotice || effect.dpiStage >= 0)
            m_pendingNotice = effect;
    }
    if (m_hMainWnd)
        ::PostMessage(m_hMainWnd, kMsgRefreshPage, 0, reinterpret_cast<LPARAM>(static_cast<COrlithUSBDevice*>(this)));
}

void COrlithMouseDevice::LoadProfile()
{
    const std::string family = FamilyName().empty() ? std::string("mouse") : FamilyName();
    m_library.SetKind(Kind());
    m_library.SetFolders(DeviceFolder().empty() ? ProfileLibrary::FamilyFolder(family) : DeviceFolder(),
                         ProfileLibrary::DefaultProfilePathFor(family));
    m_library.Init();
    const std::string selected = m_library.CurrentProfilePath();
    m_profile.SetDefaultProfilePath(ProfileLibrary::DefaultProfilePathFor(family));
    m_profile.SetLightConfigPath(m_library.LightConfigPath());
    SetProfileFile(selected.empty() ? m_profile.GetDefaultProfilePath() : selected);
}

void COrlithMouseDevice::SetProfileFile(const std::string& path)
{
    m_profile.SetProfilePath(path);
    m_profile.LoadProfile(path);
    m_profile.GetDpiStages();
    m_profile.GetMouseSystem();
}

void COrlithMouseDevice::SaveProfile()
{
    // The default profile is the program's own data; a mouse without a profile list of its own
    // keeps its changes in memory only.
    if (m_profile.GetProfilePath() == m_profile.GetDefaultProfilePath())
        return;
    m_profile.SaveProfile();
}

int COrlithMouseDevice::ApplyProfile(const std::string& profilePath)
{
    SetProfileFile(profilePath);
    // A button may still call a macro that was deleted while another profile was in use.
    MacroConfigFile macros;
    macros.Read(DeviceFolder() + "/macro.config");
    RevalidateMacroKeys(static_cast<int>(macros.entries.size()));
    RefreshPage();
    LoadLightState();
    m_commands.WriteProfileRecord(0, 0);
    // The profile's buttons may call macros the mouse does not hold yet.
    return m_commands.WriteMacros(m_commands.GetUsedMacros(m_profile.GetKeyList()));
}

void COrlithMouseDevice::ResetToDefaults()
{
    const std::string current = m_profile.GetProfilePath();
    m_profile.LoadProfile(m_profile.GetDefaultProfilePath());
    m_profile.SetProfilePath(current);
    m_profile.GetDpiStages();
    m_profile.GetMouseSystem();
    SaveProfile();
    RefreshPage();
    LoadLightState();
    m_commands.WriteProfileRecord(0, 0);
}

void COrlithMouseDevice::StoreAndWrite()
{
    SaveProfile();
    m_commands.WriteProfileRecord(0, 0);
}

void COrlithMouseDevice::SetKeyAssignments(const std::vector<KeyAssignment>& keys)
{
    m_profile.SetKeyList(keys);
    SaveProfile();
    ShowKeyInformation();
}

std::vector<std::string> COrlithMouseDevice::OtherProfilePaths()
{
    std::vector<std::string> paths;
    const std::string current = m_profile.GetProfilePath();
    for (int i = 0; i < m_library.ProfileCount(); ++i) {
        std::string path = m_library.ProfilePathAt(i);
        if (!path.empty() && path != current)
            paths.push_back(path);
    }
    return paths;
}

int COrlithMouseDevice::WriteCurrentKeyAssignments()
{
    return m_commands.WriteKeyAssignments(0, m_profile.GetKeyList());
}

int COrlithMouseDevice::UploadUsedMacros()
{
    return m_commands.WriteMacros(m_commands.GetUsedMacros(m_profile.GetKeyList()));
}

int COrlithMouseDevice::WriteKeyTable()
{
    const int result = UploadUsedMacros();
    // Macros that do not fit leave the buttons as the mouse has them.
    if (result > 0)
        return result;
    WriteCurrentKeyAssignments();
    SaveProfile();
    return result;
}

bool COrlithMouseDevice::RevalidateMacroKeys(int macroCount)
{
    std::vector<KeyAssignment> keys = m_profile.GetKeyList();
    bool changed = false;
    for (KeyAssignment& key : keys) {
        const KeyFunction& function = key.current.function;
        const bool macro = function.type == MouseButtonMap::kMacroRepeatMode || function.type == MouseButtonMap::kMacroRepeatCount;
        if (macro && function.high >= macroCount) {
            key.current.function = key.defaults.function;
            changed = true;
        }
    }
    if (changed) {
        m_profile.SetKeyList(keys);
        SaveProfile();
    }
    return changed;
}
