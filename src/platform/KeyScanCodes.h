#pragma once

// The keys capture knows: a Linux input key code (an X keycode minus 8) with the set-1 scan code,
// E0 flag and virtual-key code the macro tables identify the key by.

#include <cstdint>
#include <optional>
#include <span>

namespace platform {

struct KeyScanCode {
    uint16_t linuxCode;  // KEY_* of linux/input-event-codes.h
    uint8_t scanCode;    // set-1 make code without the E0 prefix
    bool extended;       // the make code carries the E0 prefix (as the macro tables list it)
    uint8_t virtualKey;  // Windows virtual-key code
};

class KeyScanCodes {
public:
    // Every key capture reports, one row per key of the macro key table.
    static std::span<const KeyScanCode> Rows();
    // The row of a Linux key code; nothing for a key capture does not report.
    static std::optional<KeyScanCode> FromLinuxCode(int linuxCode);
};

} // namespace platform
