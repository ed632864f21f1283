#pragma once

// The lighting engine's constant data and its small rules: brightness levels, the 192-colour
// rainbow, the breathing and wave curves, the step interval of each speed, the mouse's light
// zones, the position step and the ripple decay.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace lighting {

struct Rgb {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    bool operator==(const Rgb&) const = default;
};

constexpr int kRainbowSize = 192;
constexpr int kBreathingSize = 128;
constexpr int kWaveSize = 96;
constexpr int kSpeeds = 5;
constexpr int kRippleKeys = 170;
constexpr int kRippleRing = 23;

// Brightness levels by the brightness setting 0..4.
extern const std::array<uint8_t, 5> kBrightness;
// Ticks (milliseconds) between two steps of an effect, by speed 0..4.
extern const std::array<uint8_t, kSpeeds> kSpeedThresholds;
// The custom playback's spectrum steps faster: ticks by the step's speed 0..4.
extern const std::array<uint8_t, kSpeeds> kFastThresholds;
extern const std::array<uint8_t, kBreathingSize> kBreathingCurve;
extern const std::array<uint8_t, kWaveSize> kWaveCurve;
extern const std::array<Rgb, 4> kFourColours;
// The mouse's 15 lights in 7 zones.
extern const std::array<std::vector<int>, 7> kMouseZones;

// Entry i of the rainbow (0..191; other values wrap).
Rgb Rainbow(int index);
// Brightness level of a setting; settings above 4 count as 4.
uint8_t BrightnessLevel(int setting);
// Step interval of a speed; speeds above 4 count as 4.
int SpeedThreshold(int speed);
// Forwards (direction != 0): position + step, 0 when that reaches limit. Backwards:
// position - step when position >= step, else limit - step.
uint8_t StepPosition(int direction, int limit, int position, int step = 1);
// One decay step of a ripple level in a lighting mode (modes 0 and 29 decay their own way).
uint8_t RippleDecay(uint8_t level, int mode);

// A per-light value: red in bits 0-7, green 8-15, blue 16-23, brightness 24-31.
constexpr uint32_t PackLight(Rgb colour, int brightness)
{
    return static_cast<uint32_t>(colour.red) | static_cast<uint32_t>(colour.green) << 8 |
           static_cast<uint32_t>(colour.blue) << 16 | static_cast<uint32_t>(brightness & 0xFF) << 24;
}
constexpr Rgb LightColourOf(uint32_t value)
{
    return {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value >> 16)};
}
constexpr int LightLevelOf(uint32_t value)
{
    return static_cast<int>(value >> 24);
}
constexpr uint32_t kWhiteFull = PackLight({255, 255, 255}, 255);

} // namespace lighting
