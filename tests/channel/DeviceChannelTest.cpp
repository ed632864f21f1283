#include "channel/DeviceChannel.h"
#include "sim/SimulatedDevices.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

// A channel on the simulated mouse (no latency) whose pauses are recorded instead of slept.
class DeviceChannelTest : public testing::Test {
protected:
    void SetUp() override
    {
        devices.SetLatencyMs(0);
        devices.Plug("mouse");
        devices.Plug("receiver");
        channel.SetSleepFunction([this](int ms) { sleeps.push_back(ms); });
        channel.SetLogSink([this](const std::string& line) { log.push_back(line); });
        UseWired();
    }

    void UseWired()
    {
        ASSERT_TRUE(channel.WiredDevice().Open(devices.Mouse().Wired().CommandPath(), true, true, true, false));
        channel.SetOpen(true);
        channel.SetMode(1);
    }

    void UseReceiver()
    {
        ASSERT_TRUE(channel.ReceiverDevice().Open(devices.Mouse().Receiver().CommandPath(), true, true, true, false));
        channel.SetOpen(true);
        channel.SetMode(2);
    }

    SimFirmware& Firmware() { return devices.Mouse().Firmware(); }

    // (length, offset) of every request the firmware received.
    std::vector<std::pair<int, int>> Spans()
    {
        std::vector<std::pair<int, int>> spans;
        for (const Bytes& request : Firmware().Requests())
            spans.emplace_back(request[4], request[5] | request[6] << 8);
        return spans;
    }

    SimulatedDevices devices;
    DeviceChannel channel{devices.Bus()};
    std::vector<int> sleeps;
    std::vector<std::string> log;
};

TEST_F(DeviceChannelTest, StartsClosedWithTheDocumentedDefaults)
{
    DeviceChannel fresh;
    EXPECT_EQ(fresh.BlockLength(), 512);
    EXPECT_EQ(fresh.ChunkSize(), 24);
    EXPECT_EQ(fresh.DongleMode(), 0);
    EXPECT_FALSE(fresh.IsOpen());
    EXPECT_FALSE(fresh.IsSuspended());
    uint8_t info[34];
    EXPECT_EQ(fresh.ReadInfoBlock(info), kChannelFailed) << "not open";
}

TEST_F(DeviceChannelTest, InfoBlockReadTakesOneWiredOrTwoReceiverPackets)
{
    uint8_t info[34] = {};
    ASSERT_EQ(channel.ReadInfoBlock(info), kChannelOk);
    EXPECT_EQ(Bytes(info, info + 34), Firmware().InfoBlock());
    EXPECT_EQ(Spans(), (std::vector<std::pair<int, int>>{{34, 0}}));
    EXPECT_EQ(sleeps, std::vector<int>{10}) << "one pause before the response read";

    Firmware().ClearRequests();
    UseReceiver();
    EXPECT_EQ(channel.ChunkSize(), 24);
    uint8_t again[34] = {};
    ASSERT_EQ(channel.ReadInfoBlock(again), kChannelOk);
    EXPECT_EQ(Bytes(again, again + 34), Firmware().InfoBlock());
    EXPECT_EQ(Spans(), (std::vector<std::pair<int, int>>{{24, 0}, {10, 24}}));
}

TEST_F(DeviceChannelTest, BlockLengthBoundsAndSplitsTheKeyBlockRead)
{
    EXPECT_EQ(channel.SetBlockLength(513), kChannelFailed);
    EXPECT_EQ(channel.BlockLength(), 512);
    ASSERT_EQ(channel.SetBlockLength(258), kChannelOk);
    uint8_t keys[258] = {};
    ASSERT_EQ(channel.ReadKeyBlock(keys), kChannelOk);
    EXPECT_EQ(Spans(), (std::vector<std::pair<int, int>>{{56, 0}, {56, 56}, {56, 112}, {56, 168}, {34, 224}}));
    const Bytes region = Firmware().KeyBlock();
    EXPECT_EQ(Bytes(keys, keys + 258), Bytes(region.begin(), region.begin() + 258));
    EXPECT_EQ(Bytes(keys, keys + 3), (Bytes{0x10, 0x01, 0x00})) << "left button's factory code";
}

TEST_F(DeviceChannelTest, KeyBlockWriteOfAnotherPageSendsNothing)
{
    const Bytes block(512, 0x33);
    EXPECT_EQ(channel.WriteKeyBlock(1, block.data()), kChannelBadPage);
    EXPECT_TRUE(Firmware().Requests().empty());
    ASSERT_EQ(channel.WriteKeyBlock(0, block.data()), kChannelOk);
    EXPECT_EQ(Firmware().Requests().size(), 10u) << "512 bytes in 56-byte packets";
    EXPECT_EQ(Firmware().KeyBlock(), block);
}

TEST_F(DeviceChannelTest, FailureStatusStopsAMultiPacketWriteAtThatPacket)
{
    const Bytes record(86, 0x5A);
    Firmware().ScheduleFault(SimFault::StatusFE, 1);
    EXPECT_EQ(channel.WriteRegion(128, record.data(), record.size()), kChannelStatusFE);
    EXPECT_EQ(Spans(), (std::vector<std::pair<int, int>>{{56, 128}, {30, 184}}));
    const Bytes region = Firmware().ProfileRegion();
    EXPECT_EQ(region[128 + 55], 0x5A) << "the first packet stays written";

    Firmware().ScheduleFault(SimFault::StatusFF);
    EXPECT_EQ(channel.EnterConfigMode(), kChannelStatusFF);
}

TEST_F(DeviceChannelTest, CrossedEchoIsSentAgainOnce)
{
    Firmware().ScheduleFault(SimFault::CrossedEcho);
    uint8_t power[2] = {};
    ASSERT_EQ(channel.ReadShortSpan(0, power, 2), kChannelOk);
    EXPECT_EQ(power[0], 80);
    const auto requests = Firmware().Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0], requests[1]);

    // Crossed twice: the second read's result stands.
    Firmware().ClearRequests();
    Firmware().ScheduleFault(SimFault::CrossedEcho, 0, 2);
    EXPECT_EQ(channel.EnterConfigMode(), kChannelOk);
    EXPECT_EQ(Firmware().Requests().size(), 2u);
}

TEST_F(DeviceChannelTest, UnlinkedReceiverAnswersNotLinkedWithoutRetry)
{
    UseReceiver();
    devices.Unlink();
    uint8_t info[34];
    EXPECT_EQ(channel.ReadInfoBlock(info), kChannelNotLinked);
    EXPECT_EQ(Firmware().Requests().size(), 1u);

    EXPECT_FALSE(channel.IsLinked());
    EXPECT_EQ(log, std::vector<std::string>{"Hid2_4GDeviceIsLink>0xAA    false"});
    devices.Link();
    EXPECT_TRUE(channel.IsLinked());
    EXPECT_EQ(log.size(), 1u);
}

TEST_F(DeviceChannelTest, BothConnectionsDiscardStaleResponsesBeforeEachRequest)
{
    // A late answer of an earlier exchange, with the echo the next request will carry.
    Bytes stale(64, 0);
    stale[0] = 0x04;
    stale[3] = 0x1A;
    stale[8] = 11;
    auto queueStale = [&](SimProduct& product) { devices.Bus()->SendInputReport(product.CommandInterfaceId(), stale); };

    queueStale(devices.Mouse().Wired());
    uint8_t power[2] = {};
    ASSERT_EQ(channel.ReadShortSpan(0, power, 2), kChannelOk);
    EXPECT_EQ(power[0], 80) << "the stale answer was dropped; the device's own came back";

    UseReceiver();
    queueStale(devices.Mouse().Receiver());
    const uint8_t request[8] = {0x04, 0x1C, 0x00, 0x1A, 0x02}; // a short request is padded
    uint8_t response[64] = {};
    size_t received = 0;
    ASSERT_EQ(channel.Transact(request, sizeof request, response, sizeof response, received), kChannelOk);
    EXPECT_EQ(received, 64u);
    EXPECT_EQ(response[8], 80);
    Bytes padded(request, request + sizeof request);
    padded.resize(64, 0);
    EXPECT_EQ(Firmware().Requests().back(), padded);
}

TEST_F(DeviceChannelTest, WiredLinkTestNeedsNoExchange)
{
    EXPECT_TRUE(channel.IsLinked());
    EXPECT_TRUE(Firmware().Requests().empty());
    EXPECT_TRUE(log.empty());
}

TEST_F(DeviceChannelTest, SuspendedChannelReportsSuccessWithoutTraffic)
{
    channel.SetSuspended(true);
    uint8_t info[34];
    std::fill(std::begin(info), std::end(info), 0x77);
    EXPECT_EQ(channel.EnterConfigMode(), kChannelOk);
    EXPECT_EQ(channel.ReadInfoBlock(info), kChannelOk);
    EXPECT_EQ(info[0], 0x77) << "nothing was read, nothing is copied";
    const Bytes block(512, 1);
    EXPECT_EQ(channel.WriteKeyBlock(0, block.data()), kChannelOk);
    EXPECT_TRUE(Firmware().Requests().empty());

    const Bytes lights(48, 0x20);
    EXPECT_EQ(channel.StreamLighting(lights.data(), lights.size()), kChannelOk);
    EXPECT_EQ(Firmware().Requests().size(), 1u) << "the lighting stream ignores suspended";
}

TEST_F(DeviceChannelTest, LightingStreamDropsPacketsWhileATransactionRuns)
{
    const Bytes lights(56, 0x42);
    int streamed = -1;
    // The pause inside a settings exchange is where another thread's lighting packet would arrive.
    channel.SetSleepFunction([&](int) {
        if (streamed == -1)
            streamed = channel.StreamLighting(lights.data(), lights.size());
    });
    ASSERT_EQ(channel.EnterConfigMode(), kChannelOk);
    EXPECT_EQ(streamed, kChannelOk);
    EXPECT_EQ(Firmware().Requests().size(), 1u) << "only the settings packet went out";

    ASSERT_EQ(channel.StreamLighting(lights.data(), lights.size()), kChannelOk);
    EXPECT_EQ(Firmware().LightStream()[0], 0x42);
    EXPECT_TRUE(sleeps.empty()) << "the quick exchange does not pause";
}

TEST_F(DeviceChannelTest, LeaveConfigModePausesBeforeSending)
{
    ASSERT_EQ(channel.EnterConfigMode(), kChannelOk);
    EXPECT_TRUE(Firmware().InConfigMode());
    sleeps.clear();
    ASSERT_EQ(channel.LeaveConfigMode(), kChannelOk);
    EXPECT_FALSE(Firmware().InConfigMode());
    EXPECT_EQ(sleeps, (std::vector<int>{10, 10}));
}

TEST_F(DeviceChannelTest, UnplugInTheMiddleOfAWriteFailsTheRest)
{
    const Bytes macro(200, 0x99);
    Firmware().ScheduleFault(SimFault::Unplug, 1);
    EXPECT_EQ(channel.WriteMacroData(macro.data(), macro.size()), kChannelWriteFailed);
    EXPECT_EQ(Firmware().Requests().size(), 2u);
    const Bytes memory = Firmware().MacroMemory();
    EXPECT_EQ(memory[55], 0x99);
    EXPECT_EQ(memory[56], 0x00);
    EXPECT_FALSE(devices.IsPlugged("mouse"));
}

TEST_F(DeviceChannelTest, RefusedChannelDoesNothing)
{
    channel.SetRefused(1);
    EXPECT_EQ(channel.EnterConfigMode(), kChannelFailed);
    EXPECT_TRUE(Firmware().Requests().empty());
    EXPECT_FALSE(channel.IsBusy());
}

} // namespace
