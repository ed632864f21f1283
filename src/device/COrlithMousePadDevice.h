#pragma once

#include "device/COrlithUSBDevice.h"

// The lit mouse pad (sub-kind 0 hard, 1 soft).
class COrlithMousePadDevice : public COrlithUSBDevice {
public:
    COrlithMousePadDevice();
    const char* GetClass() const override { return "OrlithMousePadDevice"; }
    void* GetInterface(std::string_view name) override;
};
