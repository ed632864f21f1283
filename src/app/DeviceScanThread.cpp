#include "app/DeviceScanThread.h"

#include "device/DeviceMessages.h"
#include "hid/DeviceScanPass.h"
#include "hid/HidBackend.h"
#include "platform/DebugOutput.h"
#include "toolkit/MessageQueue.h"

#include <chrono>

DeviceScanThread::DeviceScanThread() = default;

DeviceScanThread::~DeviceScanThread()
{
    Stop();
}

bool DeviceScanThread::Start(HWND window, DeviceSlotList& slots, UINT instanceMessage)
{
    m_window = window;
    m_slots = &slots;
    m_instanceMessage = instanceMessage;
    m_backend = HidBackend::Current();
    return m_thread.Start([this](platform::Event& stop) { Run(stop); });
}

bool DeviceScanThread::Stop(int timeoutMs)
{
    m_thread.RequestStop();
    if (m_backend)
        m_backend->InterruptWait();
    return m_thread.Stop(timeoutMs);
}

void DeviceScanThread::Run(platform::Event& stop)
{
    using Clock = std::chrono::steady_clock;
    std::shared_ptr<HidBackend> backend = m_backend;
    DeviceScanPass pass(*m_slots, backend);
    HWND window = m_window;
    auto arrived = [window](int slot) { ::SendMessage(window, kMsgDeviceArrived, static_cast<WPARAM>(slot), 0); };
    auto removed = [window](int slot) { ::SendMessage(window, kMsgDeviceRemoved, static_cast<WPARAM>(slot), 0); };
    bool announced = false;
    Clock::time_point lastPass;
    bool changed = true;
    while (!stop.Wait(0)) {
        if (changed || Clock::now() - lastPass >= std::chrono::milliseconds(kFallbackPassMs)) {
            DeviceScanPass::Result result = pass.Run(arrived, removed);
            lastPass = Clock::now();
            if (result.enumerationFailed)
                break;
            if (result.enumerated && !announced) {
                ::PostMessage(window, m_instanceMessage, 0, 0);
                announced = true;
            }
        }
        // Sleeps until an interface comes or goes, the fall-back pass is due, or Stop.
        changed = backend->WaitForChange(kFallbackPassMs);
    }
    platform::DebugOutput("抓取设备线程设定退出");
}
