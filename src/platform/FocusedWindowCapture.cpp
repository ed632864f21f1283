#include "platform/FocusedWindowCapture.h"

#include <mutex>

namespace platform {

namespace {

std::mutex g_lock;
FocusedWindowCapture* g_active = nullptr;

} // namespace

FocusedWindowCapture::~FocusedWindowCapture()
{
    Stop();
}

bool FocusedWindowCapture::Start(CaptureMode mode, IHookSink& sink, bool keys, bool /*buttons*/)
{
    std::lock_guard guard(g_lock);
    m_mode = mode;
    m_sink = &sink;
    m_builder = HookEventBuilder();
    g_active = keys ? this : nullptr;
    return true;
}

void FocusedWindowCapture::Stop()
{
    std::lock_guard guard(g_lock);
    if (g_active == this)
        g_active = nullptr;
}

bool FocusedWindowCapture::FeedKey(int linuxCode, bool down, uint32_t timeMs)
{
    std::lock_guard guard(g_lock);
    if (!g_active)
        return false;
    if (std::optional<HookEvent> event = g_active->m_builder.Key(linuxCode, down, timeMs))
        g_active->m_sink->OnHookEvent(g_active->m_mode, *event);
    return true;
}

} // namespace platform
