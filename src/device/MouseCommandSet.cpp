#include "device/MouseCommandSet.h"

#include "channel/DeviceChannel.h"
#include "log/LogFile.h"
#include "macro/MacroFile.h"
#include "macro/MacroLibrary.h"
#include "platform/DebugOutput.h"
#include "profile/CMouseProfiledata.h"
#include "profile/JsonFieldReader.h"

#include <algorithm>
#include <cstdio>

// Sections: set-up and guard, information and key blocks, settings record, key assignments and
// uploads, power and keep-alive, notices and sequences.

namespace {

constexpr char kInitLogLine[] = "ReadDeviceData>WM_USB_MAINMESS_DEVICE_IS_INITUI    ";
constexpr char kShootFilePrefix[] = "/ShootData_";
constexpr char kShootFileExtension[] = ".Shoot";
constexpr uint16_t kNoticeResync = 0x0401;
constexpr uint8_t kNoticeProfile = 0x10;
constexpr uint8_t kNoticeProfileAndStage = 0x11;
constexpr int kMinKeepAliveMinutes = 1;

// A lost receiver link ends an operation with 0.
int LinkLostAsZero(int result)
{
    return result == kChannelNotLinked ? kChannelFailed : result;
}

void TraceUnusableSensor(uint16_t sensorId)
{
    char line[80];
    std::snprintf(line, sizeof line, "mouse: sensor 0x%04X has no usable rule; the last one stays", sensorId);
    platform::DebugOutput(line);
}

} // namespace

MouseCommandSet::MouseCommandSet(DeviceChannel& channel, CMouseProfiledata& profile)
    : m_channel(channel), m_profile(profile), m_log(WriteLog)
{
}

void MouseCommandSet::SetHost(MouseCommandHost* host)
{
    m_host = host ? host : &m_noHost;
}

bool MouseCommandSet::Reachable()
{
    // While the firmware updater owns the device the channel answers every command with success
    // and no data; reading then would take zeros for settings.
    if (!m_channel.IsOpen() || m_channel.IsSuspended())
        return false;
    return !m_channel.IsReceiverMode() || m_channel.IsLinked();
}

int MouseCommandSet::Bracketed(const std::function<int()>& body)
{
    int result = m_channel.EnterConfigMode();
    if (result == kChannelOk)
        result = body();
    if (result == kChannelOk)
        result = m_channel.LeaveConfigMode();
    return result;
}

int MouseCommandSet::ReadDeviceData()
{
    m_channel.SetSuspended(false);
    if (!Reachable())
        return kChannelFailed;
    const int read = Bracketed([this] { return ReadInformationBlock(); });
    if (read != kChannelOk)
        return read;
    if (!m_info.IsInitialised()) {
        if (!m_info.IsBlank() || WritePreparedInformationBlock() != kChannelOk) {
            ReportInitialisation(false);
            return kChannelFailed;
        }
    }
    ReportInitialisation(true);
    const int keys = ReadKeyBlock();
    if (keys != kChannelOk)
        return keys;
    ReportFirmwareVersion();
    return kChannelOk;
}

int MouseCommandSet::ReadInformationBlock()
{
    MouseInfoBlock info;
    const int result = m_channel.ReadInfoBlock(info.Bytes());
    if (result == kChannelOk)
        TakeInformationBlock(info);
    return result;
}

void MouseCommandSet::TakeInformationBlock(const MouseInfoBlock& info)
{
    m_info = info;
    m_infoRead = true;
    if (const std::optional<MouseSensor> sensor = MouseSensor::FromInfoBlock(info)) {
        m_sensor = *sensor;
    } else {
        TraceUnusableSensor(info.sensorId);
        m_sensor = m_sensor.WithStageLayoutOf(info.sensorId);
    }
}

int MouseCommandSet::WritePreparedInformationBlock()
{
    MouseInfoBlock prepared = m_info;
    prepared.initMark = MouseInfoBlock::kInitialised;
    const int result = Bracketed([&] { return m_channel.WriteInfoBlock(prepared.Bytes()); });
    if (result == kChannelOk)
        m_info = prepared;
    return result;
}

int MouseCommandSet::ReadKeyBlock()
{
    // A block past the channel's 512 bytes is no key block of this mouse: keep the last one.
    const int length = m_info.KeyBlockLength();
    if (length > DeviceChannel::kMaxBlockLength)
        return kChannelFailed;
    std::vector<uint8_t> block(static_cast<size_t>(length));
    const int result = Bracketed([&] {
        m_channel.SetBlockLength(length);
        return m_channel.ReadKeyBlock(block.data());
    });
    if (result != kChannelOk)
        return result;
    m_keyBlock = std::move(block);
    m_buttonMap.Rebuild(m_keyBlock);
    return kChannelOk;
}

void MouseCommandSet::ReportFirmwareVersion()
{
    HidDevice& wired = m_channel.WiredDevice();
    const HidAttributes& attributes = wired.Attributes();
    if (wired.IsOpen() && attributes.vendorId == kWiredVendorId && attributes.productId == kWiredProductId)
        m_host->OnFirmwareVersion(attributes.productId, attributes.versionNumber);
}

void MouseCommandSet::ReportInitialisation(bool initialised)
{
    m_host->OnInitialisationChecked(initialised);
    m_log(kInitLogLine + std::string(initialised ? "1" : "0"));
}

int MouseCommandSet::ReadProfileRecord()
{
    m_channel.SetLongOperation(false);
    MouseSettingsRecord record;
    if (Reachable()) {
        uint8_t active = 0;
        if (m_channel.ReadRegion(0, &active, 1) != kChannelOk || active > kMaxDeviceProfile)
            return kChannelFailed;
        const auto offset = static_cast<uint16_t>(active * MouseSettingsRecord::kRecordStride);
        if (m_channel.ReadRegion(offset, record.Bytes(), sizeof record) != kChannelOk)
            return kChannelFailed;
        record.profile = active;
        std::lock_guard guard(m_recordLock);
        m_record = record;
        m_recordRead = true;
    } else {
        std::lock_guard guard(m_recordLock);
        if (!m_recordRead)
            return kChannelFailed;
        record = m_record;
    }
    ApplyRecord(record);
    return record.profile;
}

MouseHostSettings MouseCommandSet::HostSettings() const
{
    MouseHostSettings host;
    host.light = m_profile.GetLightInfo();
    host.stages = m_profile.GetDpiStages();
    host.activeStage = m_profile.GetActiveStage();
    host.system = m_profile.GetMouseSystem();
    return host;
}

void MouseCommandSet::ApplyRecord(const MouseSettingsRecord& record)
{
    MouseHostSettings host = HostSettings();
    record.ApplyToHost(host, m_modeValues);
    m_profile.SetLightInfo(host.light);
    m_profile.SetMouseSystem(host.system);
    m_profile.SetActiveStage(host.activeStage);
    m_profile.SaveProfile();
}

int MouseCommandSet::WriteProfileRecord(int profile, int value)
{
    if (profile < 0 || profile > kMaxDeviceProfile || !Reachable())
        return kChannelFailed;
    const MouseSettingsRecord record = MouseSettingsRecord::FromHost(HostSettings(), static_cast<uint8_t>(value));
    const auto offset = static_cast<uint16_t>(profile * MouseSettingsRecord::kRecordStride);
    const int result = Bracketed([&] { return m_channel.WriteRegion(offset, record.Bytes(), sizeof record); });
    if (result == kChannelOk) {
        std::lock_guard guard(m_recordLock);
        m_record = record;
        m_recordRead = true;
    }
    return LinkLostAsZero(result);
}

MouseSettingsRecord MouseCommandSet::RecordCopy() const
{
    std::lock_guard guard(m_recordLock);
    return m_record;
}

int MouseCommandSet::MacroCount() const
{
    MacroLibrary macros;
    macros.SetFolder(m_folder);
    return macros.LoadMacroList();
}

std::vector<int> MouseCommandSet::GetUsedMacros(const std::vector<KeyAssignment>& keys) const
{
    return m_buttonMap.UsedMacros(keys, MacroCount());
}

int MouseCommandSet::WriteKeyAssignments(int page, const std::vector<KeyAssignment>& keys)
{
    if (page != 0)
        return kChannelBadPage;
    if (!Reachable())
        return kChannelFailed;
    const int read = ReadInformationBlock();
    if (read != kChannelOk)
        return LinkLostAsZero(read);
    if (m_keyBlock.empty())
        return kChannelFailed;
    std::vector<uint8_t> block = m_buttonMap.WriteAssignments(m_keyBlock, keys, MacroCount());
    const int result = Bracketed([&] {
        m_channel.SetBlockLength(static_cast<int>(block.size()));
        return m_channel.WriteKeyBlock(page, block.data());
    });
    if (result == kChannelOk)
        m_keyBlock = std::move(block);
    return LinkLostAsZero(result);
}

std::vector<UploadContainer::Entry> MouseCommandSet::ReadMacros(const std::vector<int>& macroNumbers) const
{
    // The library reads the index as the macro panel does, repairs included.
    MacroLibrary macros;
    macros.SetFolder(m_folder);
    macros.LoadMacroList();
    std::vector<UploadContainer::Entry> entries;
    // A number without a macro file still takes its place, so the upload order stays the one
    // the key block refers to.
    for (int number : macroNumbers)
        entries.push_back(macros.LoadMacro(number));
    return entries;
}

int MouseCommandSet::WriteMacros(const std::vector<int>& macroNumbers)
{
    constexpr int kRefused = -1;
    if (!Reachable())
        return kChannelFailed;
    // 0 means "sent" here: a failed information block read is a refusal, not a success.
    if (ReadInformationBlock() != kChannelOk)
        return kRefused;
    const std::vector<UploadContainer::Entry> entries = ReadMacros(macroNumbers);
    for (const UploadContainer::Entry& entry : entries) {
        if (entry.size() > kMaxMacroEvents)
            return static_cast<int>(entry.size());
    }
    const size_t total = UploadContainer::TotalLength(entries);
    const auto capacity = static_cast<size_t>(m_info.MacroCapacity());
    if (total > capacity)
        return static_cast<int>((total - capacity) / sizeof(UploadContainer::Event) + 1);
    const std::vector<uint8_t> container = UploadContainer::Build(entries);
    const int result = Bracketed([&] { return m_channel.WriteMacroData(container.data(), container.size()); });
    return result == kChannelOk ? 0 : kRefused;
}

std::vector<UploadContainer::Entry> MouseCommandSet::ReadShootingPatterns() const
{
    JsonFieldReader fields;
    std::vector<UploadContainer::Entry> entries;
    for (int pattern = 0; pattern < kShootingPatterns; ++pattern)
        entries.push_back(MacroFile::ReadEvents(m_folder + kShootFilePrefix + std::to_string(pattern) + kShootFileExtension, fields));
    return entries;
}

int MouseCommandSet::WriteShootingData()
{
    if (!Reachable())
        return kChannelFailed;
    const int read = ReadInformationBlock();
    if (read != kChannelOk)
        return LinkLostAsZero(read);
    const std::vector<uint8_t> container = UploadContainer::Build(ReadShootingPatterns());
    if (container.empty())
        return kChannelFailed;
    const int result = Bracketed([&] { return m_channel.WritePatternData(container.data(), container.size()); });
    return LinkLostAsZero(result);
}

std::optional<PowerTileRecord> MouseCommandSet::ReadPowerStatus()
{
    if (!Reachable())
        return std::nullopt;
    MousePowerStatus status;
    if (m_channel.ReadShortSpan(0, reinterpret_cast<uint8_t*>(&status), sizeof status) != kChannelOk)
        return std::nullopt;
    return PowerTileRecord::From(status, m_channel.IsReceiverMode());
}

int MouseCommandSet::ResetInformationBlock()
{
    m_channel.SetSuspended(false);
    // Without a block read from this device there is nothing to mark: writing one would replace
    // the device's key count, sensor and macro size with zeros.
    if (!m_infoRead || !Reachable())
        return kChannelFailed;
    return WritePreparedInformationBlock();
}

int MouseCommandSet::KeepAliveMinutes() const
{
    const MouseSystemSettings system = m_profile.GetMouseSystem();
    const int shorter = std::min(system.words[MouseSystemSettings::DeviceSleep1], system.words[MouseSystemSettings::DeviceSleep2]);
    return std::max(shorter, kMinKeepAliveMinutes);
}

MouseNoticeEffect MouseCommandSet::OnDeviceNotice(uint16_t code)
{
    const int kind = code >> 8;
    if (code <= kNoticeResync || !m_channel.IsOpen() || (kind != kNoticeProfile && kind != kNoticeProfileAndStage))
        return {};
    MouseNoticeEffect effect;
    effect.refreshPage = true;
    std::lock_guard guard(m_recordLock);
    m_record.profile = code & 0x0F;
    const int stage = (code >> 4) & 0x0F;
    if (kind == kNoticeProfileAndStage && stage < MouseSettingsRecord::kStageCount) {
        m_record.currentStage = static_cast<uint8_t>(stage);
        effect.dpiStage = stage;
    }
    return effect;
}

void MouseCommandSet::ApplyNoticeEffect(const MouseNoticeEffect& effect)
{
    if (effect.dpiStage < 0)
        return;
    m_profile.SetActiveStage(effect.dpiStage);
    m_profile.SaveProfile();
}

void MouseCommandSet::ReadAllFromDevice()
{
    ReadDeviceData();
    m_host->LoadProfile();
    ReadProfileRecord();
    m_host->RefreshPage();
    m_host->StartLighting();
}

void MouseCommandSet::ReloadFromDevice()
{
    ReadProfileRecord();
    m_host->RefreshPage();
}
