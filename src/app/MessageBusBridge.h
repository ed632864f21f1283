#pragma once

// Carries the program's registered messages between the per-user message bus and the main
// window: frames that arrive become window messages under their registered ids, copy-data
// frames reach a handler on the UI thread, and the machine's sleep and wake become
// WM_POWERBROADCAST. Frames for the simulated devices go to their own handler.

#include "platform/MessageBus.h"
#include "platform/PowerEvents.h"
#include "platform/ReadinessWaiter.h"
#include "platform/WorkerThread.h"
#include "toolkit/UIDefs.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class MessageBusBridge {
public:
    static constexpr const char* kEndpoint = "QV742-CORE";
    // wParam: 0 plug, 1 unplug, 2 link, 3 unlink, 4 press, 5 effect; data: the device name
    // ("NAME:MODE:SPEED" for effect).
    static constexpr const char* kSimControlMessage = "QV742-SIM-CONTROL";

    using CopyDataHandler = std::function<void(uint32_t dataId, const std::string& data)>;
    using SimControlHandler = std::function<void(int action, const std::string& device)>;

    explicit MessageBusBridge(std::string folder = {});
    ~MessageBusBridge();

    // Listens as the program's endpoint and starts the worker; false when the bus is unusable.
    // Only frames of the accepted registered messages reach the window; others are dropped.
    bool Start(HWND window, std::vector<std::string> acceptedMessages, CopyDataHandler onCopyData,
               SimControlHandler onSimControl);
    void Stop();
    // Sends a registered message to every other program on the bus; how many it reached.
    int Broadcast(const std::string& message, uint64_t wParam, int64_t lParam);
    platform::MessageBus& Bus() { return m_bus; }

private:
    void Run(platform::Event& stop);
    void Deliver(const platform::BusFrame& frame);

    platform::MessageBus m_bus;
    platform::PowerEvents m_power;
    platform::ReadinessWaiter m_waiter;
    platform::WorkerThread m_thread{"message bus"};
    HWND m_window = nullptr;
    std::vector<std::string> m_accepted;
    CopyDataHandler m_onCopyData;
    SimControlHandler m_onSimControl;
};
