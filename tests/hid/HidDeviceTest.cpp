#include "CloseDuringRead.h"
#include "hid/HidDevice.h"
#include "hid/HidPaths.h"
#include "hid/sim/DescriptorWriter.h"
#include "hid/sim/SimHidBus.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>

namespace {

using W = DescriptorWriter;
using Clock = std::chrono::steady_clock;

class RecordingEndpoint : public SimHidEndpoint {
public:
    void OnOutputReport(int, const std::vector<uint8_t>& report) override { reports.push_back(report); }
    std::vector<std::vector<uint8_t>> reports;
};

// Interface 1 of a product: collection 1 sends report 0x11 (8 bytes), collection 2 is the
// command collection with report 4 (63 bytes each way).
std::vector<uint8_t> TwoCollections()
{
    DescriptorWriter writer;
    writer.VendorCollection(0xFF1D, 0x01, 0x11, 8, false);
    writer.VendorCollection(0xFF1C, 0x92, 0x04, 63, true);
    return writer.Bytes();
}

// A consumer-control collection with report 3 (one 16-bit usage) and a value report 5.
std::vector<uint8_t> ConsumerCollection()
{
    DescriptorWriter writer;
    writer.UsagePage(0x0C).Usage(0x01).Collection(W::kApplication);
    writer.ReportId(3).LogicalMin(0).LogicalMax(0x1FFF).UsageMin(0).UsageMax(0x1FFF).ReportSize(16).ReportCount(1);
    writer.Input(W::kArray);
    writer.ReportId(5).UsagePage(0xFF00).UsageMin(1).UsageMax(3).LogicalMin(0).LogicalMax(100).ReportSize(8);
    writer.ReportCount(3).Input(W::kVariable);
    writer.EndCollection();
    return writer.Bytes();
}

class HidDeviceTest : public testing::Test {
protected:
    int PlugInterface(std::vector<uint8_t> descriptor, int interfaceNumber = 1, uint16_t product = 0x22A4)
    {
        return bus->Plug(SimInterfaceSpec{0x320F, product, 0x0102, interfaceNumber, std::move(descriptor)}, endpoint);
    }
    std::string Path(int id, int collection) const
    {
        return SimHidBus::NodeName(id) + "#vid_320f&pid_22a4&mi_01" + (collection ? "&col0" + std::to_string(collection) : "");
    }

    std::shared_ptr<SimHidBus> bus = std::make_shared<SimHidBus>();
    std::shared_ptr<RecordingEndpoint> endpoint = std::make_shared<RecordingEndpoint>();
};

TEST_F(HidDeviceTest, EnumeratesOnePathPerTopLevelCollection)
{
    PlugInterface(TwoCollections());
    PlugInterface(ConsumerCollection(), 0);
    HidDevice enumerator(bus);
    ASSERT_TRUE(enumerator.EnumeratePaths());
    EXPECT_EQ(enumerator.NextPath(), "sim:1#vid_320f&pid_22a4&mi_01&col01");
    EXPECT_EQ(enumerator.NextPath(), "sim:1#vid_320f&pid_22a4&mi_01&col02");
    EXPECT_EQ(enumerator.NextPath(), "sim:2#vid_320f&pid_22a4&mi_00");
    EXPECT_EQ(enumerator.NextPath(), std::nullopt);
    enumerator.ClearPaths();
    EXPECT_EQ(enumerator.NextPath(), std::nullopt);
}

TEST_F(HidDeviceTest, PathListGrowsByDoublingAndKeepsEarlierPaths)
{
    for (int i = 0; i < 20; ++i)
        PlugInterface(ConsumerCollection(), i);
    HidDevice enumerator(bus);
    ASSERT_TRUE(enumerator.EnumeratePaths());
    EXPECT_EQ(enumerator.PathCount(), 20u);
    EXPECT_EQ(enumerator.PathCapacity(), 32u);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(ParsePathNumber(enumerator.NextPath().value_or(""), "&mi_"), i);
}

TEST_F(HidDeviceTest, OpenLoadsTheCollectionsCapsAndAttributes)
{
    const int id = PlugInterface(TwoCollections());
    HidDevice device(bus);
    ASSERT_TRUE(device.Open(Path(id, 2), true, true, true, false));
    EXPECT_EQ(device.Caps().usagePage, 0xFF1C);
    EXPECT_EQ(device.Caps().usage, 0x92);
    EXPECT_EQ(device.Caps().inputReportByteLength, 64);
    EXPECT_EQ(device.Caps().outputReportByteLength, 64);
    EXPECT_EQ(device.InputReportLength(), 64u);
    EXPECT_EQ(device.Attributes().productId, 0x22A4);
    EXPECT_EQ(device.Attributes().versionNumber, 0x0102);
    EXPECT_EQ(device.InterfaceNumber(), 1);
    EXPECT_EQ(device.CollectionNumber(), 2);

    EXPECT_FALSE(device.Open(Path(id, 3), true, true, true, false)) << "no third collection";
    EXPECT_FALSE(device.Open(Path(id, 0), true, true, true, false)) << "two collections need &col";
    EXPECT_FALSE(device.IsOpen());
    EXPECT_FALSE(device.Open(std::string(300, 'x'), true, true, true, false));
}

TEST_F(HidDeviceTest, ReadsOnlyTheReportsOfItsOwnCollection)
{
    const int id = PlugInterface(TwoCollections());
    HidDevice first(bus), command(bus);
    ASSERT_TRUE(first.Open(Path(id, 1), true, false, true, false));
    ASSERT_TRUE(command.Open(Path(id, 2), true, true, true, false));
    bus->SendInputReport(id, {0x11, 1, 2, 3, 4, 5, 6, 7, 8});
    bus->SendInputReport(id, std::vector<uint8_t>(64, 0x04));

    uint8_t buffer[64] = {};
    size_t got = 0;
    ASSERT_TRUE(command.ReadInputReport(buffer, sizeof buffer, got, 100));
    EXPECT_EQ(got, 64u);
    EXPECT_EQ(buffer[0], 0x04);
    EXPECT_FALSE(command.ReadInputReport(buffer, sizeof buffer, got, 0));
    ASSERT_TRUE(first.ReadInputReport(buffer, sizeof buffer, got, 100));
    EXPECT_EQ(got, 9u);
    EXPECT_EQ(buffer[0], 0x11);
    EXPECT_FALSE(first.ReadInputReport(buffer, sizeof buffer, got, 0));

    const uint8_t request[64] = {0x04, 0xAB};
    ASSERT_TRUE(command.WriteOutputReport(request, sizeof request, got, 100));
    EXPECT_EQ(got, 64u);
    ASSERT_EQ(endpoint->reports.size(), 1u);
    EXPECT_EQ(endpoint->reports[0][1], 0xAB);
}

TEST_F(HidDeviceTest, AReportIdIsOwnedPerDirection)
{
    // Collection 1 sends input report 0x11 and takes output report 0x04; collection 2 sends
    // input report 0x04. Only collection 2 may read a 0x04.
    DescriptorWriter writer;
    writer.UsagePage(0xFF1D).Usage(0x01).Collection(W::kApplication).LogicalMin(0).LogicalMax(0xFF).ReportSize(8);
    writer.ReportId(0x11).ReportCount(8).Usage(0x01).Input(W::kVariable);
    writer.ReportId(0x04).ReportCount(8).Usage(0x02).Output(W::kVariable).EndCollection();
    writer.UsagePage(0xFF1C).Usage(0x92).Collection(W::kApplication).LogicalMin(0).LogicalMax(0xFF).ReportSize(8);
    writer.ReportId(0x04).ReportCount(63).Usage(0x01).Input(W::kVariable).EndCollection();
    const int id = PlugInterface(writer.Bytes());
    HidDevice first(bus), second(bus);
    ASSERT_TRUE(first.Open(Path(id, 1), true, true, true, false));
    ASSERT_TRUE(second.Open(Path(id, 2), true, false, true, false));

    bus->SendInputReport(id, std::vector<uint8_t>(64, 0x04));
    uint8_t buffer[64] = {};
    size_t got = 0;
    EXPECT_FALSE(first.ReadInputReport(buffer, sizeof buffer, got, 20));
    EXPECT_TRUE(second.ReadInputReport(buffer, sizeof buffer, got, 100));
}

TEST_F(HidDeviceTest, EachOpenHandleQueuesAsManyReportsAsAHidrawFile)
{
    const int id = PlugInterface(TwoCollections());
    HidDevice early(bus), late(bus);
    ASSERT_TRUE(early.Open(Path(id, 2), true, true, true, false));
    for (int i = 0; i < 70; ++i) {
        std::vector<uint8_t> report(64, 0);
        report[0] = 0x04;
        report[3] = static_cast<uint8_t>(i);
        bus->SendInputReport(id, report);
    }
    ASSERT_TRUE(late.Open(Path(id, 2), true, true, true, false));
    uint8_t buffer[64] = {};
    size_t got = 0;
    size_t kept = 0;
    uint8_t last = 0;
    while (early.ReadInputReport(buffer, sizeof buffer, got, 0)) {
        last = buffer[3];
        ++kept;
    }
    EXPECT_EQ(kept, kHidQueuedReports);
    EXPECT_EQ(last, kHidQueuedReports - 1) << "the newest reports were dropped";
    EXPECT_FALSE(late.ReadInputReport(buffer, sizeof buffer, got, 0)) << "reports go to the handles open when they come";
}

TEST_F(HidDeviceTest, UnnumberedReportsCarryIdZeroForTheCaller)
{
    DescriptorWriter writer;
    writer.UsagePage(0xFF00).Usage(1).Collection(W::kApplication).ReportSize(8).ReportCount(4);
    writer.Usage(1).Input(W::kVariable).Usage(2).Output(W::kVariable).EndCollection();
    const int id = PlugInterface(writer.Bytes());
    HidDevice device(bus);
    ASSERT_TRUE(device.Open(Path(id, 0), true, true, true, false));
    EXPECT_EQ(device.Caps().inputReportByteLength, 5);

    bus->SendInputReport(id, {9, 8, 7, 6});
    uint8_t buffer[5] = {0xEE};
    size_t got = 0;
    ASSERT_TRUE(device.ReadInputReport(buffer, sizeof buffer, got, 100));
    EXPECT_EQ(got, 5u);
    EXPECT_EQ(std::vector<uint8_t>(buffer, buffer + 5), (std::vector<uint8_t>{0, 9, 8, 7, 6}));

    const uint8_t out[5] = {0, 1, 2, 3, 4};
    ASSERT_TRUE(device.WriteOutputReport(out, sizeof out, got, 100));
    EXPECT_EQ(got, 5u);
    EXPECT_EQ(endpoint->reports.at(0), (std::vector<uint8_t>{0, 1, 2, 3, 4})) << "hidraw takes the 0 id byte";
}

TEST_F(HidDeviceTest, ReadTimesOutWithoutTakingTheLaterReport)
{
    const int id = PlugInterface(TwoCollections());
    HidDevice device(bus);
    ASSERT_TRUE(device.Open(Path(id, 2), true, true, true, false));
    uint8_t buffer[64];
    size_t got = 99;
    const auto start = Clock::now();
    EXPECT_FALSE(device.ReadInputReport(buffer, sizeof buffer, got, 30));
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(30));
    EXPECT_EQ(got, 0u);
    EXPECT_FALSE(device.IsReadWaiting());

    bus->SendInputReport(id, std::vector<uint8_t>(64, 0x04));
    EXPECT_TRUE(device.ReadInputReport(buffer, sizeof buffer, got, 100));
}

TEST_F(HidDeviceTest, CloseEndsAnInfiniteReadAtOnce)
{
    const int id = PlugInterface(TwoCollections());
    HidDevice device(bus);
    ASSERT_TRUE(device.Open(Path(id, 2), true, true, true, false));
    ExpectCloseEndsInfiniteRead(device);
    EXPECT_EQ(device.InputReportLength(), 0u);
}

TEST_F(HidDeviceTest, SignalAbortReleasesOneWaitingRead)
{
    const int id = PlugInterface(TwoCollections());
    HidDevice device(bus);
    ASSERT_TRUE(device.Open(Path(id, 2), true, true, true, false));
    auto read = std::async(std::launch::async, [&device] {
        uint8_t buffer[64];
        size_t got = 0;
        return device.ReadInputReport(buffer, sizeof buffer, got, kHidInfinite);
    });
    while (!device.IsReadWaiting())
        std::this_thread::yield();
    device.SignalAbort();
    ASSERT_EQ(read.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    EXPECT_FALSE(read.get());
    EXPECT_TRUE(device.IsOpen());

    bus->SendInputReport(id, std::vector<uint8_t>(64, 0x04));
    uint8_t buffer[64];
    size_t got = 0;
    EXPECT_TRUE(device.ReadInputReport(buffer, sizeof buffer, got, 100)) << "the abort was used up";
}

TEST_F(HidDeviceTest, UnplugFailsReadsAndThePresenceTest)
{
    const int id = PlugInterface(TwoCollections());
    HidDevice device(bus);
    ASSERT_TRUE(device.Open(Path(id, 2), true, true, true, false));
    EXPECT_TRUE(HidDevice::PathPresent(Path(id, 2), bus));
    bus->Unplug(id);
    EXPECT_FALSE(HidDevice::PathPresent(Path(id, 2), bus));
    uint8_t buffer[64];
    size_t got = 0;
    EXPECT_FALSE(device.ReadInputReport(buffer, sizeof buffer, got, kHidInfinite));
    EXPECT_FALSE(device.WriteOutputReport(buffer, sizeof buffer, got, 100));
    HidDevice again(bus);
    EXPECT_FALSE(again.Open(Path(id, 2), true, true, true, false));
}

TEST_F(HidDeviceTest, ParseInputReportFillsButtonAndValueEntries)
{
    const int id = PlugInterface(ConsumerCollection(), 0);
    HidDevice device(bus);
    ASSERT_TRUE(device.Open(SimHidBus::NodeName(id) + "#vid_320f&pid_22a4&mi_00", true, true, true, false));
    const auto& table = device.UsageTable(HidReportType::Input);
    ASSERT_EQ(table.size(), 1u + 3u); // one button entry, three value usages
    EXPECT_TRUE(table[0].isButton);
    EXPECT_EQ(table[0].maxUsageListLength, 1u);
    EXPECT_EQ(table[3].usage, 3);

    const uint8_t notice[] = {0x03, 0x01, 0x04};
    ASSERT_TRUE(device.ParseInputReport(notice, sizeof notice));
    EXPECT_EQ(table[0].usages.at(0), 0x0401);
    EXPECT_TRUE(table[0].dataSet);
    EXPECT_FALSE(table[1].dataSet) << "entries of other reports are not visited";

    const uint8_t values[] = {0x05, 10, 20, 30};
    ASSERT_TRUE(device.ParseInputReport(values, sizeof values));
    EXPECT_EQ(table[2].rawValue, 20u);
    EXPECT_EQ(table[3].scaledValue, 30);

    const uint8_t shortValues[] = {0x05, 10};
    EXPECT_FALSE(device.ParseInputReport(shortValues, sizeof shortValues));
    EXPECT_EQ(table[2].lastStatus, kHidStatusInvalidReportLength);
}

} // namespace
