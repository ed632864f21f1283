#pragma once

#include "device/COrlithUSBDevice.h"

// The keyboard, wired or through its receiver. No served keyboard reports a product id yet,
// so the page exists before any keyboard can arrive.
class COrlithKeyboardDevice : public COrlithUSBDevice {
public:
    COrlithKeyboardDevice();
    const char* GetClass() const override { return "OrlithKeyboardDevice"; }
    void* GetInterface(std::string_view name) override;
    bool IsReceiverLinked() override;
};
