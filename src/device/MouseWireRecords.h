#pragma once

#include "profile/ProfileRecords.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

// The mouse's memory images as they travel on the command channel, and the host settings that
// its settings record carries. Multi-byte fields are little-endian on the wire.
static_assert(std::endian::native == std::endian::little, "wire records are laid out for a little-endian host");

// What the settings record exchanges with the profile: lighting, stages, current stage and
// the system words.
struct MouseHostSettings {
    LightInfo light;
    std::vector<DpiStage> stages;
    int activeStage = 0;
    MouseSystemSettings system;
};

#pragma pack(push, 1)

// The 34-byte device information block (read with 0x03, written with 0x04).
struct MouseInfoBlock {
    static constexpr uint8_t kMarkLow = 0xAA;
    static constexpr uint8_t kMarkHigh = 0x55;
    static constexpr uint8_t kInitialised = 15;
    static constexpr uint8_t kBlank = 0;
    static constexpr int kMacroUnitBytes = 128;

    uint8_t markLow = 0;        // 0: 0xAA of the validity mark
    uint8_t markHigh = 0;       // 1: 0x55 of the validity mark
    uint8_t firmware[3] {};     // 2-4: firmware bytes, not interpreted
    uint8_t keySlots = 0;       // 5: K, the key block is K x 3 bytes
    uint8_t macroUnits = 0;     // 6: macro memory in units of 128 bytes
    uint8_t initMark = 0;       // 7: 15 = prepared by this program, 0 = blank
    uint8_t reserved8 = 0;      // 8: not interpreted
    uint16_t sensorId = 0;      // 9-10: sensor id
    uint8_t dpiStep = 0;        // 11: DPI step of sensors without a rule of their own
    uint16_t dpiStepCount = 0;  // 12-13: number of DPI steps (sensor 0x3104)
    uint16_t dpiBase = 0;       // 14-15: DPI base of sensors without a rule of their own
    uint8_t reserved16[18] {};  // 16-33: not interpreted

    bool HasMark() const { return markLow == kMarkLow && markHigh == kMarkHigh; }
    bool IsInitialised() const { return initMark == kInitialised; }
    // A factory-fresh block: valid mark, initialisation mark 0.
    bool IsBlank() const { return HasMark() && initMark == kBlank; }
    int KeyBlockLength() const { return keySlots * 3; }
    int MacroCapacity() const { return macroUnits * kMacroUnitBytes; }
    uint8_t* Bytes() { return reinterpret_cast<uint8_t*>(this); }
    const uint8_t* Bytes() const { return reinterpret_cast<const uint8_t*>(this); }
};

// The 86-byte settings record of one device profile, at offset profile x 128 of the profile
// region (read with 0x05, written with 0x06).
struct MouseSettingsRecord {
    static constexpr int kStageCount = 7;
    static constexpr int kLightModeCount = 12;
    static constexpr int kMaxSpeed = 4;
    static constexpr int kRecordStride = 128;

    uint8_t profile = 0;           // 0: profile number; on write the caller's value
    uint8_t lightMode = 0;         // 1: lighting mode 0-11
    uint8_t brightness = 0;        // 2: lighting brightness
    uint8_t speedInverse = 0;      // 3: 4 - lighting speed
    uint8_t direction = 0;         // 4: lighting direction
    uint8_t multiColor = 0;        // 5: multicolour flag
    uint8_t red = 0;               // 6: lighting red
    uint8_t green = 0;             // 7: lighting green
    uint8_t blue = 0;              // 8: lighting blue
    uint8_t zero9[2] {};           // 9-10: 0
    uint8_t reportRate = 0;        // 11: report rate code 0-3
    uint8_t currentStage = 0;      // 12: current DPI stage 0-6
    uint8_t zero13 = 0;            // 13: 0
    DpiStage stages[kStageCount];  // 14 + 9i .. 22 + 9i: DPI stage i
    uint8_t wirelessSleep1 = 0;    // 77: wireless sleep time 1
    uint8_t wirelessSleep2 = 0;    // 78: wireless sleep time 2
    uint8_t deviceSleep1 = 0;      // 79: device sleep time 1, minutes
    uint8_t deviceSleep2 = 0;      // 80: device sleep time 2, minutes
    uint8_t debounce = 0;          // 81: debounce choice
    uint8_t liftOff = 0;           // 82: lift-off distance choice
    uint8_t linearCalibration = 0; // 83: linear calibration choice
    uint8_t ripple = 0;            // 84: ripple control choice
    uint8_t zero85 = 0;            // 85: 0

    // The record of the host settings; byte 0 takes value, a lighting mode of 12 or more goes as 0.
    static MouseSettingsRecord FromHost(const MouseHostSettings& host, uint8_t value);
    // Takes the fields the device is the reference for into host: lighting (the mode as its
    // position in modeValues when found there; not the direction), report rate, calibration,
    // ripple, debounce, the four sleep times and the current stage. Stages, lift-off and logo
    // lighting stay as host has them.
    void ApplyToHost(MouseHostSettings& host, const std::vector<int>& modeValues) const;

    uint8_t* Bytes() { return reinterpret_cast<uint8_t*>(this); }
    const uint8_t* Bytes() const { return reinterpret_cast<const uint8_t*>(this); }
};

// The power status (command 0x1A, 2 bytes at offset 0).
struct MousePowerStatus {
    uint8_t battery = 0; // 0: battery level, percent
    uint8_t charge = 0;  // 1: charge state 0, 1 or 2
};

// What the power tile receives.
struct PowerTileRecord {
    static constexpr uint8_t kMaxBattery = 100;

    uint8_t battery = 0;    // 0: battery level, percent, at most 100
    uint8_t charge = 0;     // 1: charge state
    uint8_t zero2 = 0;      // 2: 0
    uint8_t connection = 0; // 3: 1 = through the receiver, 0 = wired
    uint8_t zero4 = 0;      // 4: 0 (passed with message 0xD01)
    uint8_t zero5 = 0;      // 5: 0

    static PowerTileRecord From(const MousePowerStatus& status, bool throughReceiver);
};

#pragma pack(pop)

static_assert(sizeof(MouseInfoBlock) == 34);
static_assert(sizeof(MouseSettingsRecord) == 86);
static_assert(offsetof(MouseSettingsRecord, stages) == 14);
static_assert(offsetof(MouseSettingsRecord, wirelessSleep1) == 77);
static_assert(sizeof(MousePowerStatus) == 2);
static_assert(sizeof(PowerTileRecord) == 6);
