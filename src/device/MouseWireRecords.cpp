#include "device/MouseWireRecords.h"

#include <algorithm>

namespace {

// A 16-bit setting in its record byte; values past a byte go as 255.
uint8_t ByteOf(uint16_t word)
{
    return static_cast<uint8_t>(std::min<uint16_t>(word, 0xFF));
}

// The record keeps the lighting speed as 4 - speed, so one flip serves both directions; values
// past 4 count as 4.
uint8_t FlippedSpeed(uint8_t speed)
{
    return static_cast<uint8_t>(MouseSettingsRecord::kMaxSpeed - std::min<int>(speed, MouseSettingsRecord::kMaxSpeed));
}

} // namespace

MouseSettingsRecord MouseSettingsRecord::FromHost(const MouseHostSettings& host, uint8_t value)
{
    using Word = MouseSystemSettings::Word;
    const LightInfo& light = host.light;
    const uint16_t* words = host.system.words;
    MouseSettingsRecord record;
    record.profile = value;
    record.lightMode = light.selectItem < kLightModeCount ? light.selectItem : 0;
    record.brightness = light.brightness;
    record.speedInverse = FlippedSpeed(light.speed);
    record.direction = light.direction;
    record.multiColor = light.multiColor;
    record.red = light.red;
    record.green = light.green;
    record.blue = light.blue;
    record.reportRate = ByteOf(words[Word::ReportRate]);
    record.currentStage = static_cast<uint8_t>(std::clamp(host.activeStage, 0, kStageCount - 1));
    std::copy_n(host.stages.begin(), std::min<size_t>(host.stages.size(), kStageCount), record.stages);
    record.wirelessSleep1 = ByteOf(words[Word::BleSleep1]);
    record.wirelessSleep2 = ByteOf(words[Word::BleSleep2]);
    record.deviceSleep1 = ByteOf(words[Word::DeviceSleep1]);
    record.deviceSleep2 = ByteOf(words[Word::DeviceSleep2]);
    record.debounce = ByteOf(words[Word::KeyDebounceTime]);
    record.liftOff = ByteOf(words[Word::SilentAltitude]);
    record.linearCalibration = ByteOf(words[Word::LinearCalibration]);
    record.ripple = ByteOf(words[Word::Ripple]);
    return record;
}

void MouseSettingsRecord::ApplyToHost(MouseHostSettings& host, const std::vector<int>& modeValues) const
{
    using Word = MouseSystemSettings::Word;
    LightInfo& light = host.light;
    const auto position = std::find(modeValues.begin(), modeValues.end(), lightMode);
    light.selectItem = position == modeValues.end() ? lightMode : static_cast<uint8_t>(position - modeValues.begin());
    light.brightness = brightness;
    light.speed = FlippedSpeed(speedInverse);
    light.multiColor = multiColor;
    light.red = red;
    light.green = green;
    light.blue = blue;
    uint16_t* words = host.system.words;
    words[Word::ReportRate] = reportRate;
    words[Word::LinearCalibration] = linearCalibration;
    words[Word::Ripple] = ripple;
    words[Word::KeyDebounceTime] = debounce;
    words[Word::BleSleep1] = wirelessSleep1;
    words[Word::BleSleep2] = wirelessSleep2;
    words[Word::DeviceSleep1] = deviceSleep1;
    words[Word::DeviceSleep2] = deviceSleep2;
    if (currentStage < kStageCount)
        host.activeStage = currentStage;
}

PowerTileRecord PowerTileRecord::From(const MousePowerStatus& status, bool throughReceiver)
{
    PowerTileRecord record;
    record.battery = std::min(status.battery, kMaxBattery);
    record.charge = status.charge;
    record.connection = throughReceiver ? 1 : 0;
    return record;
}
