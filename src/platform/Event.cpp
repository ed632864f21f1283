#include "platform/Event.h"

#include <chrono>

namespace platform {

Event::Event(Mode mode, bool signalled) : m_autoReset(mode == Mode::AutoReset), m_signalled(signalled) {}

void Event::Set()
{
    {
        std::lock_guard guard(m_lock);
        m_signalled = true;
    }
    if (m_autoReset)
        m_changed.notify_one();
    else
        m_changed.notify_all();
}

void Event::Reset()
{
    std::lock_guard guard(m_lock);
    m_signalled = false;
}

bool Event::Wait(int timeoutMs)
{
    std::unique_lock guard(m_lock);
    auto signalled = [this] { return m_signalled; };
    bool got = timeoutMs < 0 ? (m_changed.wait(guard, signalled), true)
                             : m_changed.wait_for(guard, std::chrono::milliseconds(timeoutMs), signalled);
    if (got && m_autoReset)
        m_signalled = false;
    return got;
}

bool Event::IsSet() const
{
    std::lock_guard guard(m_lock);
    return m_signalled;
}

} // namespace platform
