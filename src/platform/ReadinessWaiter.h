#pragma once

#include <cstddef>
#include <vector>

namespace platform {

// Waits until one of a set of file descriptors is readable, or until another thread wakes the
// waiter. Lets a worker sleep on its sockets without polling and still stop at once.
class ReadinessWaiter {
public:
    ReadinessWaiter();
    ~ReadinessWaiter();
    ReadinessWaiter(const ReadinessWaiter&) = delete;
    ReadinessWaiter& operator=(const ReadinessWaiter&) = delete;

    // The indices into fds that are readable; empty when woken, timed out (timeoutMs >= 0) or
    // when no descriptor is valid. Negative descriptors are skipped.
    std::vector<size_t> Wait(const std::vector<int>& fds, int timeoutMs = -1);
    // Ends the current or next Wait at once; callable from any thread.
    void Wake();

private:
    int m_wakeFd = -1;
};

} // namespace platform
