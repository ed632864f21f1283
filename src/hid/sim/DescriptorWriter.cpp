#include "hid/sim/DescriptorWriter.h"

DescriptorWriter& DescriptorWriter::Item(uint8_t prefix, uint32_t value)
{
    return Sized(prefix, value, value <= 0xFF ? 1 : value <= 0xFFFF ? 2 : 4);
}

DescriptorWriter& DescriptorWriter::Signed(uint8_t prefix, int32_t value)
{
    const int bytes = value >= -128 && value <= 127 ? 1 : value >= -32768 && value <= 32767 ? 2 : 4;
    return Sized(prefix, static_cast<uint32_t>(value), bytes);
}

DescriptorWriter& DescriptorWriter::Sized(uint8_t prefix, uint32_t value, int bytes)
{
    m_bytes.push_back(static_cast<uint8_t>(prefix | (bytes == 4 ? 3 : bytes)));
    for (int i = 0; i < bytes; ++i)
        m_bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
    return *this;
}

DescriptorWriter& DescriptorWriter::VendorCollection(uint16_t page, uint16_t usage, uint8_t reportId,
                                                     uint32_t bytes, bool output)
{
    UsagePage(page).Usage(usage).Collection(kApplication);
    ReportId(reportId).LogicalMin(0).LogicalMax(0xFF).ReportSize(8).ReportCount(bytes);
    Usage(0x01).Input(kData | kVariable);
    if (output)
        Usage(0x02).Output(kData | kVariable);
    return EndCollection();
}
