#pragma once

#include <cstdint>

// What the mouse's command set needs from the device object that owns it: the window messages
// its reads report and the page steps of the connect sequence. Every call comes on the thread
// that called the command set (the UI thread: timers and page handlers). The defaults do nothing.
class MouseCommandHost {
public:
    virtual ~MouseCommandHost() = default;

    // The information block check: WM_USB_MAINMESS_DEVICE_IS_INITUI (0xD05) with 1 or 0.
    virtual void OnInitialisationChecked(bool /*initialised*/) {}
    // The wired product's firmware version (message 0xD04 with product id and version).
    virtual void OnFirmwareVersion(uint16_t /*productId*/, uint16_t /*version*/) {}
    // The connect sequence's page steps.
    virtual void LoadProfile() {}
    virtual void RefreshPage() {}
    virtual void StartLighting() {}
};
