#include "app/LightSyncThread.h"

#include "device/COrlithUSBDevice.h"
#include "platform/DebugOutput.h"

void LightSyncThread::Start()
{
    m_thread.Start([this](platform::Event& stop) { Run(stop); });
}

bool LightSyncThread::Stop(int timeoutMs)
{
    m_thread.RequestStop();
    m_wake.Set();
    return m_thread.Stop(timeoutMs);
}

void LightSyncThread::SetDevices(std::vector<COrlithUSBDevice*> devices)
{
    {
        std::lock_guard guard(m_lock);
        m_devices = std::move(devices);
    }
    m_wake.Set();
}

void LightSyncThread::StartEffect(const LightSyncSettings& settings)
{
    {
        std::lock_guard guard(m_lock);
        m_effect.Start(settings);
    }
    m_wake.Set();
}

void LightSyncThread::SetPaused(bool paused)
{
    m_paused = paused;
    m_wake.Set();
}

bool LightSyncThread::AnyParticipant()
{
    std::lock_guard guard(m_lock);
    for (COrlithUSBDevice* device : m_devices) {
        if (device->IsConnected() && device->IsSynchronised())
            return true;
    }
    return false;
}

int LightSyncThread::Step(uint64_t nowMs)
{
    if (!AnyParticipant())
        return LightSyncEffect::kNoWake;
    std::lock_guard guard(m_lock);
    const int wait = m_effect.Advance(nowMs);
    if (m_effect.FrameSerial() != m_paintedSerial) {
        m_paintedSerial = m_effect.FrameSerial();
        const uint32_t colour = m_effect.Colour();
        for (COrlithUSBDevice* device : m_devices) {
            if (!device->IsConnected() || !device->IsSynchronised())
                continue;
            for (int light = 0; light < device->LightCount(); ++light)
                device->SetLightColour(light, colour);
        }
    }
    return wait;
}

void LightSyncThread::Run(platform::Event& stop)
{
    while (!stop.IsSet()) {
        const int wait = m_paused ? LightSyncEffect::kNoWake : Step(COrlithUSBDevice::SteadyNowMs());
        m_wake.Wait(wait == LightSyncEffect::kNoWake ? platform::Event::kInfinite : wait);
    }
    platform::DebugOutput("同步灯光线程设定退出");
}
