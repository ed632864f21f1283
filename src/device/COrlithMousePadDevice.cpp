#include "device/COrlithMousePadDevice.h"

#include "device/DeviceKind.h"
#include "device/DeviceMessages.h"
#include "platform/Folders.h"
#include "profile/JsonFile.h"

namespace {

const char kFamily[] = "MousePad";

} // namespace

COrlithMousePadDevice::COrlithMousePadDevice() : m_commands(Channel())
{
    m_kind = kDeviceMousePad;
    SetLightModeTable(LightEngine::ModeTable::MousePad);
    SetLightingStopText("MP灯光线程设定退出");
}

COrlithMousePadDevice::~COrlithMousePadDevice()
{
    StopLighting();
}

void* COrlithMousePadDevice::GetInterface(std::string_view name)
{
    if (name == "OrlithMousePadDevice")
        return this;
    return COrlithUSBDevice::GetInterface(name);
}

void COrlithMousePadDevice::BindPageControls()
{
    COrlithUSBDevice::BindPageControls();
    LoadLightModes();
    LoadProfile();
    RefreshPage();
    LoadLightState();
}

void COrlithMousePadDevice::LoadLightModes()
{
    JsonFile json;
    const Json::Value document = json.ReadJsonDocument(platform::Folders::ProgramFolder() + "/DefaultData/default_light.json");
    const Json::Value& families = document.isObject() ? document["DefaultLightName"] : Json::Value::nullSingleton();
    const auto family = static_cast<Json::ArrayIndex>(GetFamilyLightIndex());
    if (!families.isArray() || family >= families.size() || !families[family].isArray())
        return;
    std::vector<int> values;
    for (const Json::Value& mode : families[family]) {
        if (mode.isObject() && mode["value"].isInt())
            values.push_back(mode["value"].asInt());
    }
    m_commands.SetLightModeValues(std::move(values));
}

void COrlithMousePadDevice::ReadAllFromDevice()
{
    if (IsConnected()) {
        m_commands.ReadInformationBlock();
        // The record's active profile and the bytes the host does not own come from the pad;
        // the lighting stays the profile's, which LoadLightState puts into the copy.
        m_commands.ReadProfileRecord();
    }
    LoadProfile();
    RefreshPage();
    LoadLightState();
    StartLighting();
}

void COrlithMousePadDevice::ReloadFromDevice()
{
    const int profile = m_commands.ReadProfileRecord();
    TakeRecordLighting();
    RefreshPage();
    LoadLightState();
    SendToWindow(kMsgDeviceReadDone, static_cast<WPARAM>(profile), 0);
}

void COrlithMousePadDevice::TakeRecordLighting()
{
    const MousePadLightRecord record = m_commands.RecordCopy();
    LightInfo light = m_profile.GetLightInfo();
    light.selectItem = record.mode;
    light.brightness = record.brightness;
    light.speed = record.speed;
    light.direction = record.direction;
    light.multiColor = record.multiColor;
    light.red = record.red;
    light.green = record.green;
    light.blue = record.blue;
    m_profile.SetLightInfo(light);
    SaveProfile();
}

void COrlithMousePadDevice::LoadProfile()
{
    const std::string family = FamilyName().empty() ? std::string(kFamily) : FamilyName();
    m_library.SetKind(Kind());
    m_library.SetFolders(DeviceFolder().empty() ? ProfileLibrary::FamilyFolder(family) : DeviceFolder(),
                         ProfileLibrary::DefaultProfilePathFor(family));
    m_library.Init();
    const std::string selected = m_library.CurrentProfilePath();
    m_profile.SetDefaultProfilePath(ProfileLibrary::DefaultProfilePathFor(family));
    m_profile.SetLightConfigPath(m_library.LightConfigPath());
    SetProfileFile(selected.empty() ? m_profile.GetDefaultProfilePath() : selected);
}

void COrlithMousePadDevice::SetProfileFile(const std::string& path)
{
    m_profile.SetProfilePath(path);
    m_profile.LoadProfile(path);
}

void COrlithMousePadDevice::RefreshPage() {}

void COrlithMousePadDevice::ResetToDefaults()
{
    const std::string current = m_profile.GetProfilePath();
    m_profile.LoadProfile(m_profile.GetDefaultProfilePath());
    m_profile.SetProfilePath(current);
    SaveProfile();
    RefreshPage();
    LoadLightState();
    WriteProfileRecord(0, 0);
}

int COrlithMousePadDevice::ApplyProfile(const std::string& profilePath)
{
    SetProfileFile(profilePath);
    RefreshPage();
    LoadLightState();
    WriteProfileRecord(0, 0);
    return 0;
}

void COrlithMousePadDevice::SaveProfile()
{
    // The default profile is the program's own data: a pad without a profile list of its own
    // keeps its changes in memory only.
    if (m_profile.GetProfilePath() == m_profile.GetDefaultProfilePath())
        return;
    m_profile.SaveProfile();
}

int COrlithMousePadDevice::WriteProfileRecord(int profile, int value)
{
    return m_commands.WriteProfileRecord(profile, value);
}

void COrlithMousePadDevice::SetLightSettings(const LightInfo& settings)
{
    COrlithUSBDevice::SetLightSettings(settings);
    m_profile.SetLightInfo(settings);
}

void COrlithMousePadDevice::LoadLightState()
{
    const LightInfo settings = m_profile.GetLightInfo();
    COrlithUSBDevice::SetLightSettings(settings);
    // The record carries the direction too, so the pad's wave turns the way the preview does.
    m_commands.SetLighting(settings);
    std::vector<LightEffectStep> steps = m_profile.GetLightEffectSteps();
    std::vector<LightListEntry> list = m_profile.GetLightList();
    WithEngine([&](LightEngine& engine) {
        engine.SetSettings(settings);
        engine.SetEffectSteps(std::move(steps));
        engine.SetLightList(std::move(list));
    });
}
