#pragma once

#include <cstdint>
#include <vector>

// Builds a HID report descriptor item by item, each short item with the fewest data bytes
// that hold its value. Used by the simulated devices and by tests.
class DescriptorWriter {
public:
    enum : uint8_t { kPhysical = 0x00, kApplication = 0x01, kLogical = 0x02 };
    enum : uint32_t { kData = 0x00, kConstant = 0x01, kArray = 0x00, kVariable = 0x02 };

    DescriptorWriter& UsagePage(uint32_t page) { return Item(0x04, page); }
    DescriptorWriter& Usage(uint32_t usage) { return Item(0x08, usage); }
    DescriptorWriter& UsageMin(uint32_t usage) { return Item(0x18, usage); }
    DescriptorWriter& UsageMax(uint32_t usage) { return Item(0x28, usage); }
    DescriptorWriter& LogicalMin(int32_t value) { return Signed(0x14, value); }
    DescriptorWriter& LogicalMax(int32_t value) { return Signed(0x24, value); }
    DescriptorWriter& ReportSize(uint32_t bits) { return Item(0x74, bits); }
    DescriptorWriter& ReportCount(uint32_t count) { return Item(0x94, count); }
    DescriptorWriter& ReportId(uint8_t id) { return Item(0x84, id); }
    DescriptorWriter& Push() { return Raw(0xA4); }
    DescriptorWriter& Pop() { return Raw(0xB4); }
    DescriptorWriter& Collection(uint8_t type) { return Item(0xA0, type); }
    DescriptorWriter& EndCollection() { return Raw(0xC0); }
    DescriptorWriter& Input(uint32_t flags) { return Item(0x80, flags); }
    DescriptorWriter& Output(uint32_t flags) { return Item(0x90, flags); }
    DescriptorWriter& Feature(uint32_t flags) { return Item(0xB0, flags); }

    // A top-level application collection with one numbered vendor report of `bytes` data bytes
    // in each direction (inputs only when output is false).
    DescriptorWriter& VendorCollection(uint16_t page, uint16_t usage, uint8_t reportId, uint32_t bytes, bool output);

    const std::vector<uint8_t>& Bytes() const { return m_bytes; }

private:
    DescriptorWriter& Raw(uint8_t prefix)
    {
        m_bytes.push_back(prefix);
        return *this;
    }
    DescriptorWriter& Item(uint8_t prefix, uint32_t value);
    DescriptorWriter& Signed(uint8_t prefix, int32_t value);
    DescriptorWriter& Sized(uint8_t prefix, uint32_t value, int bytes);

    std::vector<uint8_t> m_bytes;
};
