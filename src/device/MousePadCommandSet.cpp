#include "device/MousePadCommandSet.h"

#include "channel/DeviceChannel.h"

#include <algorithm>
#include <cstring>

MousePadCommandSet::MousePadCommandSet(DeviceChannel& channel) : m_channel(channel) {}

void MousePadCommandSet::SetLightModeValues(std::vector<int> values)
{
    std::lock_guard guard(m_lock);
    m_modeValues = std::move(values);
}

int MousePadCommandSet::ReadInformationBlock()
{
    if (!m_channel.IsOpen())
        return kChannelFailed;
    std::vector<uint8_t> info(DeviceChannel::kInfoBlockSize, 0);
    int result = m_channel.EnterConfigMode();
    if (result == kChannelOk)
        result = m_channel.ReadInfoBlock(info.data());
    m_channel.LeaveConfigMode();
    if (result == kChannelOk)
        m_info = std::move(info);
    return result;
}

int MousePadCommandSet::ReadProfileRecord()
{
    m_channel.SetLongOperation(false);
    if (!m_channel.IsOpen())
        return 0;
    uint8_t active = 0;
    uint8_t bytes[kRecordReadLength] {};
    int result = m_channel.EnterConfigMode();
    if (result == kChannelOk)
        result = m_channel.ReadRegion(0, &active, 1);
    // A profile number past the pad's profiles names no record: nothing is read from there.
    if (result == kChannelOk && active > kMaxProfile)
        result = kChannelFailed;
    if (result == kChannelOk)
        result = m_channel.ReadRegion(static_cast<uint16_t>(active * kRecordStride), bytes, sizeof bytes);
    m_channel.LeaveConfigMode();
    if (result != kChannelOk)
        return 0;
    MousePadLightRecord record;
    std::memcpy(&record, bytes, sizeof record);
    record.profile = active;
    record.mode = HostModeOf(record.mode);
    record.speed = static_cast<uint8_t>(kMaxWireSpeed - std::min<int>(record.speed, kMaxWireSpeed));
    std::lock_guard guard(m_lock);
    m_record = record;
    m_activeProfile = active;
    return active;
}

int MousePadCommandSet::WriteProfileRecord(int profile, int value)
{
    (void)profile; // every caller writes profile 0; the pad's record is that of its active profile
    (void)value;
    MousePadLightRecord wire;
    int active;
    {
        std::lock_guard guard(m_lock);
        wire = m_record;
        active = m_activeProfile;
    }
    wire.mode = DeviceModeOf(wire.mode);
    wire.speed = static_cast<uint8_t>(kMaxWireSpeed - std::min<int>(wire.speed, kMaxWireSpeed));
    if (!m_channel.IsOpen())
        return kChannelFailed;
    int result = m_channel.EnterConfigMode();
    if (result == kChannelOk)
        result = m_channel.WriteRegion(static_cast<uint16_t>(active * kRecordStride),
                                       reinterpret_cast<const uint8_t*>(&wire), sizeof wire);
    const int left = m_channel.LeaveConfigMode();
    return result == kChannelOk ? left : result;
}

void MousePadCommandSet::SetLighting(const LightInfo& light)
{
    std::lock_guard guard(m_lock);
    m_record.mode = light.selectItem;
    m_record.brightness = light.brightness;
    m_record.speed = light.speed;
    m_record.direction = light.direction;
    m_record.multiColor = light.multiColor;
    m_record.red = light.red;
    m_record.green = light.green;
    m_record.blue = light.blue;
}

MousePadLightRecord MousePadCommandSet::RecordCopy() const
{
    std::lock_guard guard(m_lock);
    return m_record;
}

int MousePadCommandSet::ActiveProfile() const
{
    std::lock_guard guard(m_lock);
    return m_activeProfile;
}

uint8_t MousePadCommandSet::DeviceModeOf(uint8_t hostMode) const
{
    std::lock_guard guard(m_lock);
    if (hostMode > kMaxHostMode)
        return 0;
    // Without the mode list the host index goes out as it is.
    return hostMode < m_modeValues.size() ? static_cast<uint8_t>(m_modeValues[hostMode]) : hostMode;
}

uint8_t MousePadCommandSet::HostModeOf(uint8_t deviceMode) const
{
    std::lock_guard guard(m_lock);
    const auto found = std::find(m_modeValues.begin(), m_modeValues.end(), deviceMode);
    return found == m_modeValues.end() ? deviceMode : static_cast<uint8_t>(found - m_modeValues.begin());
}
