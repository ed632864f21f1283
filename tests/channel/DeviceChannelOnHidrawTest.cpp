#include "channel/DeviceChannel.h"
#include "hid/linux/HidrawBackend.h"
#include "hid/sim/DescriptorWriter.h"
#include "sim/SimFirmware.h"
#include "support/FakeHidrawKernel.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;
using testsupport::FakeHidrawKernel;

constexpr char kNode[] = "hidraw5";

// The mouse's vendor interface on the kernel's hidraw driver, answered by the simulated
// firmware: collection 1 sends unrelated 8-byte reports 0x11 (keys of a running macro, say),
// collection 2 carries the commands. The device answers from its own thread, after the write.
class DeviceChannelOnHidrawTest : public testing::Test {
protected:
    void SetUp() override
    {
        DescriptorWriter writer;
        writer.VendorCollection(0xFF1D, 0x01, 0x11, 8, false);
        writer.VendorCollection(0xFF1C, 0x92, 0x04, 63, true);
        kernel->Plug(kNode, "0003:0000320F:000022A4", "usb-0000:00:14.0-2/input1", writer.Bytes());
        kernel->OnWrite(kNode, [this](const Bytes& request) { Answer(request); });
        auto backend = std::make_shared<HidrawBackend>(kernel->Sys(), kernel->Dev(), kernel);
        HidDevice enumerator(backend);
        ASSERT_TRUE(enumerator.EnumeratePaths());
        enumerator.NextPath();
        const auto commandPath = enumerator.NextPath();
        ASSERT_TRUE(commandPath && commandPath->ends_with("&col02"));
        channel = std::make_unique<DeviceChannel>(backend);
        ASSERT_TRUE(channel->WiredDevice().Open(*commandPath, true, true, true, false));
        channel->SetOpen(true);
        channel->SetMode(1);
    }

    void TearDown() override
    {
        channel.reset();
        // A transfer the channel gave up on ends in its own time; its file closes after it.
        for (int i = 0; i < 2000 && kernel->OpenFileCount(kNode) > 0; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        std::lock_guard guard(answersLock);
        for (std::thread& thread : answers)
            thread.join();
    }

    void Answer(const Bytes& request)
    {
        const SimFirmware::Answer answer = firmware.Handle(request, true);
        const int unrelated = unrelatedBeforeAnswer;
        std::lock_guard guard(answersLock);
        answers.emplace_back([this, answer, unrelated] {
            for (int i = 0; i < unrelated; ++i) {
                kernel->WaitForRoom(kNode, 20);
                kernel->Report(kNode, Unrelated());
            }
            if (answer.response)
                kernel->Report(kNode, *answer.response);
        });
    }

    static Bytes Unrelated()
    {
        Bytes report(9, 0);
        report[0] = 0x11;
        return report;
    }

    std::shared_ptr<FakeHidrawKernel> kernel = std::make_shared<FakeHidrawKernel>();
    SimFirmware firmware{SimFirmware::MouseLayout()};
    std::atomic<int> unrelatedBeforeAnswer{0};
    std::mutex answersLock;
    std::vector<std::thread> answers;
    std::unique_ptr<DeviceChannel> channel;
};

TEST_F(DeviceChannelOnHidrawTest, AnAnswerSurvivesAHundredUnrelatedReportsBeforeAndDuringTheExchange)
{
    for (int i = 0; i < 100; ++i)
        kernel->Report(kNode, Unrelated()); // while the channel is idle
    uint8_t info[DeviceChannel::kInfoBlockSize] = {};
    ASSERT_EQ(channel->ReadInfoBlock(info), kChannelOk);
    EXPECT_EQ(Bytes(info, info + sizeof info), firmware.InfoBlock());

    unrelatedBeforeAnswer = 100;
    uint8_t power[2] = {};
    ASSERT_EQ(channel->ReadShortSpan(0, power, 2), kChannelOk);
    EXPECT_EQ(power[0], firmware.PowerStatus()[0]);
}

TEST_F(DeviceChannelOnHidrawTest, AStalledWriteEndsTheExchangeWithinTheWiredTimeOut)
{
    kernel->Stall(kNode, true);
    EXPECT_EQ(channel->EnterConfigMode(), kChannelWriteFailed);
    EXPECT_EQ(kernel->WritesInProgress(), 1) << "the answer came while the kernel still holds the transfer";
    channel.reset();
    EXPECT_EQ(kernel->WritesInProgress(), 1) << "closing the channel did not wait for the transfer";
    kernel->Stall(kNode, false);
}

} // namespace
