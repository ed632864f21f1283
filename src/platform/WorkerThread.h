#pragma once

#include "platform/Event.h"

#include <functional>
#include <memory>
#include <string>
#include <thread>

namespace platform {

// Owns one worker thread and its stop event. The body polls the stop event (or waits on it with
// a time-out) and returns when it is set. Threads are never killed: Stop waits a bounded time,
// and a body that still runs is reported and detached; it keeps its own state alive and ends
// at its next check of the stop event.
class WorkerThread {
public:
    using Body = std::function<void(Event& stop)>;

    explicit WorkerThread(std::string name);
    ~WorkerThread(); // Stop(1000)
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // Starts the body on a new thread; false when one is already running.
    bool Start(Body body);
    // Sets the stop event without waiting (e.g. before releasing a blocking read).
    void RequestStop();
    // Sets the stop event and waits up to timeoutMs; true when the thread ended in time.
    bool Stop(int timeoutMs = 1000);
    bool IsRunning() const;
    const std::string& Name() const { return m_name; }

private:
    struct Shared {
        Event stop{Event::Mode::ManualReset};
        Event finished{Event::Mode::ManualReset};
    };

    std::string m_name;
    std::shared_ptr<Shared> m_shared;
    std::thread m_thread;
};

} // namespace platform
