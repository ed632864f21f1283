#pragma once

#include "device/COrlithUSBDevice.h"

// The USB headset on the HS6533 audio chip.
class COrlithHS6533Device : public COrlithUSBDevice {
public:
    COrlithHS6533Device();
    const char* GetClass() const override { return "OrlithHS6533Device"; }
    void* GetInterface(std::string_view name) override;
};
