#pragma once

#include "hid/HidBackend.h"

#include <algorithm>
#include <chrono>

// The end of a wait given in milliseconds, where kHidInfinite (or any negative value) never ends.
class HidDeadline {
public:
    using Clock = std::chrono::steady_clock;

    explicit HidDeadline(int timeoutMs)
        : m_infinite(timeoutMs < 0), m_end(Clock::now() + std::chrono::milliseconds(std::max(timeoutMs, 0)))
    {
    }

    // Milliseconds left, rounded up so that a wait never ends early; kHidInfinite when infinite.
    int RemainingMs() const
    {
        if (m_infinite)
            return kHidInfinite;
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(m_end - Clock::now()).count();
        return static_cast<int>(std::max<long long>(0, left));
    }

private:
    bool m_infinite;
    Clock::time_point m_end;
};
