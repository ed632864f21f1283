#include "app/MessageBusBridge.h"

#include "platform/TerminationSignals.h"
#include "toolkit/MessageQueue.h"

#include <algorithm>
#include <utility>

namespace {

constexpr WPARAM kPowerSuspend = 4;
constexpr WPARAM kPowerResumeAutomatic = 0x12;

} // namespace

MessageBusBridge::MessageBusBridge(std::string folder) : m_bus(std::move(folder)) {}

MessageBusBridge::~MessageBusBridge()
{
    Stop();
}

bool MessageBusBridge::Start(HWND window, std::vector<std::string> acceptedMessages, CopyDataHandler onCopyData,
                             SimControlHandler onSimControl)
{
    m_window = window;
    m_accepted = std::move(acceptedMessages);
    m_onCopyData = std::move(onCopyData);
    m_onSimControl = std::move(onSimControl);
    bool listening = m_bus.Listen(kEndpoint);
    m_power.Open([window](bool suspending) {
        ::PostMessage(window, WM_POWERBROADCAST, suspending ? kPowerSuspend : kPowerResumeAutomatic, 0);
    });
    m_thread.Start([this](platform::Event& stop) { Run(stop); });
    return listening;
}

void MessageBusBridge::Stop()
{
    m_thread.RequestStop();
    m_waiter.Wake();
    m_thread.Stop(1000);
}

int MessageBusBridge::Broadcast(const std::string& message, uint64_t wParam, int64_t lParam)
{
    platform::BusFrame frame;
    frame.message = message;
    frame.wParam = wParam;
    frame.lParam = lParam;
    return m_bus.Broadcast(frame);
}

void MessageBusBridge::Run(platform::Event& stop)
{
    while (!stop.Wait(0)) {
        for (size_t ready : m_waiter.Wait({m_bus.Fd(), m_power.Fd(), platform::TerminationSignals::Fd()})) {
            if (ready == 1) {
                m_power.Process();
                continue;
            }
            if (ready == 2) {
                OnTerminationSignal();
                continue;
            }
            while (auto frame = m_bus.Receive())
                Deliver(*frame);
        }
    }
}

void MessageBusBridge::OnTerminationSignal()
{
    if (platform::TerminationSignals::Take() == 0)
        return;
    // The window closes as through the tray's "exit": threads stop, state is stored, the loop
    // ends and the process returns 0. A second signal while that hangs ends the process.
    platform::TerminationSignals::RestoreDefaults();
    ::PostMessage(m_window, WM_CLOSE, 0, 0);
}

void MessageBusBridge::Deliver(const platform::BusFrame& frame)
{
    if (frame.message == kSimControlMessage) {
        if (m_onSimControl && frame.hasData)
            m_onSimControl(static_cast<int>(frame.wParam), frame.data);
        return;
    }
    if (std::find(m_accepted.begin(), m_accepted.end(), frame.message) == m_accepted.end())
        return; // not one of the program's messages
    if (frame.hasData) {
        if (m_onCopyData) {
            CopyDataHandler handler = m_onCopyData;
            uint32_t id = frame.dataId;
            std::string data = frame.data;
            CMessageQueue::Instance().PostTask([handler, id, data] { handler(id, data); });
        }
        return;
    }
    ::PostMessage(m_window, RegisterWindowMessage(frame.message), static_cast<WPARAM>(frame.wParam),
                  static_cast<LPARAM>(frame.lParam));
}
