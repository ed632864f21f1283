#pragma once

// The synchronised effect: one colour per frame for every product that takes part, from the
// effect of the product the user started it on. Time comes in as milliseconds from the caller,
// so a test runs frames exactly as the light sync thread does. Not thread-safe.

#include <cstdint>

struct LightSyncSettings {
    uint8_t mode = 0;       // 0 breathing, 1 static, 2 blink, 3 spectrum, 4 off
    uint8_t brightness = 0; // index into the brightness table
    uint8_t speed = 0;      // index into the frame intervals (5 and above: every tick)
    uint8_t direction = 0;  // breathing: 0 runs the curve backwards
    uint8_t multiColor = 0;
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
};

class LightSyncEffect {
public:
    enum SyncMode : int { kBreathing = 0, kStatic = 1, kBlink = 2, kSpectrum = 3, kOff = 4, kModes = 5 };
    static constexpr int kNoWake = -1;

    // The sync mode of a product kind's own mode (1 keyboard, 2 mouse, 3 pad, 7 headset), or -1
    // when the mode has no synchronised form.
    static int SyncModeOf(int kind, int mode);
    // The mode a product kind shows a sync mode with, or -1 for a kind without one.
    static int DeviceModeOf(int kind, int syncMode);
    // Milliseconds between frames at a speed index.
    static int FrameInterval(int speed);

    // A new effect; its wheel and curve positions carry on from the last one.
    void Start(const LightSyncSettings& settings);
    const LightSyncSettings& Settings() const { return m_settings; }
    // Runs the frame due up to nowMs: the milliseconds until the next one, or kNoWake for an
    // effect that does not change.
    int Advance(uint64_t nowMs);
    // The frame's colour as a per-light value (red bits 0-7 ... brightness 24-31).
    uint32_t Colour() const { return m_colour; }
    uint64_t FrameSerial() const { return m_serial; }

private:
    void RunFrame(uint64_t nowMs);

    LightSyncSettings m_settings;
    uint8_t m_spectrumPosition = 0;
    uint8_t m_breathingPhase = 0;
    uint8_t m_breathingColour = 0;
    bool m_blinkOn = false;
    uint8_t m_blinkColour = 0;
    uint64_t m_blinkStamp = 0;
    uint64_t m_lastTick = 0;
    int m_ticks = 0;
    bool m_started = false;
    bool m_fresh = false;
    uint32_t m_colour = 0;
    uint64_t m_serial = 0;
};
