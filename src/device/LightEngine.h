#pragma once

// The lighting engine of one device object: it steps the current lighting effect and writes one
// colour and one brightness per light into its frame, which the device copies into its per-light
// colour list for the preview. Time comes in as milliseconds from the caller, so a test steps the
// effects exactly as the lighting thread does.
//
// One tick is one millisecond. An effect steps every SpeedThreshold(speed) ticks; the custom
// playback and the per-light effects run on every tick (a pass). Advance runs everything that
// fell due up to a moment and says how long the caller may sleep before the next step.
//
// Not thread-safe: the owner serialises calls (the lighting thread and the UI thread share it
// under the device's engine lock).

#include "device/LightTables.h"
#include "profile/ProfileRecords.h"

#include <cstdint>
#include <functional>
#include <random>
#include <vector>

class LightEngine {
public:
    using Rgb = lighting::Rgb;
    // Which product's mode numbers the engine follows.
    enum class ModeTable { Mouse, MousePad };
    static constexpr int kNoWake = -1;
    // Passes that change the picture on every tick are sampled no more often than this.
    static constexpr int kFrameMs = 16;
    // After a long sleep at most this many passes are caught up.
    static constexpr int kMaxCatchUpPasses = 2000;

    LightEngine(ModeTable table, int lightCount);

    // New lighting settings. A change of mode starts its effect from the beginning; the other
    // fields take effect at the next step. The next Advance steps at once.
    void SetSettings(const LightInfo& settings);
    const LightInfo& Settings() const { return m_settings; }
    // The frames of the custom effect; playback restarts at the first frame.
    void SetEffectSteps(std::vector<LightEffectStep> steps);
    // The per-light overrides (mouse pad); their levels, phases and colours restart.
    void SetLightList(std::vector<LightListEntry> entries);
    // Replaces the random source (0..bound-1) of the reactive effect (tests).
    void SetRandom(std::function<int(int bound)> random) { m_random = std::move(random); }

    // Runs every step due up to nowMs; the milliseconds until the next step is due, or kNoWake
    // when nothing changes until the settings do.
    int Advance(uint64_t nowMs);
    // The key-press notice: the reactive effect (mode 7) lights every light with a random colour
    // and lets it fall; the mouse's ring ripple (mode 4) starts its ripple.
    void OnKeyPress();

    const std::vector<uint32_t>& Lights() const { return m_lights; }
    // Counts every frame that changed a light (the device repaints only after a change).
    uint64_t FrameSerial() const { return m_frameSerial; }
    uint8_t Position() const { return m_position; }
    uint8_t ColourIndex() const { return m_colourIndex; }

    // The effect steps (one step each, on the frame).
    void LightStatic();
    void LightBreathing();
    void LightBreathingFourColours();
    void LightSpectrum();
    void LightBlink(uint64_t nowMs);
    void LightBlinkFourColours(uint64_t nowMs);
    void LightOff();
    // Mouse: the wave over its 7 zones, the ring ripple and the reactive effect.
    void LightWave();
    void LightRingRipple();
    void LightReactive();
    // Mouse pad: the wave over every light, and the ripple over single lights or 7 zones.
    void LightPadWave();
    void LightPadRipple(bool zones);
    // One pass of the custom playback.
    void LightCustomPlayback(uint64_t nowMs);
    // One pass of the per-light effects.
    void ApplyLightList(uint64_t nowMs);

private:
    enum class Kind { Still, Stepped, EveryPass };

    struct ReactiveLight {
        uint8_t level = 0;
        uint8_t phase = 0; // 0 idle, 1 rising, 2 falling
        uint8_t colourIndex = 0;
    };
    struct PerLightState {
        uint8_t level = 0;
        uint8_t colourIndex = 0;
        bool blinkOn = false;
        uint64_t lastToggle = 0;
        uint8_t passes = 0;
    };
    struct Playback {
        size_t index = 0;
        uint64_t stepBegan = 0;
        bool stepStarted = false;
        uint8_t counter = 0;
        uint8_t position = 0;
        bool blinkOn = false;
        uint64_t lastToggle = 0;
        uint8_t blinkColour = 0;
    };

    bool IsCustomMode() const;
    bool HasLightList() const;
    Kind KindOfMode() const;
    void RunEffect(uint64_t nowMs);
    void RunPass(uint64_t nowMs);
    Rgb EffectColour(int rainbowIndex) const;
    void Fill(Rgb colour, int brightness);
    void Put(int light, Rgb colour, int brightness);
    void Commit();
    void Blink(uint64_t nowMs, bool fourColours);
    void Breathe(bool fourColours);
    void PlaybackStep(const LightEffectStep& step, uint64_t nowMs);
    void RotateRing(int direction);
    int RandomIndex(int bound);

    ModeTable m_table;
    LightInfo m_settings;
    std::vector<uint32_t> m_lights;
    std::vector<uint32_t> m_frame;
    uint64_t m_frameSerial = 0;

    uint8_t m_position = 0;
    uint8_t m_colourIndex = 0;
    bool m_blinkOn = false;
    uint64_t m_lastBlinkToggle = 0;
    std::vector<ReactiveLight> m_reactive;
    std::vector<uint8_t> m_rippleLevels;
    std::vector<bool> m_ripplePressed;
    std::vector<uint8_t> m_ring;
    unsigned m_rippleSteps = 0;

    std::vector<LightEffectStep> m_steps;
    Playback m_playback;
    std::vector<LightListEntry> m_lightList;
    std::vector<PerLightState> m_perLight;

    bool m_started = false;
    bool m_fresh = true;
    uint64_t m_lastTick = 0;
    int m_ticks = 0;
    std::function<int(int)> m_random;
    std::minstd_rand m_generator{0x5EED};
};
