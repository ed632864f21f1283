#include "device/LightEngine.h"

#include <algorithm>

using namespace lighting;

namespace {

constexpr int kMouseStatic = 0;
constexpr int kMouseBreathing = 1;
constexpr int kMouseWave = 2;
constexpr int kMouseSpectrum = 3;
constexpr int kMouseRingRipple = 4;
constexpr int kMouseBreathingFour = 5;
constexpr int kMouseBlink = 6;
constexpr int kMouseReactive = 7;
constexpr int kMouseBlinkFour = 8;
constexpr int kMouseOff = 10;

constexpr int kPadWave = 0;
constexpr int kPadSpectrum = 1;
constexpr int kPadBreathing = 2;
constexpr int kPadStatic = 3;
constexpr int kPadBlink = 4;
constexpr int kPadRipple = 6;
constexpr int kPadZoneRipple = 7;
constexpr int kPadOff = 8;

constexpr int kBlinkPeriodFactor = 200;
constexpr int kZoneStride = 7;
constexpr int kCustomWaveStride = 12;
constexpr int kReactiveStep = 15;
constexpr int kBreathingColourStep = 16;
constexpr int kPlaybackBlinkColourOffset = 14;
constexpr int kCustomStaticCycle = 9;
// The pad's ripple lights its next light (or zone) every few steps.
constexpr unsigned kPadRippleStartEvery = 6;

int Scaled(int brightness, int level)
{
    return brightness * level / 256;
}

uint8_t NextRainbowIndex(int index, int step)
{
    const int next = index + step;
    return static_cast<uint8_t>(next >= kRainbowSize ? 0 : next);
}

} // namespace

LightEngine::LightEngine(ModeTable table, int lightCount)
    : m_table(table), m_lights(static_cast<size_t>(std::max(lightCount, 0)), kWhiteFull), m_frame(m_lights),
      m_reactive(m_lights.size()), m_rippleLevels(kRippleKeys, 0), m_ripplePressed(kRippleKeys, false),
      m_ring(kRippleRing, 0)
{
    for (int i = 0; i < kRippleRing; ++i)
        m_ring[static_cast<size_t>(i)] = static_cast<uint8_t>(i * kRainbowSize / kRippleRing);
}

void LightEngine::SetSettings(const LightInfo& settings)
{
    if (settings.selectItem != m_settings.selectItem) {
        m_position = 0;
        m_colourIndex = 0;
        m_ticks = 0;
        m_reactive.assign(m_lights.size(), {});
        std::fill(m_rippleLevels.begin(), m_rippleLevels.end(), 0);
        std::fill(m_ripplePressed.begin(), m_ripplePressed.end(), false);
        m_rippleSteps = 0;
    }
    m_settings = settings;
    m_fresh = true;
}

void LightEngine::SetEffectSteps(std::vector<LightEffectStep> steps)
{
    m_steps = std::move(steps);
    m_playback.index = 0;
    m_playback.stepStarted = false;
    m_fresh = true;
}

void LightEngine::SetLightList(std::vector<LightListEntry> entries)
{
    m_lightList = std::move(entries);
    m_perLight.assign(m_lightList.size(), {});
    m_fresh = true;
}

bool LightEngine::IsCustomMode() const
{
    const int mode = m_settings.selectItem;
    if (m_table == ModeTable::Mouse)
        return mode == 9 || mode > kMouseOff;
    return mode == 5 || mode > kPadOff;
}

bool LightEngine::HasLightList() const
{
    return m_table == ModeTable::MousePad &&
           std::any_of(m_lightList.begin(), m_lightList.end(), [](const LightListEntry& entry) { return entry.valid; });
}

LightEngine::Kind LightEngine::KindOfMode() const
{
    if (IsCustomMode() || HasLightList())
        return Kind::EveryPass;
    const int mode = m_settings.selectItem;
    const bool still = m_table == ModeTable::Mouse ? mode == kMouseStatic || mode == kMouseOff
                                                   : mode == kPadStatic || mode == kPadOff;
    return still ? Kind::Still : Kind::Stepped;
}

int LightEngine::Advance(uint64_t nowMs)
{
    if (!m_started) {
        m_started = true;
        m_lastTick = nowMs;
    }
    const uint64_t elapsed = nowMs > m_lastTick ? nowMs - m_lastTick : 0;
    m_lastTick = nowMs;
    switch (KindOfMode()) {
    case Kind::Still:
        if (m_fresh)
            RunEffect(nowMs);
        m_fresh = false;
        Commit();
        return kNoWake;
    case Kind::EveryPass: {
        const uint64_t passes = std::min<uint64_t>(elapsed, kMaxCatchUpPasses);
        for (uint64_t pass = passes; pass > 0; --pass)
            RunPass(nowMs - pass + 1);
        if (passes == 0 && m_fresh)
            RunPass(nowMs);
        m_fresh = false;
        Commit();
        return kFrameMs;
    }
    case Kind::Stepped:
        break;
    }
    const int threshold = SpeedThreshold(m_settings.speed);
    m_ticks = static_cast<int>(std::min<uint64_t>(m_ticks + elapsed, static_cast<uint64_t>(threshold)));
    if (m_fresh || m_ticks >= threshold) {
        m_fresh = false;
        m_ticks = 0;
        RunEffect(nowMs);
        Commit();
    }
    const bool waitsForKeys = m_table == ModeTable::Mouse &&
                              (m_settings.selectItem == kMouseReactive || m_settings.selectItem == kMouseRingRipple);
    if (waitsForKeys) {
        const bool dark = std::all_of(m_reactive.begin(), m_reactive.end(), [](const ReactiveLight& l) { return l.phase == 0; }) &&
                          std::all_of(m_rippleLevels.begin(), m_rippleLevels.end(), [](uint8_t level) { return level == 0; }) &&
                          std::none_of(m_ripplePressed.begin(), m_ripplePressed.end(), [](bool pressed) { return pressed; });
        if (dark)
            return kNoWake;
    }
    return threshold - m_ticks;
}

void LightEngine::RunPass(uint64_t nowMs)
{
    if (IsCustomMode()) {
        LightCustomPlayback(nowMs);
    } else if (++m_ticks >= SpeedThreshold(m_settings.speed) || m_fresh) {
        m_ticks = 0;
        m_fresh = false;
        RunEffect(nowMs);
    }
    if (HasLightList())
        ApplyLightList(nowMs);
}

void LightEngine::RunEffect(uint64_t nowMs)
{
    const int mode = m_settings.selectItem;
    if (IsCustomMode())
        return LightCustomPlayback(nowMs);
    if (m_table == ModeTable::Mouse) {
        switch (mode) {
        case kMouseStatic: return LightStatic();
        case kMouseBreathing: return LightBreathing();
        case kMouseWave: return LightWave();
        case kMouseSpectrum: return LightSpectrum();
        case kMouseRingRipple: return LightRingRipple();
        case kMouseBreathingFour: return LightBreathingFourColours();
        case kMouseBlink: return LightBlink(nowMs);
        case kMouseReactive: return LightReactive();
        case kMouseBlinkFour: return LightBlinkFourColours(nowMs);
        default: return LightOff();
        }
    }
    switch (mode) {
    case kPadWave: return LightPadWave();
    case kPadSpectrum: return LightSpectrum();
    case kPadBreathing: return LightBreathing();
    case kPadStatic: return LightStatic();
    case kPadBlink: return LightBlink(nowMs);
    case kPadRipple: return LightPadRipple(false);
    case kPadZoneRipple: return LightPadRipple(true);
    default: return LightOff();
    }
}

void LightEngine::OnKeyPress()
{
    if (m_table != ModeTable::Mouse)
        return;
    if (m_settings.selectItem == kMouseReactive) {
        for (ReactiveLight& light : m_reactive)
            light = {255, 1, static_cast<uint8_t>(RandomIndex(kRainbowSize))};
    } else if (m_settings.selectItem == kMouseRingRipple) {
        std::fill(m_ripplePressed.begin(), m_ripplePressed.end(), true);
    }
}

int LightEngine::RandomIndex(int bound)
{
    if (m_random)
        return std::clamp(m_random(bound), 0, bound - 1);
    return std::uniform_int_distribution<int>(0, bound - 1)(m_generator);
}

// ---- frame

LightEngine::Rgb LightEngine::EffectColour(int rainbowIndex) const
{
    if (m_settings.multiColor)
        return Rainbow(rainbowIndex);
    return {m_settings.red, m_settings.green, m_settings.blue};
}

void LightEngine::Put(int light, Rgb colour, int brightness)
{
    if (light >= 0 && light < static_cast<int>(m_frame.size()))
        m_frame[static_cast<size_t>(light)] = PackLight(colour, brightness);
}

void LightEngine::Fill(Rgb colour, int brightness)
{
    std::fill(m_frame.begin(), m_frame.end(), PackLight(colour, brightness));
}

void LightEngine::Commit()
{
    if (m_frame == m_lights)
        return;
    m_lights = m_frame;
    ++m_frameSerial;
}

// ---- shared effects

void LightEngine::LightStatic()
{
    Fill({m_settings.red, m_settings.green, m_settings.blue}, BrightnessLevel(m_settings.brightness));
}

void LightEngine::LightOff()
{
    Fill({}, 0);
}

void LightEngine::Breathe(bool fourColours)
{
    m_position = StepPosition(m_settings.direction, kBreathingSize, m_position % kBreathingSize);
    if (m_position == 0) {
        if (fourColours)
            m_colourIndex = static_cast<uint8_t>((m_colourIndex + 1) % kFourColours.size());
        else
            m_colourIndex = NextRainbowIndex(m_colourIndex, kBreathingColourStep);
    }
    const Rgb colour = fourColours ? kFourColours[m_colourIndex % kFourColours.size()] : EffectColour(m_colourIndex);
    Fill(colour, Scaled(BrightnessLevel(m_settings.brightness), kBreathingCurve[m_position]));
}

void LightEngine::LightBreathing()
{
    Breathe(false);
}

void LightEngine::LightBreathingFourColours()
{
    Breathe(true);
}

void LightEngine::LightSpectrum()
{
    m_position = StepPosition(m_settings.direction, kRainbowSize, m_position % kRainbowSize);
    Fill(Rainbow(m_position), BrightnessLevel(m_settings.brightness));
}

void LightEngine::Blink(uint64_t nowMs, bool fourColours)
{
    const uint64_t period = static_cast<uint64_t>(SpeedThreshold(m_settings.speed)) * kBlinkPeriodFactor;
    if (nowMs - m_lastBlinkToggle >= period) {
        m_blinkOn = !m_blinkOn;
        m_lastBlinkToggle = nowMs;
        if (fourColours)
            m_colourIndex = static_cast<uint8_t>((m_colourIndex + 1) % kFourColours.size());
        else
            m_colourIndex = NextRainbowIndex(m_colourIndex, kBreathingColourStep);
    }
    if (!m_blinkOn)
        return Fill({}, 0);
    const Rgb colour = fourColours ? kFourColours[m_colourIndex % kFourColours.size()] : EffectColour(m_colourIndex);
    Fill(colour, BrightnessLevel(m_settings.brightness));
}

void LightEngine::LightBlink(uint64_t nowMs)
{
    Blink(nowMs, false);
}

void LightEngine::LightBlinkFourColours(uint64_t nowMs)
{
    Blink(nowMs, true);
}

// ---- mouse effects

void LightEngine::LightWave()
{
    const int brightness = BrightnessLevel(m_settings.brightness);
    const bool multi = m_settings.multiColor != 0;
    const int limit = multi ? kRainbowSize : kWaveSize;
    m_position = StepPosition(m_settings.direction, limit, m_position % limit);
    for (size_t zone = 0; zone < kMouseZones.size(); ++zone) {
        const int index = (m_position + 1 + kZoneStride * static_cast<int>(zone)) % limit;
        for (int light : kMouseZones[zone]) {
            if (multi)
                Put(light, Rainbow(index), brightness);
            else
                Put(light, EffectColour(0), Scaled(brightness, kWaveCurve[static_cast<size_t>(index)]));
        }
    }
}

void LightEngine::RotateRing(int direction)
{
    if (direction != 0)
        std::rotate(m_ring.rbegin(), m_ring.rbegin() + 1, m_ring.rend());
    else
        std::rotate(m_ring.begin(), m_ring.begin() + 1, m_ring.end());
}

void LightEngine::LightRingRipple()
{
    m_position = StepPosition(m_settings.direction, kRainbowSize, m_position % kRainbowSize);
    for (size_t key = 0; key < m_rippleLevels.size(); ++key) {
        if (m_ripplePressed[key]) {
            m_rippleLevels[key] = 255;
            m_ripplePressed[key] = false;
        }
    }
    RotateRing(m_settings.direction);
    const int brightness = BrightnessLevel(m_settings.brightness);
    for (size_t zone = 0; zone < kMouseZones.size(); ++zone) {
        m_rippleLevels[zone] = RippleDecay(m_rippleLevels[zone], m_settings.selectItem);
        const Rgb colour = EffectColour(m_ring[zone]);
        for (int light : kMouseZones[zone])
            Put(light, colour, Scaled(brightness, m_rippleLevels[zone]));
    }
}

void LightEngine::LightReactive()
{
    const int brightness = BrightnessLevel(m_settings.brightness);
    for (size_t i = 0; i < m_reactive.size(); ++i) {
        ReactiveLight& light = m_reactive[i];
        if (light.phase == 1) {
            light.level = static_cast<uint8_t>(std::min(255, light.level + kReactiveStep));
            if (light.level == 255)
                light.phase = 2;
        } else if (light.phase == 2) {
            light.level = static_cast<uint8_t>(std::max(0, light.level - kReactiveStep));
            if (light.level == 0)
                light.phase = 0;
        }
        Put(static_cast<int>(i), EffectColour(light.colourIndex), Scaled(brightness, light.level));
    }
}

// ---- mouse pad effects

void LightEngine::LightPadWave()
{
    const int brightness = BrightnessLevel(m_settings.brightness);
    const bool multi = m_settings.multiColor != 0;
    const int limit = multi ? kRainbowSize : kWaveSize;
    m_position = StepPosition(m_settings.direction, limit, m_position % limit);
    for (int light = 0; light < static_cast<int>(m_frame.size()); ++light) {
        const int index = (m_position + 1 + kZoneStride * light) % limit;
        if (multi)
            Put(light, Rainbow(index), brightness);
        else
            Put(light, EffectColour(0), Scaled(brightness, kWaveCurve[static_cast<size_t>(index)]));
    }
}

void LightEngine::LightPadRipple(bool zones)
{
    // The pad has no keys: its ripple starts by itself, one light (or zone) after another round
    // the edge, and each start fades out through the ripple decay.
    const int targets = zones ? static_cast<int>(kMouseZones.size()) : static_cast<int>(m_frame.size());
    if (targets == 0)
        return;
    if (m_rippleSteps % kPadRippleStartEvery == 0)
        m_rippleLevels[(m_rippleSteps / kPadRippleStartEvery) % static_cast<unsigned>(targets)] = 255;
    if (m_rippleSteps % 2 == 1)
        RotateRing(m_settings.direction);
    ++m_rippleSteps;
    const int brightness = BrightnessLevel(m_settings.brightness);
    for (int target = 0; target < targets; ++target) {
        uint8_t& level = m_rippleLevels[static_cast<size_t>(target)];
        level = RippleDecay(level, m_settings.selectItem);
        const Rgb colour = EffectColour(m_ring[static_cast<size_t>(target % kRippleRing)]);
        if (!zones) {
            Put(target, colour, Scaled(brightness, level));
            continue;
        }
        for (int light : kMouseZones[static_cast<size_t>(target)])
            Put(light, colour, Scaled(brightness, level));
    }
}

// ---- custom playback and per-light effects

void LightEngine::LightCustomPlayback(uint64_t nowMs)
{
    if (m_steps.empty())
        return LightOff();
    if (m_playback.index >= m_steps.size())
        m_playback.index = 0;
    if (!m_playback.stepStarted) {
        m_playback.stepBegan = nowMs;
        m_playback.stepStarted = true;
    }
    const LightEffectStep step = m_steps[m_playback.index];
    PlaybackStep(step, nowMs);
    if (nowMs - m_playback.stepBegan > static_cast<uint64_t>(std::max(step.time, 0))) {
        m_playback.index = (m_playback.index + 1) % m_steps.size();
        m_playback.stepBegan = nowMs;
    }
}

void LightEngine::PlaybackStep(const LightEffectStep& step, uint64_t nowMs)
{
    Playback& play = m_playback;
    const int brightness = BrightnessLevel(step.brightness);
    const Rgb stepColour{step.red, step.green, step.blue};
    const int threshold = SpeedThreshold(step.speed);
    ++play.counter;
    auto due = [&play](int limit) {
        if (play.counter < limit)
            return false;
        play.counter = 0;
        return true;
    };
    auto advance = [&play](int limit) { play.position = static_cast<uint8_t>(play.position + 1 >= limit ? 0 : play.position + 1); };
    switch (step.mode) {
    case 0:
        if (due(threshold)) {
            advance(kBreathingSize);
            const Rgb colour = step.multiColor ? Rainbow(0) : stepColour;
            Fill(colour, Scaled(brightness, kBreathingCurve[play.position % kBreathingSize]));
        }
        break;
    case 1:
        if (due(threshold)) {
            advance(kCustomStaticCycle);
            Fill(stepColour, brightness);
        }
        break;
    case 2: {
        if (due(threshold))
            advance(kBreathingSize);
        const uint64_t period = static_cast<uint64_t>(SpeedThreshold(m_settings.speed)) * kBlinkPeriodFactor;
        if (nowMs - play.lastToggle >= period) {
            play.blinkOn = !play.blinkOn;
            play.lastToggle = nowMs;
            play.blinkColour = static_cast<uint8_t>(play.position + kPlaybackBlinkColourOffset);
        }
        if (!play.blinkOn)
            Fill({}, 0);
        else
            Fill(step.multiColor ? Rainbow(play.blinkColour) : stepColour, brightness);
        break;
    }
    case 4:
        if (due(threshold)) {
            advance(kRainbowSize);
            int d = step.direction == 0 ? (play.position + 1) % kRainbowSize
                                        : (kRainbowSize - play.position == kRainbowSize ? kRainbowSize - 1 : kRainbowSize - play.position);
            for (int light = 0; light < static_cast<int>(m_frame.size()); ++light) {
                if (step.multiColor) {
                    Put(light, Rainbow(d), brightness);
                    d += kCustomWaveStride;
                    if (d >= kRainbowSize)
                        d -= kRainbowSize;
                } else {
                    d = (d + kCustomWaveStride) % kWaveSize;
                    Put(light, stepColour, Scaled(brightness, kWaveCurve[static_cast<size_t>(d)]));
                }
            }
        }
        break;
    case 5:
        if (due(kFastThresholds[static_cast<size_t>(std::min<int>(step.speed, kSpeeds - 1))])) {
            advance(kRainbowSize);
            Fill(Rainbow(play.position), brightness);
        }
        break;
    default:
        break;
    }
    if (play.counter >= 255)
        play.counter = 0;
}

void LightEngine::ApplyLightList(uint64_t nowMs)
{
    const size_t count = std::min(m_lightList.size(), m_frame.size());
    for (size_t i = 0; i < count; ++i) {
        const LightListEntry& entry = m_lightList[i];
        if (!entry.valid)
            continue;
        PerLightState& state = m_perLight[i];
        const int light = static_cast<int>(i);
        const int brightness = BrightnessLevel(entry.brightness);
        const Rgb entryColour{entry.red, entry.green, entry.blue};
        const int speed = std::min<int>(entry.speed, kSpeeds - 1);
        switch (entry.mode) {
        case 0:
            state.level = static_cast<uint8_t>(state.level + speed + 4);
            if (state.level >= kBreathingSize) {
                state.level = 0;
                state.colourIndex = static_cast<uint8_t>(std::min(state.colourIndex + 1, kRainbowSize - 1));
            }
            Put(light, entry.multiColor ? Rainbow(state.colourIndex) : entryColour,
                Scaled(brightness, kBreathingCurve[state.level]));
            break;
        case 1:
            Put(light, entryColour, brightness);
            break;
        case 2:
            if (nowMs - state.lastToggle >= static_cast<uint64_t>(SpeedThreshold(speed)) * kBlinkPeriodFactor) {
                state.blinkOn = !state.blinkOn;
                state.lastToggle = nowMs;
                state.colourIndex = static_cast<uint8_t>(state.colourIndex + 14 > kRainbowSize - 1 ? 0 : state.colourIndex + 14);
            }
            if (state.blinkOn)
                Put(light, entry.multiColor ? Rainbow(state.colourIndex) : entryColour, brightness);
            else
                Put(light, {}, 0);
            break;
        case 3:
            if (++state.passes >= SpeedThreshold(speed)) {
                state.passes = 0;
                state.colourIndex = static_cast<uint8_t>(state.colourIndex + 1 > kRainbowSize - 1 ? 0 : state.colourIndex + 1);
            }
            Put(light, Rainbow(state.colourIndex), brightness);
            break;
        case 4:
            Put(light, {}, 0);
            break;
        default:
            break;
        }
    }
}
