#pragma once

#include "platform/HookRecords.h"

namespace platform {

// One way of capturing input for CDeviceHook: the X server's record extension, or the keys
// typed into the program's own window where no X server can be asked.
class IInputCapture {
public:
    virtual ~IInputCapture() = default;
    // Starts reporting to sink: keys (which then reach no other program, the lock keys aside)
    // and mouse buttons as asked. False when it cannot, and then nothing runs.
    virtual bool Start(CaptureMode mode, IHookSink& sink, bool keys, bool buttons) = 0;
    // Ends the capture; the sink is not called after Stop returns.
    virtual void Stop() = 0;
    // Only keys typed into the program's own focused window are seen.
    virtual bool FocusedWindowOnly() const = 0;
};

} // namespace platform
