#include "sim/SimDescriptors.h"

#include "hid/sim/DescriptorWriter.h"

namespace {

constexpr uint16_t kCommandPage = 0xFF1C;
constexpr uint16_t kCommandUsage = 0x92;
constexpr uint16_t kOtherVendorPage = 0xFF1D;
constexpr uint8_t kCommandReportId = 0x04;
constexpr uint8_t kCommandDataBytes = 63;
constexpr uint8_t kLightDataBytes = 16;
constexpr uint16_t kConsumerPage = 0x000C;
constexpr uint16_t kMaxNoticeCode = 0x1FFF;

void NoticeReport(DescriptorWriter& writer)
{
    writer.ReportId(SimProduct::kNoticeReportId).UsagePage(kConsumerPage);
    writer.LogicalMin(0).LogicalMax(kMaxNoticeCode).UsageMin(0).UsageMax(kMaxNoticeCode);
    writer.ReportSize(16).ReportCount(1).Input(DescriptorWriter::kData | DescriptorWriter::kArray);
}

std::vector<uint8_t> HeadsetDescriptor()
{
    DescriptorWriter writer;
    writer.UsagePage(kConsumerPage).Usage(0x01).Collection(DescriptorWriter::kApplication);
    NoticeReport(writer);
    writer.ReportId(kCommandReportId).UsagePage(kCommandPage).LogicalMin(0).LogicalMax(0xFF);
    writer.ReportSize(8).ReportCount(kCommandDataBytes);
    writer.Usage(0x01).Input(DescriptorWriter::kData | DescriptorWriter::kVariable);
    writer.Usage(0x02).Output(DescriptorWriter::kData | DescriptorWriter::kVariable);
    writer.ReportId(SimProduct::kLightReportId).ReportCount(kLightDataBytes);
    writer.Usage(0x03).Output(DescriptorWriter::kData | DescriptorWriter::kVariable);
    writer.EndCollection();
    return writer.Bytes();
}

} // namespace

std::vector<uint8_t> CommandInterfaceDescriptor(const SimProductSpec& spec)
{
    if (spec.commandCollection == 0)
        return HeadsetDescriptor();
    DescriptorWriter writer;
    for (int c = 1; c <= spec.commandCollection; ++c) {
        if (c == spec.commandCollection)
            writer.VendorCollection(kCommandPage, kCommandUsage, kCommandReportId, kCommandDataBytes, true);
        else
            writer.VendorCollection(kOtherVendorPage, static_cast<uint16_t>(c), static_cast<uint8_t>(0x10 + c), 8, false);
    }
    return writer.Bytes();
}

std::vector<uint8_t> NotificationInterfaceDescriptor()
{
    DescriptorWriter writer;
    // Collection 1: a mouse with five buttons, X and Y.
    writer.UsagePage(0x01).Usage(0x02).Collection(DescriptorWriter::kApplication);
    writer.ReportId(0x01).Usage(0x01).Collection(DescriptorWriter::kPhysical);
    writer.UsagePage(0x09).UsageMin(1).UsageMax(5).LogicalMin(0).LogicalMax(1).ReportSize(1).ReportCount(5);
    writer.Input(DescriptorWriter::kData | DescriptorWriter::kVariable);
    writer.ReportSize(3).ReportCount(1).Input(DescriptorWriter::kConstant);
    writer.UsagePage(0x01).Usage(0x30).Usage(0x31).LogicalMin(-32767).LogicalMax(32767).ReportSize(16).ReportCount(2);
    writer.Input(DescriptorWriter::kData | DescriptorWriter::kVariable | 0x04);
    writer.EndCollection().EndCollection();
    // Collection 2: a keyboard with modifiers and six keys.
    writer.UsagePage(0x01).Usage(0x06).Collection(DescriptorWriter::kApplication);
    writer.ReportId(0x02).UsagePage(0x07).UsageMin(0xE0).UsageMax(0xE7).LogicalMin(0).LogicalMax(1);
    writer.ReportSize(1).ReportCount(8).Input(DescriptorWriter::kData | DescriptorWriter::kVariable);
    writer.UsageMin(0).UsageMax(0xFF).LogicalMax(0xFF).ReportSize(8).ReportCount(6);
    writer.Input(DescriptorWriter::kData | DescriptorWriter::kArray);
    writer.EndCollection();
    // Collection 3: consumer control, which carries the change notices.
    writer.UsagePage(kConsumerPage).Usage(0x01).Collection(DescriptorWriter::kApplication);
    NoticeReport(writer);
    writer.EndCollection();
    return writer.Bytes();
}
