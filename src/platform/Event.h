#pragma once

#include <condition_variable>
#include <mutex>

namespace platform {

// A Windows-style event: manual-reset events stay signalled until Reset; auto-reset events
// release one waiter and clear themselves.
class Event {
public:
    enum class Mode { ManualReset, AutoReset };
    static constexpr int kInfinite = -1;

    explicit Event(Mode mode = Mode::ManualReset, bool signalled = false);
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;

    void Set();
    void Reset();
    // True when signalled within timeoutMs (kInfinite waits for ever; 0 only tests).
    bool Wait(int timeoutMs = kInfinite);
    bool IsSet() const;

private:
    mutable std::mutex m_lock;
    std::condition_variable m_changed;
    const bool m_autoReset;
    bool m_signalled;
};

} // namespace platform
