#include "hid/ReportDescriptor.h"
#include "hid/sim/DescriptorWriter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using W = DescriptorWriter;

ReportDescriptor Parse(const std::vector<uint8_t>& bytes)
{
    ReportDescriptor descriptor;
    EXPECT_TRUE(ParseReportDescriptor(bytes.data(), bytes.size(), descriptor));
    return descriptor;
}

TEST(ReportDescriptor, SplitsTopLevelCollectionsWithTheirOwnReportsAndLengths)
{
    DescriptorWriter writer;
    writer.VendorCollection(0xFF1D, 0x01, 0x11, 8, false);   // inputs only, 8 data bytes
    writer.VendorCollection(0xFF1C, 0x92, 0x04, 63, true);   // 63 bytes each way
    const ReportDescriptor descriptor = Parse(writer.Bytes());

    ASSERT_EQ(descriptor.collections.size(), 2u);
    EXPECT_TRUE(descriptor.usesReportIds);
    const HidTopCollection& first = descriptor.collections[0];
    EXPECT_EQ(first.usagePage, 0xFF1D);
    EXPECT_EQ(first.reportIds, std::vector<uint8_t>{0x11});
    EXPECT_EQ(first.reportByteLength[0], 9);
    EXPECT_EQ(first.reportByteLength[1], 0);
    const HidTopCollection& second = descriptor.collections[1];
    EXPECT_EQ(second.usagePage, 0xFF1C);
    EXPECT_EQ(second.usage, 0x92);
    EXPECT_EQ(second.reportIds, std::vector<uint8_t>{0x04});
    EXPECT_EQ(second.inputReportIds, std::vector<uint8_t>{0x04});
    EXPECT_EQ(first.inputReportIds, std::vector<uint8_t>{0x11});
    EXPECT_EQ(second.reportByteLength[0], 64);
    EXPECT_EQ(second.reportByteLength[1], 64);
    ASSERT_EQ(second.valueCaps[1].size(), 1u);
    EXPECT_EQ(second.valueCaps[1][0].reportCount, 63);
}

TEST(ReportDescriptor, ReadsButtonsValuesArraysAndPadding)
{
    DescriptorWriter writer;
    writer.UsagePage(0x01).Usage(0x02).Collection(W::kApplication).ReportId(1);
    writer.UsagePage(0x09).UsageMin(1).UsageMax(5).LogicalMin(0).LogicalMax(1).ReportSize(1).ReportCount(5);
    writer.Input(W::kVariable);
    writer.ReportSize(3).ReportCount(1).Input(W::kConstant);
    writer.UsagePage(0x01).Usage(0x30).Usage(0x31).LogicalMin(-127).LogicalMax(127).ReportSize(8).ReportCount(2);
    writer.Input(W::kVariable);
    writer.UsagePage(0x07).UsageMin(0).UsageMax(0xFF).LogicalMin(0).LogicalMax(0xFF).ReportSize(8).ReportCount(3);
    writer.Input(W::kArray);
    writer.EndCollection();
    const HidTopCollection top = Parse(writer.Bytes()).collections.at(0);

    ASSERT_EQ(top.buttonCaps[0].size(), 2u);
    const HidButtonCaps& buttons = top.buttonCaps[0][0];
    EXPECT_EQ(buttons.usagePage, 0x09);
    EXPECT_TRUE(buttons.isRange);
    EXPECT_EQ(buttons.usageMax, 5);
    EXPECT_EQ(buttons.bitPosition, 0u);
    const HidButtonCaps& keys = top.buttonCaps[0][1];
    EXPECT_TRUE(keys.isArray);
    EXPECT_EQ(keys.bitPosition, 24u); // 5 buttons + 3 padding + two 8-bit values
    EXPECT_EQ(keys.logicalMax, 255);  // a one-byte 0xFF maximum is unsigned beside a 0 minimum
    ASSERT_EQ(top.valueCaps[0].size(), 2u); // X and Y: one capability per usage
    EXPECT_EQ(top.valueCaps[0][1].usageMin, 0x31);
    EXPECT_EQ(top.valueCaps[0][1].bitPosition, 16u);
    EXPECT_EQ(top.valueCaps[0][1].logicalMin, -127);
    EXPECT_EQ(top.reportByteLength[0], 1 + 6);
}

TEST(ReportDescriptor, PushAndPopRestoreTheGlobalState)
{
    DescriptorWriter writer;
    writer.UsagePage(0xFF00).Usage(1).Collection(W::kApplication).ReportSize(8).ReportCount(2);
    writer.Push().ReportSize(16).ReportCount(1).Usage(1).Input(W::kVariable).Pop();
    writer.Usage(2).Input(W::kVariable).EndCollection();
    const HidTopCollection top = Parse(writer.Bytes()).collections.at(0);
    ASSERT_EQ(top.valueCaps[0].size(), 2u);
    EXPECT_EQ(top.valueCaps[0][1].bitSize, 8);
    EXPECT_EQ(top.valueCaps[0][1].reportCount, 2);
    EXPECT_EQ(top.reportByteLength[0], 1 + 2 + 2);
}

TEST(ReportDescriptor, RejectsMalformedDescriptorsCleanly)
{
    const std::vector<uint8_t> open = {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01};
    auto withOpen = [&open](std::vector<uint8_t> rest) {
        std::vector<uint8_t> bytes = open;
        bytes.insert(bytes.end(), rest.begin(), rest.end());
        return bytes;
    };
    const struct {
        const char* what;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"empty", {}},
        {"item data past the end", {0x06, 0x00}},
        {"long item past the end", {0xFE, 0x10, 0x00}},
        {"end collection without a collection", {0xC0}},
        {"collection never closed", open},
        {"pop without push", withOpen({0xB4, 0xC0})},
        {"report size above 32 bits", withOpen({0x75, 0x21, 0xC0})},
        {"report id 0", withOpen({0x85, 0x00, 0xC0})},
        {"data outside every collection", {0x75, 0x08, 0x95, 0x01, 0x81, 0x02}},
        {"usage maximum below minimum", withOpen({0x19, 0x05, 0x29, 0x01, 0xC0})},
        {"report larger than any buffer", withOpen({0x75, 0x20, 0x96, 0xFF, 0x7F, 0x81, 0x02, 0xC0})},
        {"numbered and unnumbered reports", withOpen({0x75, 0x08, 0x95, 0x01, 0x81, 0x02, 0x85, 0x01, 0x81, 0x02, 0xC0})},
    };
    for (const auto& c : cases) {
        ReportDescriptor descriptor;
        descriptor.collections.resize(1);
        EXPECT_FALSE(ParseReportDescriptor(c.bytes.data(), c.bytes.size(), descriptor)) << c.what;
        EXPECT_TRUE(descriptor.collections.empty()) << c.what;
    }
}

TEST(ReportDescriptor, BoundsPushDepthAndDescriptorSize)
{
    std::vector<uint8_t> deep = {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01};
    deep.insert(deep.end(), 17, 0xA4);
    deep.push_back(0xC0);
    ReportDescriptor descriptor;
    EXPECT_FALSE(ParseReportDescriptor(deep.data(), deep.size(), descriptor));

    // A descriptor longer than any device sends is refused before it is read.
    std::vector<uint8_t> huge = {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01};
    huge.resize(kMaxReportDescriptorSize, 0x00);
    huge.push_back(0xC0);
    EXPECT_FALSE(ParseReportDescriptor(huge.data(), huge.size(), descriptor));
    huge.pop_back();
    huge.back() = 0xC0;
    EXPECT_TRUE(ParseReportDescriptor(huge.data(), huge.size(), descriptor));
}

TEST(ReportDescriptor, ExtractsLittleEndianFieldsAndStopsAtTheEnd)
{
    const uint8_t report[] = {0x03, 0x01, 0x04, 0xF0};
    uint32_t value = 0;
    ASSERT_TRUE(ExtractReportField(report, sizeof report, 0, 16, value));
    EXPECT_EQ(value, 0x0401u);
    ASSERT_TRUE(ExtractReportField(report, sizeof report, 20, 4, value));
    EXPECT_EQ(value, 0xFu);
    EXPECT_FALSE(ExtractReportField(report, sizeof report, 17, 8, value));
}

} // namespace
