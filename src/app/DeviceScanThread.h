#pragma once

// The device scan: a worker that runs a scan pass whenever the HID interfaces change (and a
// slow timed pass as a fall-back), and hands every slot change to the main window with a
// synchronous window message, so the window reads settled slots while the scan waits.

#include "hid/DeviceMatchTable.h"
#include "platform/WorkerThread.h"
#include "toolkit/UIDefs.h"

#include <memory>

class HidBackend;

class DeviceScanThread {
public:
    // Without a change notice, a pass still runs this often.
    static constexpr int kFallbackPassMs = 5000;

    DeviceScanThread();
    ~DeviceScanThread();

    // Starts scanning slots for window; instanceMessage is posted after the first pass.
    bool Start(HWND window, DeviceSlotList& slots, UINT instanceMessage);
    bool Stop(int timeoutMs = 1000);

private:
    void Run(platform::Event& stop);

    platform::WorkerThread m_thread{"device scan"};
    std::shared_ptr<HidBackend> m_backend;
    HWND m_window = nullptr;
    DeviceSlotList* m_slots = nullptr;
    UINT m_instanceMessage = 0;
};
