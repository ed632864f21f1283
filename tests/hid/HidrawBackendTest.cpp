#include "CloseDuringRead.h"
#include "hid/HidDevice.h"
#include "hid/linux/HidrawBackend.h"
#include "hid/sim/DescriptorWriter.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using testsupport::TempFolder;
using testsupport::WriteFileBytes;

// A sysfs and /dev tree as the kernel lays them out for hidraw nodes: class/hidraw/hidrawN/device
// links to the HID device, whose parent is the USB interface and grandparent the USB device.
// Device nodes are FIFOs, which deliver what the test writes one report at a time.
class FakeHidrawTree {
public:
    FakeHidrawTree() { fs::create_directories(Dev()); }

    std::string Sys() const { return m_root / "sys"; }
    std::string Dev() const { return m_root / "dev"; }

    void AddNode(const std::string& name, const std::string& hidId, const std::string& phys,
                 const std::vector<uint8_t>& descriptor)
    {
        const fs::path usbDevice = fs::path(Sys()) / "devices" / ("usb-" + name);
        const fs::path hidDevice = usbDevice / "1-2:1.1" / ("hid-" + name);
        fs::create_directories(hidDevice);
        WriteFileBytes(usbDevice / "bcdDevice", "0103\n");
        WriteFileBytes(hidDevice / "uevent", "DRIVER=hid-generic\nHID_ID=" + hidId + "\nHID_NAME=Test\nHID_PHYS=" + phys + "\n");
        WriteFileBytes(hidDevice / "report_descriptor", std::string(descriptor.begin(), descriptor.end()));
        const fs::path classEntry = fs::path(Sys()) / "class" / "hidraw" / name;
        fs::create_directories(classEntry);
        fs::create_directory_symlink(hidDevice, classEntry / "device");
        mkfifo((Dev() + "/" + name).c_str(), 0600);
    }

    // The test's end of a node's FIFO.
    int OpenNode(const std::string& name) const { return open((Dev() + "/" + name).c_str(), O_RDWR | O_NONBLOCK); }

private:
    TempFolder m_folder;
    fs::path m_root = m_folder.Path();
};

std::vector<uint8_t> TwoCollections()
{
    DescriptorWriter writer;
    writer.VendorCollection(0xFF1D, 0x01, 0x11, 8, false);
    writer.VendorCollection(0xFF1C, 0x92, 0x04, 63, true);
    return writer.Bytes();
}

class HidrawBackendTest : public testing::Test {
protected:
    void SetUp() override
    {
        tree.AddNode("hidraw3", "0003:0000320F:000022A4", "usb-0000:00:14.0-2/input1", TwoCollections());
        backend = std::make_shared<HidrawBackend>(tree.Sys(), tree.Dev());
        commandPath = "hidraw:" + tree.Dev() + "/hidraw3#vid_320f&pid_22a4&mi_01&col02";
    }

    FakeHidrawTree tree;
    std::shared_ptr<HidrawBackend> backend;
    std::string commandPath;
};

TEST_F(HidrawBackendTest, EnumeratesCollectionsOfEveryReadableNode)
{
    DescriptorWriter single;
    single.VendorCollection(0xFF00, 0x01, 0x01, 8, false);
    tree.AddNode("hidraw7", "0005:0000046D:0000B01A", "aa:bb:cc:dd:ee:ff", single.Bytes());
    tree.AddNode("hidraw9", "garbage", "usb-x/input0", single.Bytes());

    HidDevice enumerator(backend);
    ASSERT_TRUE(enumerator.EnumeratePaths());
    const std::string node = "hidraw:" + tree.Dev();
    EXPECT_EQ(enumerator.NextPath(), node + "/hidraw3#vid_320f&pid_22a4&mi_01&col01");
    EXPECT_EQ(enumerator.NextPath(), commandPath);
    EXPECT_EQ(enumerator.NextPath(), node + "/hidraw7#vid_046d&pid_b01a") << "Bluetooth: no interface number";
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

TEST_F(HidrawBackendTest, ReadsFilteredReportsAndTimesOut)
{
    HidDevice device(backend);
    ASSERT_TRUE(device.Open(commandPath, true, true, true, false));
    const int other = tree.OpenNode("hidraw3");
    ASSERT_GE(other, 0);

    const std::vector<uint8_t> foreign = {0x11, 1, 2, 3, 4, 5, 6, 7, 8};
    ASSERT_EQ(write(other, foreign.data(), foreign.size()), 9);
    uint8_t buffer[64];
    size_t got = 0;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(device.ReadInputReport(buffer, sizeof buffer, got, 40)) << "report 0x11 is collection 1's";
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(40));

    std::vector<uint8_t> response(64, 0);
    response[0] = 0x04;
    response[3] = 0x01;
    ASSERT_EQ(write(other, response.data(), response.size()), 64);
    ASSERT_TRUE(device.ReadInputReport(buffer, sizeof buffer, got, 1000));
    EXPECT_EQ(got, 64u);
    EXPECT_EQ(buffer[3], 0x01);

    const uint8_t request[64] = {0x04, 0x01, 0x00, 0x01};
    ASSERT_TRUE(device.WriteOutputReport(request, sizeof request, got, 1000));
    uint8_t sent[64] = {};
    ASSERT_EQ(read(other, sent, sizeof sent), 64);
    EXPECT_EQ(sent[3], 0x01);
    close(other);
}

TEST_F(HidrawBackendTest, CloseEndsAnInfiniteReadAtOnce)
{
    HidDevice device(backend);
    ASSERT_TRUE(device.Open(commandPath, true, true, true, false));
    ExpectCloseEndsInfiniteRead(device);
}

TEST_F(HidrawBackendTest, PresenceFollowsTheDeviceNode)
{
    EXPECT_TRUE(HidDevice::PathPresent(commandPath, backend));
    fs::remove(tree.Dev() + "/hidraw3");
    EXPECT_FALSE(HidDevice::PathPresent(commandPath, backend));
    HidDevice device(backend);
    EXPECT_FALSE(device.Open(commandPath, true, true, true, false));
    EXPECT_FALSE(HidDevice::PathPresent("hidraw:/elsewhere/hidraw3#vid_320f", backend));
    EXPECT_EQ(backend->MonitorFd(), -1) << "a fake tree has no udev monitor";
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
