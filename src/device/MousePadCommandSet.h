#pragma once

#include "profile/ProfileRecords.h"

#include <cstdint>
#include <mutex>
#include <vector>

class DeviceChannel;

#pragma pack(push, 1)
// The pad's 21-byte lighting record. The host keeps its own mode index and speed in it; on the
// wire byte 1 is the device's mode value and byte 3 is 4 - speed.
struct MousePadLightRecord {
    uint8_t profile = 0;     // 0: profile number
    uint8_t mode = 0;        // 1: lighting mode (host index here, device value on the wire)
    uint8_t brightness = 0;  // 2: 0..4
    uint8_t speed = 0;       // 3: 0..4 here, 4 - speed on the wire
    uint8_t direction = 0;   // 4: 0 backwards, other forwards
    uint8_t multiColor = 0;  // 5: 0 or 1
    uint8_t red = 0;         // 6
    uint8_t green = 0;       // 7
    uint8_t blue = 0;        // 8
    uint8_t deviceBytes[12] {}; // 9-20: kept as read
};
#pragma pack(pop)
static_assert(sizeof(MousePadLightRecord) == 21);

// What the mouse pad reads from and writes to its firmware: the information block and its
// lighting record. Every transfer is bracketed by 0x01 and 0x02 and needs the channel open;
// a failed read keeps the last good record copy.
class MousePadCommandSet {
public:
    static constexpr uint16_t kRecordStride = 25;  // profile P's record sits at P x 25
    static constexpr size_t kRecordReadLength = 45;
    static constexpr int kMaxWireSpeed = 4;
    static constexpr int kMaxHostMode = 8; // host modes above are sent as device mode 0
    // The profile numbers a pad may report; others are no record of this pad.
    static constexpr int kMaxProfile = 7;

    explicit MousePadCommandSet(DeviceChannel& channel);

    // The light mode values of "default_light.json" for the pad, in mode order.
    void SetLightModeValues(std::vector<int> values);
    // 0x01, the information block (0x03), 0x02: the channel's result.
    int ReadInformationBlock();
    // The active profile P and its record into the record copy (mode mapped to the host index,
    // speed turned round). P, or 0 when unreachable or a read failed (the copy stays).
    int ReadProfileRecord();
    // Writes the record copy (mode mapped to the device value, speed turned round) at the active
    // profile's record. The channel's result: 1 when written.
    int WriteProfileRecord(int profile, int value);
    // Lighting settings into record bytes 1-8.
    void SetLighting(const LightInfo& light);
    MousePadLightRecord RecordCopy() const;
    int ActiveProfile() const;
    const std::vector<uint8_t>& InfoBlock() const { return m_info; }

private:
    uint8_t DeviceModeOf(uint8_t hostMode) const;
    uint8_t HostModeOf(uint8_t deviceMode) const;

    DeviceChannel& m_channel;
    std::vector<int> m_modeValues;
    std::vector<uint8_t> m_info;
    mutable std::mutex m_lock;
    MousePadLightRecord m_record;
    int m_activeProfile = 0;
};
