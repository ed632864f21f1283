#pragma once

#include <functional>

namespace platform {

// Suspend and resume of the machine, from logind's PrepareForSleep signal on the system bus.
// Where there is no system bus or no logind, Open fails and the program behaves as if the
// machine never sleeps.
class PowerEvents {
public:
    // suspending is true before the machine sleeps, false after it woke.
    using Handler = std::function<void(bool suspending)>;

    PowerEvents();
    ~PowerEvents();
    PowerEvents(const PowerEvents&) = delete;
    PowerEvents& operator=(const PowerEvents&) = delete;

    // Connects to the system bus and subscribes; false when that is not possible.
    bool Open(Handler handler);
    // The connection to watch for readability; -1 when not open.
    int Fd() const;
    // Handles whatever arrived; calls the handler for each sleep signal. Never blocks.
    void Process();

private:
    struct Bus;
    Bus* m_bus = nullptr;
    Handler m_handler;
};

} // namespace platform
