#include "app/HookMessageSink.h"

#include "toolkit/MessageQueue.h"
#include "toolkit/UIHost.h"

HookMessageSink::HookMessageSink(HWND window, StopButtonTest onStopButton)
    : m_window(window), m_onStopButton(std::make_shared<const StopButtonTest>(std::move(onStopButton)))
{
}

void HookMessageSink::OnHookEvent(platform::CaptureMode mode, const platform::HookEvent& event)
{
    // The task owns what it needs: it may run after this sink is gone.
    CMessageQueue::Instance().PostTask([window = m_window, mode, event, test = m_onStopButton] {
        Deliver(window, mode, event, *test);
    });
}

bool HookMessageSink::Deliver(HWND window, platform::CaptureMode mode, platform::HookEvent event,
                              const StopButtonTest& onStopButton)
{
    using platform::HookEvent;
    const bool mouse = event.kind == HookEvent::Kind::Mouse;
    const char* name = mouse ? platform::MouseMessageName(mode) : platform::KeyMessageName(mode);
    if (!name)
        return false;
    LPARAM record = reinterpret_cast<LPARAM>(&event.key);
    if (mouse) {
        const POINT screen = ScreenPointFromDevicePixels(POINT{event.mouse.x, event.mouse.y});
        event.mouse.x = screen.x;
        event.mouse.y = screen.y;
        const bool left = event.message == platform::kLeftDownMessage || event.message == platform::kLeftUpMessage;
        if (left && onStopButton && onStopButton(screen))
            return false;
        record = reinterpret_cast<LPARAM>(&event.mouse);
    }
    ::SendMessage(window, RegisterWindowMessage(name), event.message, record);
    return true;
}
