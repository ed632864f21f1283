#include "device/LightEngine.h"
#include "device/LightTables.h"

#include <gtest/gtest.h>

#include <set>

using namespace lighting;

namespace {

constexpr int kMouseLights = 15;

LightInfo Settings(int mode, int speed = 4, int direction = 1, bool multi = true, int brightness = 4)
{
    LightInfo info;
    info.selectItem = static_cast<uint8_t>(mode);
    info.speed = static_cast<uint8_t>(speed);
    info.direction = static_cast<uint8_t>(direction);
    info.multiColor = multi ? 1 : 0;
    info.brightness = static_cast<uint8_t>(brightness);
    info.red = 10;
    info.green = 20;
    info.blue = 30;
    return info;
}

uint32_t Light(Rgb colour, int level)
{
    return PackLight(colour, level);
}

// An engine on the mouse's table with one effect set, stepped on a clock of its own.
struct Stepper {
    explicit Stepper(LightInfo settings, LightEngine::ModeTable table = LightEngine::ModeTable::Mouse)
        : engine(table, kMouseLights)
    {
        engine.SetSettings(settings);
        engine.SetRandom([](int) { return 42; });
    }
    // Moves the clock to t and runs what fell due.
    int At(uint64_t t)
    {
        now = t;
        return engine.Advance(now);
    }
    // The next n steps of a stepped effect (each one threshold later).
    void Steps(int n)
    {
        for (int i = 0; i < n; ++i)
            At(now + static_cast<uint64_t>(SpeedThreshold(engine.Settings().speed)));
    }
    uint32_t operator[](int light) const { return engine.Lights()[static_cast<size_t>(light)]; }

    LightEngine engine;
    uint64_t now = 0;
};

} // namespace

TEST(LightTablesTest, TablesHoldTheirNamedEntries)
{
    EXPECT_EQ(Rainbow(0), (Rgb{255, 1, 0}));
    EXPECT_EQ(Rainbow(63), (Rgb{0, 255, 0}));
    EXPECT_EQ(Rainbow(127), (Rgb{0, 0, 255}));
    EXPECT_EQ(Rainbow(191), (Rgb{255, 0, 0}));
    EXPECT_EQ(Rainbow(192), Rainbow(0));
    EXPECT_EQ(kBreathingCurve[0], 0);
    EXPECT_EQ(kBreathingCurve[63], 255);
    EXPECT_EQ(kBreathingCurve[64], 255);
    EXPECT_EQ(kBreathingCurve[127], 0);
    EXPECT_EQ(kWaveCurve[0], 22);
    EXPECT_EQ(kWaveCurve[47], 255);
    EXPECT_EQ(kWaveCurve[48], 255);
    EXPECT_EQ(kWaveCurve[95], 22);
    EXPECT_EQ(SpeedThreshold(0), 28);
    EXPECT_EQ(SpeedThreshold(4), 7);
    std::set<int> zoned;
    for (const auto& zone : kMouseZones)
        zoned.insert(zone.begin(), zone.end());
    EXPECT_EQ(zoned.size(), 15u);
}

TEST(LightTablesTest, StepPositionWrapsAtBothEndsInBothDirections)
{
    struct Case {
        int direction, limit, position, step, expected;
    };
    const Case cases[] = {
        {1, 192, 0, 1, 1},   {1, 192, 190, 1, 191}, {1, 192, 191, 1, 0}, {1, 128, 127, 1, 0},
        {0, 192, 5, 1, 4},   {0, 192, 0, 1, 191},   {0, 128, 0, 1, 127}, {0, 192, 1, 2, 190},
        {1, 192, 190, 2, 0}, {0, 192, 2, 2, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StepPosition(c.direction, c.limit, c.position, c.step), c.expected)
            << "direction " << c.direction << " limit " << c.limit << " position " << c.position;
    }
}

TEST(LightTablesTest, RippleDecayFollowsTheModeBands)
{
    struct Case {
        int level, mode, expected;
    };
    const Case cases[] = {{16, 0, 15}, {16, 29, 15}, {16, 4, 15}, {20, 0, 12}, {20, 29, 15},
                          {20, 7, 12}, {150, 29, 105}, {255, 4, 215}, {0, 4, 0}, {1, 0, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(RippleDecay(static_cast<uint8_t>(c.level), c.mode), c.expected) << c.level << " mode " << c.mode;
}

TEST(LightEngineTest, SpectrumStepsOncePerThresholdThroughTheRainbow)
{
    Stepper forwards(Settings(3));
    EXPECT_EQ(forwards.At(1000), 7); // a new setting shows at once
    EXPECT_EQ(forwards[0], Light(Rainbow(1), 255));
    EXPECT_EQ(forwards.At(1006), 1);
    EXPECT_EQ(forwards[14], Light(Rainbow(1), 255));
    forwards.At(1007);
    EXPECT_EQ(forwards[14], Light(Rainbow(2), 255));

    Stepper backwards(Settings(3, 0, 0, true, 2));
    EXPECT_EQ(backwards.At(0), 28);
    EXPECT_EQ(backwards[3], Light(Rainbow(191), 100)) << "backwards from position 0 goes to 191";
}

TEST(LightEngineTest, BreathingFollowsTheCurveAndStepsItsColourAfterEachBreath)
{
    Stepper breathing(Settings(1, 4, 1, true, 4));
    breathing.At(0);
    EXPECT_EQ(breathing.engine.Position(), 1);
    EXPECT_EQ(breathing[0], Light(Rainbow(0), 255 * kBreathingCurve[1] / 256));
    breathing.Steps(62);
    EXPECT_EQ(breathing[0], Light(Rainbow(0), 255 * 255 / 256));
    breathing.Steps(127 - 63);
    EXPECT_EQ(breathing.engine.Position(), 127);
    EXPECT_EQ(breathing.engine.ColourIndex(), 0);
    breathing.Steps(1);
    EXPECT_EQ(breathing.engine.Position(), 0);
    EXPECT_EQ(breathing.engine.ColourIndex(), 16);
    EXPECT_EQ(breathing[0], Light(Rainbow(16), 0));
    EXPECT_EQ(breathing.now, 127u * 7) << "one position every 7 ticks at speed 4";

    Stepper single(Settings(1, 2, 1, false, 3));
    single.Steps(40);
    EXPECT_EQ(single[5], Light({10, 20, 30}, 175 * kBreathingCurve[40] / 256));
}

TEST(LightEngineTest, BlinkTogglesAfterThresholdTimesTwoHundredMilliseconds)
{
    for (int speed : {0, 4}) {
        const uint64_t period = static_cast<uint64_t>(SpeedThreshold(speed)) * 200;
        Stepper blink(Settings(6, speed, 1, true, 4));
        const uint64_t start = 100000;
        blink.At(start);
        EXPECT_EQ(blink[0], Light(Rainbow(16), 255)) << "speed " << speed;
        blink.At(start + period - 1);
        EXPECT_EQ(LightLevelOf(blink[0]), 255) << "still on at the step just before the period";
        blink.Steps(1);
        EXPECT_EQ(blink[0], Light({}, 0)) << "off at the first step after " << period << " ms";
        const uint64_t toggled = blink.now;
        blink.At(toggled + period - static_cast<uint64_t>(SpeedThreshold(speed)));
        EXPECT_EQ(LightLevelOf(blink[0]), 0);
        blink.Steps(1);
        EXPECT_EQ(blink[0], Light(Rainbow(48), 255));
    }
}

TEST(LightEngineTest, FourColourEffectsCycleTheFixedColours)
{
    Stepper blink(Settings(8, 4));
    blink.At(100000);
    EXPECT_EQ(blink[0], Light(kFourColours[1], 255));
    blink.At(100000 + 1400);
    EXPECT_EQ(LightLevelOf(blink[0]), 0);
    blink.At(100000 + 2 * 1400);
    EXPECT_EQ(blink[0], Light(kFourColours[3], 255));

    Stepper breathing(Settings(5, 4));
    breathing.Steps(128);
    EXPECT_EQ(breathing.engine.ColourIndex(), 1);
    breathing.Steps(1);
    EXPECT_EQ(LightColourOf(breathing[0]), kFourColours[1]);
}

TEST(LightEngineTest, WaveGivesEachZoneItsPlaceAroundTheRainbow)
{
    Stepper wave(Settings(2, 4, 1, true, 4));
    wave.At(0);
    for (size_t zone = 0; zone < kMouseZones.size(); ++zone) {
        for (int light : kMouseZones[zone])
            EXPECT_EQ(wave[light], Light(Rainbow((2 + 7 * static_cast<int>(zone)) % 192), 255)) << "light " << light;
    }

    Stepper backwards(Settings(2, 4, 0, true, 4));
    backwards.At(0);
    EXPECT_EQ(backwards[0], Light(Rainbow(0), 255)) << "position 191, zone 0 one further";
    backwards.Steps(1);
    EXPECT_EQ(backwards[0], Light(Rainbow(191), 255)) << "the pattern moves the other way";

    Stepper single(Settings(2, 4, 1, false, 4));
    single.At(0);
    EXPECT_EQ(single[6], Light({10, 20, 30}, 255 * kWaveCurve[2 + 7 * 6] / 256));
    EXPECT_EQ(single[7], single[14]);
}

TEST(LightEngineTest, ReactiveRisesAndFallsAfterAKeyPressThenSleeps)
{
    Stepper reactive(Settings(7, 4, 1, true, 4));
    EXPECT_EQ(reactive.At(0), LightEngine::kNoWake) << "dark until a key is pressed";
    EXPECT_EQ(reactive[0], Light(Rainbow(0), 0));

    reactive.engine.OnKeyPress();
    reactive.Steps(1);
    EXPECT_EQ(reactive[9], Light(Rainbow(42), 255 * 255 / 256));
    reactive.Steps(1);
    EXPECT_EQ(reactive[9], Light(Rainbow(42), 255 * 240 / 256));
    reactive.Steps(15);
    EXPECT_EQ(reactive[9], Light(Rainbow(42), 255 * 15 / 256));
    EXPECT_EQ(reactive.At(reactive.now + 7), LightEngine::kNoWake);
    EXPECT_EQ(LightLevelOf(reactive[9]), 0);
}

TEST(LightEngineTest, RingRippleStartsOnAKeyPressAndDecays)
{
    Stepper ripple(Settings(4, 4, 1, false, 4));
    EXPECT_EQ(ripple.At(0), LightEngine::kNoWake);
    ripple.engine.OnKeyPress();
    ripple.Steps(1);
    EXPECT_EQ(ripple[0], Light({10, 20, 30}, 255 * 215 / 256));
    EXPECT_EQ(ripple[6], ripple[14]);
    ripple.Steps(1);
    EXPECT_EQ(LightLevelOf(ripple[0]), 255 * 175 / 256);
}

TEST(LightEngineTest, StillEffectsStepOnceAndSleepUntilTheSettingsChange)
{
    struct Case {
        LightEngine::ModeTable table;
        int mode;
        uint32_t expected;
    };
    const Case cases[] = {{LightEngine::ModeTable::Mouse, 0, Light({10, 20, 30}, 255)},
                          {LightEngine::ModeTable::Mouse, 10, Light({}, 0)},
                          {LightEngine::ModeTable::MousePad, 3, Light({10, 20, 30}, 255)},
                          {LightEngine::ModeTable::MousePad, 8, Light({}, 0)}};
    for (const Case& c : cases) {
        Stepper still(Settings(c.mode), c.table);
        EXPECT_EQ(still.At(0), LightEngine::kNoWake) << "mode " << c.mode;
        EXPECT_EQ(still[14], c.expected) << "mode " << c.mode;
        const uint64_t serial = still.engine.FrameSerial();
        still.At(5000);
        EXPECT_EQ(still.engine.FrameSerial(), serial) << "nothing changes while still";
    }
    Stepper dark(Settings(3, 4, 1, true, 0));
    dark.Steps(3);
    EXPECT_EQ(LightLevelOf(dark[0]), 0) << "brightness 0 darkens every effect";
}

TEST(LightEngineTest, PadFollowsItsOwnModeTable)
{
    Stepper spectrum(Settings(1), LightEngine::ModeTable::MousePad);
    spectrum.At(0);
    EXPECT_EQ(spectrum[0], Light(Rainbow(1), 255));

    Stepper wave(Settings(0), LightEngine::ModeTable::MousePad);
    wave.At(0);
    EXPECT_EQ(wave[0], Light(Rainbow(2), 255));
    EXPECT_EQ(wave[3], Light(Rainbow(2 + 21), 255)) << "every light its own place";

    Stepper ripple(Settings(6), LightEngine::ModeTable::MousePad);
    EXPECT_EQ(ripple.At(0), 7) << "the pad's ripple runs by itself";
    EXPECT_GT(LightLevelOf(ripple[0]), 0);
}

TEST(LightEngineTest, CustomPlaybackRunsEveryPassAndMovesToTheNextFrame)
{
    LightEffectStep spectrum;
    spectrum.mode = 5;
    spectrum.speed = 4; // one position per pass
    spectrum.brightness = 4;
    spectrum.time = 100;
    LightEffectStep still;
    still.mode = 1;
    still.speed = 4;
    still.brightness = 2;
    still.red = 200;
    still.time = 100;
    Stepper custom(Settings(11));
    custom.engine.SetEffectSteps({spectrum, still});
    EXPECT_EQ(custom.At(0), LightEngine::kFrameMs);
    custom.At(50);
    EXPECT_EQ(custom[0], Light(Rainbow(51), 255)) << "51 passes, one position each";
    custom.At(130);
    EXPECT_EQ(custom[0], Light({200, 0, 0}, 100)) << "the second frame after the first one's 100 ms";

    Stepper empty(Settings(9));
    empty.At(0);
    EXPECT_EQ(empty[0], Light({}, 0));
}

TEST(LightEngineTest, PadPerLightEntriesOverrideTheirLights)
{
    LightListEntry staticEntry;
    staticEntry.valid = 1;
    staticEntry.mode = 1;
    staticEntry.brightness = 2;
    staticEntry.red = 9;
    LightListEntry skipped;
    skipped.mode = 4;
    LightListEntry off;
    off.valid = 1;
    off.mode = 4;
    Stepper pad(Settings(1), LightEngine::ModeTable::MousePad);
    pad.engine.SetLightList({staticEntry, skipped, off});
    pad.At(0);
    pad.At(20);
    EXPECT_EQ(pad[0], Light({9, 0, 0}, 100));
    EXPECT_EQ(pad[1], Light(Rainbow(3), 255)) << "an entry without its valid flag leaves the effect";
    EXPECT_EQ(pad[2], Light({}, 0));
}
