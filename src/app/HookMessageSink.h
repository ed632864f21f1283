#pragma once

// Hands what the input hook captures to a window as the capture messages of its mode: on the
// user-interface thread, by the registered message name, wParam the key or mouse message and
// lParam the record (valid while the message is handled). The pointer of a mouse record is
// turned into the screen coordinates of window rectangles first, and a left click on the
// recording's stop button is never handed on.

#include "platform/HookRecords.h"
#include "toolkit/UIDefs.h"

#include <functional>
#include <memory>

class HookMessageSink : public platform::IHookSink {
public:
    // True for a point (screen coordinates) on the recording's stop button.
    using StopButtonTest = std::function<bool(POINT)>;

    HookMessageSink(HWND window, StopButtonTest onStopButton);

    // The hook's thread: queues the event for the window.
    void OnHookEvent(platform::CaptureMode mode, const platform::HookEvent& event) override;
    // The UI thread: sends the event's message to window; false when none was sent.
    static bool Deliver(HWND window, platform::CaptureMode mode, platform::HookEvent event,
                        const StopButtonTest& onStopButton);

private:
    HWND m_window;
    std::shared_ptr<const StopButtonTest> m_onStopButton;
};
