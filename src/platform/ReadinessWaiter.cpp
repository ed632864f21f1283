#include "platform/ReadinessWaiter.h"

#include <cerrno>
#include <cstdint>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace platform {

ReadinessWaiter::ReadinessWaiter() : m_wakeFd(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

ReadinessWaiter::~ReadinessWaiter()
{
    if (m_wakeFd >= 0)
        ::close(m_wakeFd);
}

std::vector<size_t> ReadinessWaiter::Wait(const std::vector<int>& fds, int timeoutMs)
{
    std::vector<pollfd> watched;
    watched.push_back({m_wakeFd, POLLIN, 0});
    for (int fd : fds)
        watched.push_back({fd, POLLIN, 0}); // poll ignores negative descriptors
    int result;
    do {
        result = ::poll(watched.data(), watched.size(), timeoutMs);
    } while (result < 0 && errno == EINTR);
    std::vector<size_t> ready;
    if (result <= 0)
        return ready;
    if (watched[0].revents) {
        uint64_t count;
        while (::read(m_wakeFd, &count, sizeof count) > 0) {
        }
        return ready;
    }
    for (size_t i = 1; i < watched.size(); ++i) {
        if (watched[i].revents & (POLLIN | POLLHUP | POLLERR))
            ready.push_back(i - 1);
    }
    return ready;
}

void ReadinessWaiter::Wake()
{
    uint64_t one = 1;
    [[maybe_unused]] ssize_t written = ::write(m_wakeFd, &one, sizeof one);
}

} // namespace platform
