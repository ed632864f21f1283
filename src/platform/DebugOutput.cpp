#include "platform/DebugOutput.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>

namespace platform {

bool DebugOutputEnabled()
{
    static const bool enabled = std::getenv("QV742_DEBUG") != nullptr;
    return enabled;
}

void DebugOutput(std::string_view text)
{
    if (!DebugOutputEnabled())
        return;
    static std::mutex lock;
    std::lock_guard guard(lock);
    std::string line(text);
    if (line.empty() || line.back() != '\n')
        line += '\n';
    std::fputs(line.c_str(), stderr);
}

} // namespace platform
