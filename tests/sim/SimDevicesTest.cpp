#include "channel/DeviceChannel.h"
#include "hid/HidDevice.h"
#include "sim/SimulatedDevices.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

class SimDevicesTest : public testing::Test {
protected:
    void SetUp() override
    {
        devices.SetLatencyMs(0);
        channel.SetSleepFunction([](int) {});
    }

    // Opens the channel's wired side on a product's command interface.
    void Attach(SimProduct& product, int mode = 1)
    {
        HidDevice& device = mode == 2 ? channel.ReceiverDevice() : channel.WiredDevice();
        ASSERT_TRUE(device.Open(product.CommandPath(), true, true, true, false));
        channel.SetOpen(true);
        channel.SetMode(mode);
    }

    // The next notice code on an open notification interface, or -1.
    static int NextNotice(HidDevice& notices, int timeoutMs = 1000)
    {
        size_t got = 0;
        if (!notices.ReadInputReport(notices.InputReportBuffer(), notices.InputReportLength(), got, timeoutMs))
            return -1;
        const uint8_t* report = notices.InputReportBuffer();
        EXPECT_TRUE(notices.ParseInputReport(report, got));
        return report[1] | report[2] << 8;
    }

    SimulatedDevices devices;
    DeviceChannel channel{devices.Bus()};
};

TEST_F(SimDevicesTest, MouseMemoryHasTheDocumentedLayout)
{
    devices.Plug("mouse");
    Attach(devices.Mouse().Wired());
    uint8_t info[34];
    ASSERT_EQ(channel.ReadInfoBlock(info), kChannelOk);
    EXPECT_EQ(info[0], 0xAA);
    EXPECT_EQ(info[1], 0x55);
    EXPECT_EQ(info[5], 11) << "key slots";
    EXPECT_EQ(info[7], 15) << "initialised";
    EXPECT_EQ(info[9] | info[10] << 8, 0x3395);

    ASSERT_EQ(channel.SetBlockLength(info[5] * 3), kChannelOk);
    uint8_t keys[33];
    ASSERT_EQ(channel.ReadKeyBlock(keys), kChannelOk);
    EXPECT_EQ(Bytes(keys + 30, keys + 33), (Bytes{0x14, 0x78, 0x02})) << "fire key";

    uint8_t active = 0xFF;
    ASSERT_EQ(channel.ReadRegion(0, &active, 1), kChannelOk);
    EXPECT_EQ(active, 0);
    uint8_t record[86];
    ASSERT_EQ(channel.ReadRegion(3 * 128, record, sizeof record), kChannelOk);
    EXPECT_EQ(record[0], 3);
    EXPECT_EQ(record[11], 3) << "report rate code";

    uint8_t power[2];
    ASSERT_EQ(channel.ReadShortSpan(0, power, 2), kChannelOk);
    EXPECT_EQ(power[0], 80);
}

TEST_F(SimDevicesTest, MacroAndPatternMemoryAreBoundedBySize)
{
    devices.Plug("mouse");
    Attach(devices.Mouse().Wired());
    const Bytes fits(16 * 128, 0x11);
    EXPECT_EQ(channel.WriteMacroData(fits.data(), fits.size()), kChannelOk);
    EXPECT_EQ(devices.Mouse().Firmware().MacroMemory(), fits);
    const Bytes tooLong(16 * 128 + 1, 0x22);
    EXPECT_EQ(channel.WriteMacroData(tooLong.data(), tooLong.size()), kChannelStatusFF);

    const Bytes pattern(100, 0x33);
    ASSERT_EQ(channel.WritePatternData(pattern.data(), pattern.size()), kChannelOk);
    EXPECT_EQ(devices.Mouse().Firmware().PatternMemory()[99], 0x33);
    EXPECT_EQ(devices.Mouse().Firmware().Requests().back()[4], 100 - 56) << "56-byte packets";
}

TEST_F(SimDevicesTest, ChangeNoticesReachTheCableAndTheLinkedReceiver)
{
    devices.PlugList("mouse,receiver");
    HidDevice wired(devices.Bus()), receiver(devices.Bus());
    ASSERT_TRUE(wired.Open(devices.Mouse().Wired().NotificationPath(), true, true, true, false));
    ASSERT_TRUE(receiver.Open(devices.Mouse().Receiver().NotificationPath(), true, true, true, false));
    EXPECT_EQ(wired.Caps().usagePage, 0x000C);

    devices.Mouse().SelectProfile(3);
    devices.Mouse().SelectDpiStage(2);
    EXPECT_EQ(NextNotice(wired), 0x1003);
    EXPECT_EQ(NextNotice(wired), 0x1123);
    EXPECT_EQ(wired.UsageTable(HidReportType::Input).at(0).usages.at(0), 0x1123);
    EXPECT_EQ(NextNotice(receiver), 0x1003);
    EXPECT_EQ(NextNotice(receiver), 0x1123);
    const Bytes region = devices.Mouse().Firmware().ProfileRegion();
    EXPECT_EQ(region[0], 3);
    EXPECT_EQ(region[3 * 128 + 12], 2);

    devices.Unlink();
    devices.Mouse().SendNotice(SimMouse::kNoticeResync);
    EXPECT_EQ(NextNotice(wired), 0x0401);
    EXPECT_EQ(NextNotice(receiver, 0), -1);
}

TEST_F(SimDevicesTest, ReceiverRelaysToTheSameMouseMemory)
{
    devices.Plug("receiver");
    Attach(devices.Mouse().Receiver(), 2);
    const Bytes record(86, 0x07);
    ASSERT_EQ(channel.WriteRegion(0, record.data(), record.size()), kChannelOk);
    EXPECT_EQ(devices.Mouse().Firmware().Requests().size(), 4u) << "86 bytes in 24-byte packets";
    EXPECT_EQ(devices.Mouse().Firmware().ProfileRegion()[85], 0x07);
}

TEST_F(SimDevicesTest, SilenceBadChecksumAndLatencyShapeTheAnswer)
{
    devices.Plug("mouse");
    SimFirmware& firmware = devices.Mouse().Firmware();
    HidDevice command(devices.Bus());
    ASSERT_TRUE(command.Open(devices.Mouse().Wired().CommandPath(), true, true, true, false));
    uint8_t request[64] = {0x04, 0x01, 0x00, 0x01};
    uint8_t response[64];
    size_t got = 0;

    firmware.ScheduleFault(SimFault::Silence);
    ASSERT_TRUE(command.WriteOutputReport(request, 64, got, 100));
    EXPECT_FALSE(command.ReadInputReport(response, 64, got, 20));

    request[1] = 0x02; // a wrong checksum is refused
    ASSERT_TRUE(command.WriteOutputReport(request, 64, got, 100));
    ASSERT_TRUE(command.ReadInputReport(response, 64, got, 100));
    EXPECT_EQ(response[7], 0xFF);
    request[1] = 0x01;

    firmware.SetLatencyMs(200);
    ASSERT_TRUE(command.WriteOutputReport(request, 64, got, 100));
    EXPECT_FALSE(command.ReadInputReport(response, 64, got, 0));
    ASSERT_TRUE(command.ReadInputReport(response, 64, got, 2000));
    EXPECT_EQ(response[3], 0x01);
}

TEST_F(SimDevicesTest, HeadsetTakesLightReportsAndCommandsOnOneCollection)
{
    devices.Plug("headset");
    SimProduct& headset = devices.Headset();
    EXPECT_EQ(headset.CommandPath().find("&col"), std::string::npos);
    Attach(headset);
    EXPECT_EQ(channel.WiredDevice().Caps().usagePage, 0x000C);
    EXPECT_EQ(channel.WiredDevice().Caps().outputReportByteLength, 64);

    uint8_t light[17] = {0xFF, 0x22, 0xAA, 0, 1, 2, 3, 4, 5, 6, 7};
    ASSERT_TRUE(channel.WiredDevice().SetOutputReport(light, sizeof light));
    ASSERT_EQ(headset.LightReports().size(), 1u);
    EXPECT_EQ(headset.LightReports()[0], Bytes(light, light + 17));
    uint8_t info[34];
    EXPECT_EQ(channel.ReadInfoBlock(info), kChannelOk);

    HidDevice notices(devices.Bus());
    ASSERT_TRUE(notices.Open(headset.CommandPath(), true, true, true, false));
    headset.SendNotice(SimMouse::kNoticeResync);
    EXPECT_EQ(NextNotice(notices), 0x0401);
}

TEST_F(SimDevicesTest, KeyboardAndPadAnswerTheirOwnBlocks)
{
    devices.PlugList("keyboard,pad");
    Attach(devices.Keyboard());
    uint8_t info[34];
    ASSERT_EQ(channel.ReadInfoBlock(info), kChannelOk);
    const int keys = info[5];
    EXPECT_EQ(keys, 126);
    ASSERT_EQ(channel.SetBlockLength(keys * 3), kChannelOk);
    Bytes block(keys * 3), lights(keys);
    ASSERT_EQ(channel.ReadKeyBlock(block.data()), kChannelOk);
    ASSERT_EQ(channel.ReadLightIndexBlock(lights.data()), kChannelOk);
    EXPECT_EQ(Bytes(block.begin(), block.begin() + 3), (Bytes{0x20, 0x00, 0x29}));
    EXPECT_EQ(lights[0], 0);
    EXPECT_EQ(lights[18], 0xFF) << "an empty position has no light";
    ASSERT_EQ(channel.HandLightingToHost(), kChannelOk);
    EXPECT_TRUE(devices.Keyboard().Firmware().HostLighting());

    channel.WiredDevice().Close();
    Attach(devices.MousePad());
    uint8_t record[45];
    ASSERT_EQ(channel.ReadRegion(0, record, sizeof record), kChannelOk);
    EXPECT_EQ(record[1], 3) << "static lighting";
}

TEST_F(SimDevicesTest, EnvironmentChoosesTheSimulatedBus)
{
    testsupport::TempFolder state;
    testsupport::ScopedEnv stateHome("XDG_STATE_HOME", state.Path());
    {
        testsupport::ScopedEnv unset("QV742_SIM", "");
        EXPECT_EQ(SimulatedDevices::InstallFromEnvironment(), nullptr);
    }
    testsupport::ScopedEnv sim("QV742_SIM", "mouse,pad,bogus");
    auto installed = SimulatedDevices::InstallFromEnvironment();
    ASSERT_NE(installed, nullptr);
    EXPECT_EQ(HidBackend::Current(), installed->Bus());
    EXPECT_TRUE(installed->IsPlugged("mouse"));
    EXPECT_FALSE(installed->IsPlugged("receiver"));
    HidDevice enumerator;
    ASSERT_TRUE(enumerator.EnumeratePaths());
    EXPECT_EQ(enumerator.PathCount(), 2u + 3u + 4u + 3u);
    HidBackend::SetCurrent(nullptr);
}

} // namespace
