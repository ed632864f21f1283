#include "app/LightSyncEffect.h"
#include "device/LightTables.h"

#include <gtest/gtest.h>

using namespace lighting;

namespace {

LightSyncSettings Sync(int mode, int speed, int direction = 1, bool multi = true)
{
    LightSyncSettings settings;
    settings.mode = static_cast<uint8_t>(mode);
    settings.brightness = 4;
    settings.speed = static_cast<uint8_t>(speed);
    settings.direction = static_cast<uint8_t>(direction);
    settings.multiColor = multi ? 1 : 0;
    settings.red = 7;
    return settings;
}

} // namespace

TEST(LightSyncEffectTest, ModesMapBetweenEveryKindAndTheSyncModes)
{
    struct Case {
        int kind, mode, sync;
    };
    const Case cases[] = {{2, 10, LightSyncEffect::kOff},     {1, 28, LightSyncEffect::kOff},
                          {2, 3, LightSyncEffect::kSpectrum}, {3, 1, LightSyncEffect::kSpectrum},
                          {1, 5, LightSyncEffect::kBreathing}, {7, 4, LightSyncEffect::kBlink},
                          {2, 4, -1},                          {3, 6, -1}, {6, 3, -1}};
    for (const Case& c : cases)
        EXPECT_EQ(LightSyncEffect::SyncModeOf(c.kind, c.mode), c.sync) << "kind " << c.kind << " mode " << c.mode;
    EXPECT_EQ(LightSyncEffect::DeviceModeOf(1, LightSyncEffect::kOff), 28) << "a mouse going dark turns the keyboard off";
    EXPECT_EQ(LightSyncEffect::DeviceModeOf(3, LightSyncEffect::kStatic), 3);
    EXPECT_EQ(LightSyncEffect::DeviceModeOf(4, LightSyncEffect::kStatic), -1);
}

TEST(LightSyncEffectTest, FramesRunAtTheSpeedsIntervalAndEveryTickPastIndexFour)
{
    LightSyncEffect spectrum;
    spectrum.Start(Sync(LightSyncEffect::kSpectrum, 4));
    EXPECT_EQ(spectrum.Advance(100), 7);
    EXPECT_EQ(spectrum.Colour(), PackLight(Rainbow(1), 255));
    spectrum.Advance(106);
    EXPECT_EQ(spectrum.Colour(), PackLight(Rainbow(1), 255));
    spectrum.Advance(107);
    EXPECT_EQ(spectrum.Colour(), PackLight(Rainbow(2), 255));

    LightSyncEffect fast;
    fast.Start(Sync(LightSyncEffect::kSpectrum, 9));
    fast.Advance(0);
    fast.Advance(1);
    fast.Advance(2);
    EXPECT_EQ(fast.Colour(), PackLight(Rainbow(3), 255));
}

TEST(LightSyncEffectTest, BreathingWithDirectionZeroRunsTheCurveBackwards)
{
    LightSyncEffect breathing;
    breathing.Start(Sync(LightSyncEffect::kBreathing, 4, 0, false));
    breathing.Advance(0);
    EXPECT_EQ(breathing.Colour(), PackLight({7, 0, 0}, 255 * kBreathingCurve[127] / 256));
    breathing.Advance(7);
    EXPECT_EQ(breathing.Colour(), PackLight({7, 0, 0}, 255 * kBreathingCurve[126] / 256));
}

TEST(LightSyncEffectTest, BlinkAtSpeedZeroTogglesEvery5600Milliseconds)
{
    LightSyncEffect blink;
    blink.Start(Sync(LightSyncEffect::kBlink, 0, 1, false));
    blink.Advance(10000);
    EXPECT_EQ(blink.Colour(), PackLight({7, 0, 0}, 255));
    for (uint64_t t = 10000 + 28; t < 15600; t += 28)
        blink.Advance(t);
    EXPECT_EQ(LightLevelOf(blink.Colour()), 255) << "still on before 5600 ms";
    blink.Advance(15600);
    EXPECT_EQ(blink.Colour(), PackLight({}, 0));
}

TEST(LightSyncEffectTest, StillModesRunOneFrameAndSleep)
{
    LightSyncEffect off;
    off.Start(Sync(LightSyncEffect::kOff, 2));
    EXPECT_EQ(off.Advance(0), LightSyncEffect::kNoWake);
    EXPECT_EQ(off.Colour(), PackLight({}, 0));
    EXPECT_EQ(off.FrameSerial(), 1u) << "a start paints even an unchanged colour";
}
