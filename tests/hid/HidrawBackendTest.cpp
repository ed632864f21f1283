#include "CloseDuringRead.h"
#include "hid/DeviceScanPass.h"
#include "hid/HidDevice.h"
#include "hid/linux/HidrawBackend.h"
#include "hid/sim/DescriptorWriter.h"
#include "support/FakeHidrawKernel.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <thread>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using testsupport::FakeHidrawKernel;
using Bytes = std::vector<uint8_t>;

// The mouse's vendor interface: collection 1 sends 8-byte reports 0x11, collection 2 is the
// command collection with 64-byte reports 0x04 both ways.
std::vector<uint8_t> TwoCollections()
{
    DescriptorWriter writer;
    writer.VendorCollection(0xFF1D, 0x01, 0x11, 8, false);
    writer.VendorCollection(0xFF1C, 0x92, 0x04, 63, true);
    return writer.Bytes();
}

Bytes Report(uint8_t id, size_t length, uint8_t mark)
{
    Bytes report(length, 0);
    report[0] = id;
    report[3] = mark;
    return report;
}

class HidrawBackendTest : public testing::Test {
protected:
    void SetUp() override
    {
        kernel->Plug("hidraw3", "0003:0000320F:000022A4", "usb-0000:00:14.0-2/input1", TwoCollections());
        backend = std::make_shared<HidrawBackend>(kernel->Sys(), kernel->Dev(), kernel);
        ASSERT_TRUE(FindPaths());
    }

    // The interface's two collection paths, as enumeration gives them now.
    bool FindPaths()
    {
        HidDevice enumerator(backend);
        if (!enumerator.EnumeratePaths())
            return false;
        while (auto path = enumerator.NextPath()) {
            if (path->find("/hidraw3@") == std::string::npos)
                continue;
            (path->find("&col01") != std::string::npos ? otherPath : commandPath) = *path;
        }
        return !commandPath.empty() && !otherPath.empty();
    }

    std::shared_ptr<FakeHidrawKernel> kernel = std::make_shared<FakeHidrawKernel>();
    std::shared_ptr<HidrawBackend> backend;
    std::string commandPath;
    std::string otherPath;
};

TEST_F(HidrawBackendTest, EnumeratesCollectionsOfEveryReadableNodeWithTheDeviceIdentity)
{
    DescriptorWriter single;
    single.VendorCollection(0xFF00, 0x01, 0x01, 8, false);
    kernel->Plug("hidraw7", "0005:0000046D:0000B01A", "aa:bb:cc:dd:ee:ff", single.Bytes());
    kernel->Plug("hidraw9", "garbage", "usb-x/input0", single.Bytes());

    HidDevice enumerator(backend);
    ASSERT_TRUE(enumerator.EnumeratePaths());
    const std::string node = "hidraw:" + kernel->Dev();
    EXPECT_EQ(enumerator.NextPath(), node + "/hidraw3@0003:320F:22A4.0001#vid_320f&pid_22a4&mi_01&col01");
    EXPECT_EQ(enumerator.NextPath(), node + "/hidraw3@0003:320F:22A4.0001#vid_320f&pid_22a4&mi_01&col02");
    EXPECT_EQ(enumerator.NextPath(), node + "/hidraw7@0005:046D:B01A.0002#vid_046d&pid_b01a")
        << "Bluetooth: no interface number";
    EXPECT_EQ(enumerator.NextPath(), std::nullopt) << "a node without a readable uevent offers nothing";
}

TEST_F(HidrawBackendTest, OpenTakesAttributesFromSysfs)
{
    HidDevice device(backend);
    ASSERT_TRUE(device.Open(commandPath, true, true, true, false));
    EXPECT_EQ(device.Attributes().vendorId, 0x320F);
    EXPECT_EQ(device.Attributes().productId, 0x22A4);
    EXPECT_EQ(device.Attributes().versionNumber, 0x0103);
    EXPECT_EQ(device.Caps().usagePage, 0xFF1C);
    EXPECT_EQ(device.Caps().inputReportByteLength, 64);
    EXPECT_EQ(device.InterfaceNumber(), 1);
}

TEST_F(HidrawBackendTest, EveryOpenFileGetsEveryReportOfItsCollectionAndTimesOutOnOthers)
{
    HidDevice command(backend), secondCommand(backend), other(backend);
    ASSERT_TRUE(command.Open(commandPath, true, true, true, false));
    ASSERT_TRUE(secondCommand.Open(commandPath, true, true, true, false));
    ASSERT_TRUE(other.Open(otherPath, true, false, true, false));
    EXPECT_EQ(kernel->OpenFileCount("hidraw3"), 3);

    kernel->Report("hidraw3", Report(0x11, 9, 0xA1));
    kernel->Report("hidraw3", Report(0x04, 64, 0x01));
    uint8_t buffer[64];
    size_t got = 0;
    for (HidDevice* device : {&command, &secondCommand}) {
        ASSERT_TRUE(device->ReadInputReport(buffer, sizeof buffer, got, 1000));
        EXPECT_EQ(got, 64u);
        EXPECT_EQ(buffer[3], 0x01) << "report 0x11 is collection 1's and never reaches collection 2";
        EXPECT_FALSE(device->ReadInputReport(buffer, sizeof buffer, got, 20));
    }
    ASSERT_TRUE(other.ReadInputReport(buffer, sizeof buffer, got, 1000));
    EXPECT_EQ(got, 9u);
    EXPECT_EQ(buffer[3], 0xA1);
    EXPECT_FALSE(other.ReadInputReport(buffer, sizeof buffer, got, 20));
}

TEST_F(HidrawBackendTest, FlushDropsEveryReportReceivedSoFar)
{
    HidDevice device(backend);
    ASSERT_TRUE(device.Open(commandPath, true, true, true, false));
    for (uint8_t i = 0; i < 10; ++i)
        kernel->Report("hidraw3", Report(0x04, 64, i));
    device.FlushQueue();
    kernel->Report("hidraw3", Report(0x04, 64, 0x55));
    uint8_t buffer[64];
    size_t got = 0;
    ASSERT_TRUE(device.ReadInputReport(buffer, sizeof buffer, got, 1000));
    EXPECT_EQ(buffer[3], 0x55) << "only the report sent after the flush";
}

TEST_F(HidrawBackendTest, WriteReturnsWhenTheTransferHasEnded)
{
    Bytes sent;
    kernel->OnWrite("hidraw3", [&](const Bytes& report) { sent = report; });
    HidDevice device(backend);
    ASSERT_TRUE(device.Open(commandPath, true, true, true, false));
    const uint8_t request[64] = {0x04, 0x01, 0x00, 0x01};
    size_t written = 0;
    ASSERT_TRUE(device.WriteOutputReport(request, sizeof request, written, 1000));
    EXPECT_EQ(written, 64u);
    EXPECT_EQ(sent, Bytes(request, request + 64));
}

TEST_F(HidrawBackendTest, AStalledWriteFailsWithinItsTimeOutAndCloseDoesNotWaitForIt)
{
    kernel->Stall("hidraw3", true);
    HidDevice device(backend);
    ASSERT_TRUE(device.Open(commandPath, true, true, true, false));
    const uint8_t request[64] = {0x04, 0x01, 0x00, 0x01};
    size_t written = 0;
    EXPECT_FALSE(device.WriteOutputReport(request, sizeof request, written, 1000));
    EXPECT_EQ(kernel->WritesInProgress(), 1) << "the caller got its answer while the kernel still holds the transfer";
    EXPECT_FALSE(device.WriteOutputReport(request, sizeof request, written, 50)) << "queued behind the stalled one";

    device.Close();
    EXPECT_EQ(kernel->WritesInProgress(), 1) << "closing did not wait for the transfer";
    EXPECT_EQ(kernel->OpenFileCount("hidraw3"), 1) << "the file stays open until its transfer ends";
    kernel->Stall("hidraw3", false);
    for (int i = 0; i < 1000 && kernel->OpenFileCount("hidraw3") > 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(kernel->OpenFileCount("hidraw3"), 0);
    EXPECT_EQ(kernel->WritesReceived(), 1) << "the abandoned second write was never sent";
}

TEST_F(HidrawBackendTest, CloseEndsAnInfiniteReadAtOnce)
{
    HidDevice device(backend);
    ASSERT_TRUE(device.Open(commandPath, true, true, true, false));
    ExpectCloseEndsInfiniteRead(device);
}

TEST_F(HidrawBackendTest, AReadFailsOnceTheDeviceIsGone)
{
    HidDevice device(backend);
    ASSERT_TRUE(device.Open(commandPath, true, true, true, false));
    kernel->Report("hidraw3", Report(0x04, 64, 0x07));
    kernel->Unplug("hidraw3");
    uint8_t buffer[64];
    size_t got = 0;
    EXPECT_TRUE(device.ReadInputReport(buffer, sizeof buffer, got, 1000)) << "a report queued before the unplug";
    EXPECT_FALSE(device.ReadInputReport(buffer, sizeof buffer, got, kHidInfinite));
}

TEST_F(HidrawBackendTest, PresenceFollowsTheDeviceNotTheReusedHidrawName)
{
    const std::string oldPath = commandPath;
    EXPECT_TRUE(HidDevice::PathPresent(oldPath, backend));
    kernel->Unplug("hidraw3");
    EXPECT_FALSE(HidDevice::PathPresent(oldPath, backend));

    // The same product plugged again before the next scan pass gets the same hidraw name.
    kernel->Plug("hidraw3", "0003:0000320F:000022A4", "usb-0000:00:14.0-2/input1", TwoCollections());
    EXPECT_FALSE(HidDevice::PathPresent(oldPath, backend)) << "another device behind the same name";
    HidDevice device(backend);
    EXPECT_FALSE(device.Open(oldPath, true, true, true, false));
    ASSERT_TRUE(FindPaths());
    EXPECT_NE(commandPath, oldPath);
    EXPECT_TRUE(HidDevice::PathPresent(commandPath, backend));
    EXPECT_TRUE(device.Open(commandPath, true, true, true, false));

    EXPECT_FALSE(HidDevice::PathPresent("hidraw:/elsewhere/hidraw3#vid_320f", backend));
    EXPECT_EQ(backend->MonitorFd(), -1) << "a fake tree has no udev monitor";
}

TEST_F(HidrawBackendTest, AScanSeesTheProductPluggedAgainUnderTheSameNameLeaveAndArrive)
{
    DeviceSlotList slots;
    std::vector<int> arrived, removed;
    DeviceScanPass pass(slots, backend);
    auto scan = [&] {
        pass.Run([&](int slot) { arrived.push_back(slot); }, [&](int slot) { removed.push_back(slot); });
    };
    scan();
    ASSERT_EQ(arrived, std::vector<int>{4});

    // Out and in again between two passes: the kernel hands out hidraw3 once more.
    kernel->Unplug("hidraw3");
    kernel->Plug("hidraw3", "0003:0000320F:000022A4", "usb-0000:00:14.0-2/input1", TwoCollections());
    scan();
    EXPECT_EQ(removed, std::vector<int>{4}) << "the old plugging is gone, whatever its name";
    scan();
    EXPECT_EQ(arrived, (std::vector<int>{4, 4}));
    ASSERT_TRUE(FindPaths());
    EXPECT_EQ(slots.Slot(4).path, commandPath);
}

TEST(FakeHidrawKernel, EachOpenFileQueuesSixtyThreeReportsAndDropsNewerOnes)
{
    FakeHidrawKernel kernel;
    kernel.Plug("hidraw0", "0003:0000320F:000022A4", "usb-1/input0", TwoCollections());
    const int first = kernel.Open(kernel.Dev() + "/hidraw0", O_RDWR);
    const int second = kernel.Open(kernel.Dev() + "/hidraw0", O_RDWR);
    for (int i = 0; i < 70; ++i)
        kernel.Report("hidraw0", Report(0x11, 9, static_cast<uint8_t>(i)));
    for (int fd : {first, second}) {
        uint8_t buffer[64];
        int count = 0;
        uint8_t last = 0;
        while (kernel.Read(fd, buffer, sizeof buffer) == 9) {
            last = buffer[3];
            ++count;
        }
        EXPECT_EQ(errno, EAGAIN);
        EXPECT_EQ(count, 63) << "a ring of 64 slots keeps one free";
        EXPECT_EQ(last, 62) << "the 64th report and those after it were dropped";
    }
    kernel.Close(first);
    kernel.Close(second);
}

TEST(HidrawBackendWait, AnEndlessWaitForChangeEndsWhenInterrupted)
{
    testsupport::TempFolder dir;
    HidrawBackend backend(dir / "sys", dir / "dev");
    std::thread stopper([&backend] { backend.InterruptWait(); });
    EXPECT_FALSE(backend.WaitForChange(-1));
    stopper.join();
}

} // namespace
