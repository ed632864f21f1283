#include "app/LightSyncEffect.h"

#include "device/LightTables.h"

#include <algorithm>

using namespace lighting;

namespace {

// Own mode numbers by sync mode (breathing, static, blink, spectrum, off), per kind.
struct KindModes {
    int kind;
    int modes[LightSyncEffect::kModes];
};
constexpr KindModes kKindModes[] = {
    {1, {5, 6, 23, 4, 28}},
    {2, {1, 0, 6, 3, 10}},
    {3, {2, 3, 4, 1, 8}},
    {7, {2, 3, 4, 1, 8}},
};

constexpr int kBlinkPeriodFactor = 200;
constexpr int kBreathingColourStep = 16;
constexpr int kBlinkColourStep = 14;

const KindModes* ModesOf(int kind)
{
    for (const KindModes& row : kKindModes) {
        if (row.kind == kind)
            return &row;
    }
    return nullptr;
}

} // namespace

int LightSyncEffect::SyncModeOf(int kind, int mode)
{
    const KindModes* row = ModesOf(kind);
    if (!row)
        return -1;
    const int* found = std::find(std::begin(row->modes), std::end(row->modes), mode);
    return found == std::end(row->modes) ? -1 : static_cast<int>(found - std::begin(row->modes));
}

int LightSyncEffect::DeviceModeOf(int kind, int syncMode)
{
    const KindModes* row = ModesOf(kind);
    if (!row || syncMode < 0 || syncMode >= kModes)
        return -1;
    return row->modes[syncMode];
}

int LightSyncEffect::FrameInterval(int speed)
{
    // Indexes 5 and above run a frame on every tick.
    return speed >= 0 && speed < kSpeeds ? SpeedThreshold(speed) : 1;
}

void LightSyncEffect::Start(const LightSyncSettings& settings)
{
    m_settings = settings;
    m_fresh = true;
}

int LightSyncEffect::Advance(uint64_t nowMs)
{
    if (!m_started) {
        m_started = true;
        m_lastTick = nowMs;
    }
    const int interval = FrameInterval(m_settings.speed);
    const uint64_t elapsed = nowMs > m_lastTick ? nowMs - m_lastTick : 0;
    m_lastTick = nowMs;
    m_ticks = static_cast<int>(std::min<uint64_t>(m_ticks + elapsed, static_cast<uint64_t>(interval)));
    if (m_fresh || m_ticks >= interval) {
        m_ticks = 0;
        RunFrame(nowMs);
        if (m_fresh)
            ++m_serial; // a new start paints every product, even with the colour unchanged
        m_fresh = false;
    }
    if (m_settings.mode == kStatic || m_settings.mode == kOff || m_settings.mode >= kModes)
        return kNoWake;
    return interval - m_ticks;
}

void LightSyncEffect::RunFrame(uint64_t nowMs)
{
    const int brightness = BrightnessLevel(m_settings.brightness);
    const Rgb fixed{m_settings.red, m_settings.green, m_settings.blue};
    uint32_t colour = m_colour;
    switch (m_settings.mode) {
    case kSpectrum:
        m_spectrumPosition = StepPosition(1, kRainbowSize, m_spectrumPosition);
        colour = PackLight(Rainbow(m_spectrumPosition), brightness);
        break;
    case kStatic:
        colour = PackLight(fixed, brightness);
        break;
    case kOff:
        colour = PackLight({}, 0);
        break;
    case kBreathing: {
        m_breathingPhase = StepPosition(m_settings.direction, kBreathingSize, m_breathingPhase);
        Rgb shown = fixed;
        if (m_settings.multiColor) {
            if (m_breathingPhase <= 1)
                m_breathingColour = StepPosition(1, kRainbowSize, m_breathingColour, kBreathingColourStep);
            shown = Rainbow(m_breathingColour);
        }
        colour = PackLight(shown, brightness * kBreathingCurve[m_breathingPhase] / 256);
        break;
    }
    case kBlink:
        if (nowMs - m_blinkStamp >= static_cast<uint64_t>(FrameInterval(m_settings.speed)) * kBlinkPeriodFactor) {
            m_blinkOn = !m_blinkOn;
            m_blinkStamp = nowMs;
            m_blinkColour = static_cast<uint8_t>(m_blinkColour + kBlinkColourStep >= kRainbowSize ? 0 : m_blinkColour + kBlinkColourStep);
        }
        colour = m_blinkOn ? PackLight(m_settings.multiColor ? Rainbow(m_blinkColour) : fixed, brightness) : PackLight({}, 0);
        break;
    default:
        return;
    }
    if (colour != m_colour) {
        m_colour = colour;
        ++m_serial;
    }
}
