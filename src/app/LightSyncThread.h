#pragma once

// The light sync thread of the main window: while products take part in synchronised lighting,
// it runs the synchronised effect and writes each frame's colour into every light of every
// connected product whose synchronised-lighting flag is set, in the order mice, mouse pads,
// headsets, keyboards. It sleeps until the next frame is due, and while nobody takes part or the
// window is hidden, until it is woken.

#include "app/LightSyncEffect.h"
#include "platform/Event.h"
#include "platform/WorkerThread.h"

#include <atomic>
#include <mutex>
#include <vector>

class COrlithUSBDevice;

class LightSyncThread {
public:
    LightSyncThread() = default;
    ~LightSyncThread() { Stop(); }

    void Start();
    // Stops the thread (debug line "同步灯光线程设定退出"); true when it ended in time.
    bool Stop(int timeoutMs = 1000);
    // Every device object, in painting order; they live as long as the thread runs.
    void SetDevices(std::vector<COrlithUSBDevice*> devices);
    // A new synchronised effect; the wheel and curve carry on where they were.
    void StartEffect(const LightSyncSettings& settings);
    // The flags of the devices changed: look again.
    void Wake() { m_wake.Set(); }
    void SetPaused(bool paused);
    // One pass of the thread at nowMs: the milliseconds until the next frame, or
    // LightSyncEffect::kNoWake while nobody takes part. The thread's step.
    int Step(uint64_t nowMs);
    // True when some connected device has its synchronised-lighting flag set.
    bool AnyParticipant();

private:
    void Run(platform::Event& stop);

    std::mutex m_lock;
    std::vector<COrlithUSBDevice*> m_devices;
    LightSyncEffect m_effect;
    uint64_t m_paintedSerial = 0;
    std::atomic<bool> m_paused{false};
    platform::Event m_wake{platform::Event::Mode::AutoReset};
    platform::WorkerThread m_thread{"light sync"};
};
