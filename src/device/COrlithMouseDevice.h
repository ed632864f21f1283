#pragma once

#include "device/COrlithUSBDevice.h"

// The mouse, wired or through its 2.4 GHz receiver: one object serves both paths.
class COrlithMouseDevice : public COrlithUSBDevice {
public:
    COrlithMouseDevice();
    const char* GetClass() const override { return "OrlithMouseDevice"; }
    void* GetInterface(std::string_view name) override;

    // Connected, in receiver mode, and the receiver reports its mouse linked.
    bool IsReceiverLinked() override;
};
