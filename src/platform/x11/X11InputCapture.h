#pragma once

#include "platform/InputCapture.h"

#include <atomic>
#include <memory>
#include <thread>

namespace platform {

// Capture through the X server: a worker thread with its own connections records every key
// press and release and every button press and release of the server (the record extension),
// and grabs the keyboard while keys are captured so that they reach no other program. The
// server still applies Caps, Num and Scroll Lock, so those keep working. The worker sleeps in
// poll on its connections and an abort event.
class X11InputCapture : public IInputCapture {
public:
    X11InputCapture();
    ~X11InputCapture() override;

    // True when the X server of $DISPLAY answers and offers the record extension.
    static bool Available();

    bool Start(CaptureMode mode, IHookSink& sink, bool keys, bool buttons) override;
    void Stop() override;
    bool FocusedWindowOnly() const override { return false; }

private:
    struct Session;

    std::unique_ptr<Session> m_session;
    std::thread m_worker;
};

} // namespace platform
