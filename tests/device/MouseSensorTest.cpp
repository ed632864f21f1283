#include "device/MouseSensor.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

// Step, step count and base that the information block gives with each sensor id.
struct SensorSpec {
    uint16_t id;
    uint8_t step;
    uint16_t stepCount;
    uint16_t base;
};

constexpr SensorSpec k3395{0x3395, 0, 0, 0};
constexpr SensorSpec k8925{0x8925, 0, 0, 0};
constexpr SensorSpec k3104{0x3104, 0, 114, 0};
constexpr SensorSpec k3325{0x3325, 100, 0, 200};
constexpr SensorSpec kGeneric{0x1234, 25, 0, 100};

MouseSensor SensorOf(const SensorSpec& spec)
{
    return MouseSensor::Make(spec.id, spec.step, spec.stepCount, spec.base).value();
}

enum class Direction { IndexToDpi, DpiToIndex };

struct Conversion {
    SensorSpec sensor;
    Direction direction;
    int input;
    int expected;
};

TEST(MouseSensorTest, EachSensorConvertsByItsOwnRule)
{
    const Conversion conversions[] = {
        {k3395, Direction::IndexToDpi, 7, 400},
        {k3395, Direction::IndexToDpi, 319, 16000},
        {k3395, Direction::DpiToIndex, 30, 0}, // typed below 50 counts as 50
        {k3395, Direction::DpiToIndex, 3225, 63},
        {k3395, Direction::DpiToIndex, 20000, 199}, // the edit box ends at 10000

        {k8925, Direction::IndexToDpi, 99, 5000},
        {k8925, Direction::IndexToDpi, 100, 5100},
        {k8925, Direction::IndexToDpi, 149, 10000},
        {k8925, Direction::DpiToIndex, 5000, 99},
        {k8925, Direction::DpiToIndex, 10000, 149},

        {k3104, Direction::IndexToDpi, 0, 200},
        {k3104, Direction::IndexToDpi, 1, 400},
        {k3104, Direction::IndexToDpi, 52, 2900},
        {k3104, Direction::IndexToDpi, 53, 2900},
        {k3104, Direction::IndexToDpi, 54, 3000},
        {k3104, Direction::IndexToDpi, 200, 8000}, // never above 8000
        {k3104, Direction::DpiToIndex, 300, 0},
        {k3104, Direction::DpiToIndex, 400, 1},
        {k3104, Direction::DpiToIndex, 2900, 53},
        {k3104, Direction::DpiToIndex, 2600, 46},
        {k3104, Direction::DpiToIndex, 2700, 51}, // the two formulas do not invert each other here

        {k3325, Direction::IndexToDpi, 10, 1200},
        {k3325, Direction::IndexToDpi, 48, 5000},
        {k3325, Direction::IndexToDpi, 49, 5200},
        {k3325, Direction::DpiToIndex, 1250, 10},
        {k3325, Direction::DpiToIndex, 5400, 49},

        {kGeneric, Direction::IndexToDpi, 4, 200},
        {kGeneric, Direction::DpiToIndex, 260, 6},
        {kGeneric, Direction::DpiToIndex, 50, 0}, // below the base: the slider's first position
    };
    for (const Conversion& c : conversions) {
        const MouseSensor sensor = SensorOf(c.sensor);
        const int got = c.direction == Direction::IndexToDpi ? sensor.IndexToDpi(c.input) : sensor.DpiToIndex(c.input);
        EXPECT_EQ(got, c.expected) << std::hex << "sensor 0x" << c.sensor.id << std::dec
                                   << (c.direction == Direction::IndexToDpi ? " index " : " value ") << c.input;
    }
}

TEST(MouseSensorTest, SliderRangesAndUnusableRules)
{
    EXPECT_EQ(SensorOf(k3395).SliderRange(), (DpiSliderRange{0, 519}));
    EXPECT_EQ(SensorOf(k8925).SliderRange(), (DpiSliderRange{0, 149}));
    EXPECT_EQ(SensorOf(k3104).SliderRange(), (DpiSliderRange{0, 104})) << "step count - 10";
    EXPECT_EQ(SensorOf(k3325).SliderRange(), std::nullopt) << "the page file's range";
    EXPECT_EQ(SensorOf(kGeneric).SliderRange(), std::nullopt);
    EXPECT_EQ(MouseSensor().Id(), 0x3395) << "the mouse's own sensor until a device names another";

    // Rules that would divide by zero or have no slider positions.
    EXPECT_FALSE(MouseSensor::Make(0x1234, 0, 0, 100));
    EXPECT_FALSE(MouseSensor::Make(0x3325, 0, 0, 200));
    EXPECT_FALSE(MouseSensor::Make(0x3104, 0, 10, 0));
    EXPECT_TRUE(MouseSensor::Make(0x8925, 0, 0, 0));
}

TEST(MouseSensorTest, Sensor8925KeepsOneByteIndexInBothStageBytes)
{
    DpiStage stage;
    SensorOf(k8925).StoreIndex(stage, 120);
    const auto* bytes = reinterpret_cast<const uint8_t*>(&stage);
    EXPECT_EQ(bytes[2], 120);
    EXPECT_EQ(bytes[3], 120);
    EXPECT_EQ(SensorOf(k8925).StageIndex(stage), 120);

    SensorOf(k3395).StoreIndex(stage, 300);
    EXPECT_EQ(bytes[2], 300 & 0xFF);
    EXPECT_EQ(bytes[3], 300 >> 8);
    EXPECT_EQ(SensorOf(k3395).StageIndex(stage), 300);
}

} // namespace
