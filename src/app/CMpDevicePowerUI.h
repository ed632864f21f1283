#pragma once

// A power tile in the main window's power row: battery level, charge state, wireless mark
// and, for mouse pads, the phone lying on the pad.

#include "device/PowerView.h"
#include "toolkit/HorizontalLayoutUI.h"

#include <cstddef>
#include <cstdint>

class CMpDevicePowerUI : public CHorizontalLayoutUI, public PowerView {
public:
    const char* GetClass() const override { return "MpDevicePower"; }
    void* GetInterface(std::string_view name) override;

    void SetFamily(int kind, int value);
    int FamilyKind() const { return m_kind; }
    // Shows a status report: byte 0 level (at most 100), byte 1 charge state, byte 3 wireless,
    // byte 5 the phone type (mouse pads).
    void ShowStatus(const uint8_t* report, size_t length) override;

private:
    CControlUI* Find(const char* name);

    int m_kind = 0;
    int m_value = 0;
};
