#pragma once

#include "platform/HookEventBuilder.h"
#include "platform/InputCapture.h"

#include <cstdint>

namespace platform {

// Capture where no X server can record or grab (a Wayland session): the window system host
// feeds the keys typed into the program's own focused window, and a capture takes them
// before the window sees them. Buttons are not captured this way.
class FocusedWindowCapture : public IInputCapture {
public:
    ~FocusedWindowCapture() override;

    bool Start(CaptureMode mode, IHookSink& sink, bool keys, bool buttons) override;
    void Stop() override;
    bool FocusedWindowOnly() const override { return true; }

    // From the host's UI thread, for a key typed into one of the program's windows; true when
    // a capture took it (the window then must not act on it).
    static bool FeedKey(int linuxCode, bool down, uint32_t timeMs);

private:
    CaptureMode m_mode = CaptureMode::Append;
    IHookSink* m_sink = nullptr;
    HookEventBuilder m_builder;
};

} // namespace platform
