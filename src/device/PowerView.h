#pragma once

#include <cstddef>
#include <cstdint>

// Where a device shows its battery status (the power tile of the main window).
class PowerView {
public:
    virtual ~PowerView() = default;
    // A status report of at most 64 bytes: level, charge state, wireless flag, phone type.
    virtual void ShowStatus(const uint8_t* report, size_t length) = 0;
};
