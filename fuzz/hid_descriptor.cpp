// fuzz-deps: qv742_hid
// Feeds arbitrary bytes to the report-descriptor parser, then runs what HidDevice does with a
// parsed collection (report field extraction over every capability) on a report of fuzz bytes.
#include "hid/ReportDescriptor.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ReportDescriptor descriptor;
    if (!ParseReportDescriptor(data, size, descriptor))
        return 0;
    for (const HidTopCollection& top : descriptor.collections) {
        for (int t = 0; t < kHidReportTypeCount; ++t) {
            uint32_t value = 0;
            for (const HidButtonCaps& caps : top.buttonCaps[t]) {
                for (uint32_t field = 0; field < caps.reportCount; ++field)
                    ExtractReportField(data, size, caps.bitPosition + field * caps.reportSize, caps.reportSize, value);
            }
            for (const HidValueCaps& caps : top.valueCaps[t])
                ExtractReportField(data, size, caps.bitPosition, caps.bitSize, value);
        }
    }
    return 0;
}
