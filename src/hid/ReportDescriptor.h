#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Our reading of a HID report descriptor: its top-level collections, each with the report ids,
// report byte lengths and button and value capabilities that Windows' HidP_* calls report for
// the HID device of that collection.

enum class HidReportType : uint8_t { Input = 0, Output = 1, Feature = 2 };
constexpr int kHidReportTypeCount = 3;

// Button capability: one usage (or usage range) of a variable one-bit item, or of an array item.
struct HidButtonCaps {
    uint16_t usagePage = 0;
    uint8_t reportId = 0;
    bool isRange = false;
    uint16_t usageMin = 0; // the single usage when !isRange
    uint16_t usageMax = 0;
    uint16_t linkCollection = 0; // 0 = the top-level collection itself
    bool isArray = false;        // fields hold usage indexes instead of one bit per usage
    uint32_t bitPosition = 0;    // first field's bit, counted from the first byte after the report id
    uint16_t reportSize = 1;     // bits per field
    uint16_t reportCount = 1;    // fields: one per usage (variable) or the array's slots
    uint32_t arrayIndexBase = 0; // array: index of usageMin among the item's usages
    int32_t logicalMin = 0;
    int32_t logicalMax = 0;
};

// Value capability: one usage (or usage range) of a variable multi-bit item.
struct HidValueCaps {
    uint16_t usagePage = 0;
    uint8_t reportId = 0;
    bool isRange = false;
    uint16_t usageMin = 0;
    uint16_t usageMax = 0;
    uint16_t linkCollection = 0;
    uint32_t bitPosition = 0;
    uint16_t bitSize = 0;
    uint16_t reportCount = 1; // fields covered: usages of a range, or a value array of one usage
    int32_t logicalMin = 0;
    int32_t logicalMax = 0;
    int32_t physicalMin = 0;
    int32_t physicalMax = 0;
};

struct HidTopCollection {
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    uint16_t linkCollectionCount = 1;
    std::vector<uint8_t> reportIds; // of every type, ascending; {0} when the descriptor numbers no reports
    std::vector<uint8_t> inputReportIds; // of its input reports only, ascending
    uint16_t reportByteLength[kHidReportTypeCount] = {0, 0, 0}; // with the report id byte; 0 = none
    std::vector<HidButtonCaps> buttonCaps[kHidReportTypeCount];
    std::vector<HidValueCaps> valueCaps[kHidReportTypeCount];

    bool OwnsReportId(uint8_t id) const;
    // True when an input report with this id belongs to this collection. Another collection may
    // use the same id for an output or feature report.
    bool OwnsInputReport(uint8_t id) const;
};

struct ReportDescriptor {
    bool usesReportIds = false;
    std::vector<HidTopCollection> collections;
};

// Limits that keep a hostile descriptor from costing unbounded time or memory.
constexpr size_t kMaxReportDescriptorSize = 4096;
constexpr uint32_t kMaxReportBytes = 4096;
constexpr size_t kMaxCapsPerDescriptor = 4096;

// Parses a descriptor; false, with out emptied, when it is malformed or over the limits.
bool ParseReportDescriptor(const uint8_t* data, size_t size, ReportDescriptor& out);

// Reads bitSize (≤ 32) bits at bitPosition of the data after a report's id byte; false past the end.
bool ExtractReportField(const uint8_t* report, size_t length, uint32_t bitPosition, uint16_t bitSize,
                        uint32_t& value);
