#include "device/LightTables.h"

namespace lighting {

namespace {

constexpr std::array<uint8_t, 32> kRising = {1,   3,   5,   7,   10,  14,  18,  22,  26,  32,  38,
                                             44,  50,  57,  65,  73,  81,  89,  99,  109, 119, 129,
                                             140, 152, 164, 176, 188, 200, 213, 227, 241, 255};
constexpr std::array<uint8_t, 32> kFalling = {248, 234, 220, 206, 194, 182, 170, 158, 146, 134, 124,
                                              114, 104, 94,  85,  77,  69,  61,  53,  47,  41,  35,
                                              29,  24,  20,  16,  12,  8,   6,   4,   2,   0};

constexpr std::array<uint8_t, 64> kBreathingRise = {
    0,   1,   2,   3,   4,   5,   6,   7,   8,   9,   10,  12,  14,  16,  18,  20,  22,  24,  27,  30,  33,  36,
    39,  42,  45,  49,  53,  57,  61,  65,  69,  73,  77,  81,  85,  89,  94,  99,  104, 109, 114, 119, 124, 129,
    134, 140, 146, 152, 158, 164, 170, 176, 182, 188, 194, 200, 206, 213, 220, 227, 234, 241, 248, 255};

// The wave curve rises along the last 48 values of the breathing rise.
constexpr int kWaveRiseStart = 64 - kWaveSize / 2;

template <size_t N>
constexpr std::array<uint8_t, N> Mirrored(const uint8_t* rise)
{
    std::array<uint8_t, N> curve {};
    for (size_t i = 0; i < N / 2; ++i) {
        curve[i] = rise[i];
        curve[N - 1 - i] = rise[i];
    }
    return curve;
}

} // namespace

const std::array<uint8_t, 5> kBrightness = {0, 50, 100, 175, 255};
const std::array<uint8_t, kSpeeds> kSpeedThresholds = {28, 23, 18, 13, 7};
const std::array<uint8_t, kSpeeds> kFastThresholds = {5, 4, 3, 2, 1};
const std::array<uint8_t, kBreathingSize> kBreathingCurve = Mirrored<kBreathingSize>(kBreathingRise.data());
const std::array<uint8_t, kWaveSize> kWaveCurve = Mirrored<kWaveSize>(kBreathingRise.data() + kWaveRiseStart);
const std::array<Rgb, 4> kFourColours = {Rgb{0, 255, 180}, Rgb{0, 255, 0}, Rgb{255, 255, 255}, Rgb{255, 0, 0}};
const std::array<std::vector<int>, 7> kMouseZones = {
    std::vector<int>{0, 13}, {1, 12}, {2, 11}, {3, 10}, {4, 9}, {5, 8}, {6, 14, 7}};

Rgb Rainbow(int index)
{
    index %= kRainbowSize;
    if (index < 0)
        index += kRainbowSize;
    const int segment = index / 32;
    const uint8_t rise = kRising[static_cast<size_t>(index % 32)];
    const uint8_t fall = kFalling[static_cast<size_t>(index % 32)];
    switch (segment) {
    case 0: return {255, rise, 0};
    case 1: return {fall, 255, 0};
    case 2: return {0, 255, rise};
    case 3: return {0, fall, 255};
    case 4: return {rise, 0, 255};
    default: return {255, 0, fall};
    }
}

uint8_t BrightnessLevel(int setting)
{
    return kBrightness[static_cast<size_t>(setting < 0 ? 0 : setting > 4 ? 4 : setting)];
}

int SpeedThreshold(int speed)
{
    return kSpeedThresholds[static_cast<size_t>(speed < 0 ? 0 : speed > 4 ? 4 : speed)];
}

uint8_t StepPosition(int direction, int limit, int position, int step)
{
    if (direction != 0) {
        const int next = position + step;
        return static_cast<uint8_t>(next >= limit ? 0 : next);
    }
    return static_cast<uint8_t>(position >= step ? position - step : limit - step);
}

uint8_t RippleDecay(uint8_t level, int mode)
{
    struct Band {
        int from;
        int mode0;
        int mode29;
        int other;
    };
    static constexpr Band kBands[] = {{144, 40, 45, 40}, {128, 40, 40, 40}, {112, 30, 35, 30},
                                      {96, 30, 30, 30},  {80, 30, 25, 30},  {64, 30, 20, 30},
                                      {32, 15, 10, 10},  {17, 8, 5, 8},     {1, 1, 1, 1}};
    for (const Band& band : kBands) {
        if (level < band.from)
            continue;
        const int drop = mode == 0 ? band.mode0 : mode == 29 ? band.mode29 : band.other;
        return static_cast<uint8_t>(level > drop ? level - drop : 0);
    }
    return 0;
}

} // namespace lighting
