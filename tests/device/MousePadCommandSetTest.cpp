#include "channel/DeviceChannel.h"
#include "device/MousePadCommandSet.h"
#include "sim/SimulatedDevices.h"
#include "support/SimRequests.h"

#include <gtest/gtest.h>

#include <vector>

using testsupport::Request;

namespace {

using Bytes = std::vector<uint8_t>;

// The simulated pad (no latency) on a wired channel and the pad's command set, with the pad's
// light mode values of "default_light.json" turned round so that index and value differ.
class MousePadCommandSetTest : public testing::Test {
protected:
    void SetUp() override
    {
        devices.SetLatencyMs(0);
        devices.Plug("pad");
        channel.SetSleepFunction([](int) {});
        ASSERT_TRUE(channel.WiredDevice().Open(devices.MousePad().CommandPath(), true, true, true, false));
        channel.SetOpen(true);
        channel.SetMode(1);
        commands.SetLightModeValues({8, 7, 6, 5, 4, 3, 2, 1, 0});
    }

    SimFirmware& Firmware() { return devices.MousePad().Firmware(); }
    Bytes Region(size_t offset, size_t length)
    {
        const Bytes region = Firmware().ProfileRegion();
        return Bytes(region.begin() + static_cast<long>(offset), region.begin() + static_cast<long>(offset + length));
    }

    SimulatedDevices devices;
    DeviceChannel channel{devices.Bus()};
    MousePadCommandSet commands{channel};
};

LightInfo Lighting(int mode, int speed)
{
    LightInfo light;
    light.selectItem = static_cast<uint8_t>(mode);
    light.brightness = 3;
    light.speed = static_cast<uint8_t>(speed);
    light.direction = 1;
    light.multiColor = 1;
    light.red = 1;
    light.green = 2;
    light.blue = 3;
    return light;
}

} // namespace

TEST_F(MousePadCommandSetTest, ReadsTheActiveProfilesRecordWithModeAndSpeedTurnedToTheHost)
{
    // Profile 1 is active; its record holds device mode 6 (host index 2) and wire speed 1.
    Firmware().WriteProfileRegion(0, {1});
    Firmware().WriteProfileRegion(25, {1, 6, 2, 1, 0, 1, 9, 8, 7});
    Firmware().ClearRequests();
    EXPECT_EQ(commands.ReadProfileRecord(), 1);
    const MousePadLightRecord record = commands.RecordCopy();
    EXPECT_EQ(record.profile, 1);
    EXPECT_EQ(record.mode, 2);
    EXPECT_EQ(record.speed, 3);
    EXPECT_EQ(record.red, 9);
    EXPECT_EQ(testsupport::RequestsWithoutLinkTests(Firmware()),
              (std::vector<Request>{{0x01, 0, 0}, {0x05, 1, 0}, {0x05, 45, 25}, {0x02, 0, 0}}));
    EXPECT_FALSE(Firmware().InConfigMode());
}

TEST_F(MousePadCommandSetTest, WritesTheRecordWithTheDeviceModeValueAndTheWireSpeed)
{
    commands.SetLighting(Lighting(1, 4));
    EXPECT_EQ(commands.WriteProfileRecord(0, 0), kChannelOk);
    EXPECT_EQ(Region(0, 9), (Bytes{0, 7, 3, 0, 1, 1, 1, 2, 3}));
    EXPECT_EQ(commands.RecordCopy().mode, 1) << "the copy keeps the host index";
    EXPECT_EQ(commands.RecordCopy().speed, 4);

    // A second write without a read sends the same mapped value; modes above 8 go out as 0.
    EXPECT_EQ(commands.WriteProfileRecord(0, 0), kChannelOk);
    EXPECT_EQ(Region(1, 1), Bytes{7});
    commands.SetLighting(Lighting(9, 0));
    commands.WriteProfileRecord(0, 0);
    EXPECT_EQ(Region(1, 3), (Bytes{0, 3, 4}));
}

TEST_F(MousePadCommandSetTest, ARecordWrittenIsReadBackTheSame)
{
    commands.SetLighting(Lighting(6, 2));
    commands.WriteProfileRecord(0, 0);
    MousePadCommandSet fresh(channel);
    fresh.SetLightModeValues({8, 7, 6, 5, 4, 3, 2, 1, 0});
    EXPECT_EQ(fresh.ReadProfileRecord(), 0);
    EXPECT_EQ(fresh.RecordCopy().mode, 6);
    EXPECT_EQ(fresh.RecordCopy().speed, 2);
    EXPECT_EQ(fresh.RecordCopy().direction, 1);
}

TEST_F(MousePadCommandSetTest, FailuresKeepTheRecordAndAreReported)
{
    commands.SetLighting(Lighting(4, 1));
    Firmware().WriteProfileRegion(0, {0, 2});
    Firmware().ScheduleFault(SimFault::StatusFF, 1);
    EXPECT_EQ(commands.ReadProfileRecord(), 0);
    EXPECT_EQ(commands.RecordCopy().mode, 4) << "a failed read keeps the copy";

    Firmware().WriteProfileRegion(0, {200});
    EXPECT_EQ(commands.ReadProfileRecord(), 0) << "a profile past the pad's profiles is no record";
    EXPECT_EQ(commands.RecordCopy().mode, 4);

    Firmware().ScheduleFault(SimFault::StatusFF, 1);
    EXPECT_NE(commands.WriteProfileRecord(0, 0), kChannelOk) << "a refused write is no success";

    channel.SetOpen(false);
    Firmware().ClearRequests();
    EXPECT_EQ(commands.WriteProfileRecord(0, 0), kChannelFailed);
    EXPECT_TRUE(Firmware().Requests().empty());
}
