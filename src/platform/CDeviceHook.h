#pragma once

// The input hook of macro recording and single-key capture: while it runs, every key press and
// release (and, when asked, every mouse button press and release) of the desktop goes to a
// sink, and keys other than Caps, Num and Scroll Lock reach no other program. Where an X
// server is reachable it records and grabs there; otherwise only keys typed into the
// program's own window are captured.

#include "platform/HookRecords.h"

#include <memory>

namespace platform {

class IInputCapture;

class CDeviceHook {
public:
    CDeviceHook();
    ~CDeviceHook(); // Stop
    CDeviceHook(const CDeviceHook&) = delete;
    CDeviceHook& operator=(const CDeviceHook&) = delete;

    // Ends a running capture, then captures for mode: keys when useKeyboardHook, buttons when
    // useLibrary. 1, or 0 when the keys cannot be had (another program holds the keyboard);
    // then nothing runs. The sink is called on the hook's thread and must outlive the capture.
    int Start(CaptureMode mode, IHookSink& sink, bool useKeyboardHook, bool useLibrary);
    // Ends the capture: 1 when keys were captured, else 0.
    int Stop();
    bool IsRunning() const { return m_running; }
    CaptureMode Mode() const { return m_mode; }
    // Only keys typed into the program's own window can be captured (no X server to ask).
    bool FocusedWindowOnly();

private:
    IInputCapture& Capture();

    std::unique_ptr<IInputCapture> m_capture;
    CaptureMode m_mode = CaptureMode::SingleKey;
    bool m_running = false;
    bool m_keys = false;
};

} // namespace platform
