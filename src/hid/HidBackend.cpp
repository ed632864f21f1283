#include "hid/HidBackend.h"

#include "hid/linux/HidrawBackend.h"

#include <mutex>

namespace {

std::mutex g_currentLock;
std::shared_ptr<HidBackend> g_current;

} // namespace

std::shared_ptr<HidBackend> HidBackend::Current()
{
    std::lock_guard guard(g_currentLock);
    if (!g_current)
        g_current = std::make_shared<HidrawBackend>();
    return g_current;
}

void HidBackend::SetCurrent(std::shared_ptr<HidBackend> backend)
{
    std::lock_guard guard(g_currentLock);
    g_current = std::move(backend);
}
