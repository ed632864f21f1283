#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// One message between this program and cooperating programs on the same machine: the
// registered message string, its two parameters, and for copy-data messages an id and bytes.
struct BusFrame {
    std::string message;   // the registered string, e.g. "QV742-CORE"
    uint64_t wParam = 0;
    int64_t lParam = 0;
    bool hasData = false;  // a copy-data record follows
    uint32_t dataId = 0;   // the record's dwData
    std::string data;      // the record's bytes

    static constexpr size_t kMaxMessageLength = 255;
    static constexpr size_t kMaxFrameSize = 64 * 1024;

    // The wire bytes; empty when the frame breaks a limit above.
    std::string Pack() const;
    // Parses wire bytes; nullopt when malformed, truncated, oversized or of another version.
    static std::optional<BusFrame> Unpack(const std::string& bytes);
};

} // namespace platform
