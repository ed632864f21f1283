#include "platform/CDeviceHook.h"

#include "platform/FocusedWindowCapture.h"
#include "platform/x11/X11InputCapture.h"

namespace platform {

CDeviceHook::CDeviceHook() = default;

CDeviceHook::~CDeviceHook()
{
    Stop();
}

IInputCapture& CDeviceHook::Capture()
{
    // Chosen at the first use: the X server may not be asked before the program needs it.
    if (!m_capture) {
        if (X11InputCapture::Available())
            m_capture = std::make_unique<X11InputCapture>();
        else
            m_capture = std::make_unique<FocusedWindowCapture>();
    }
    return *m_capture;
}

bool CDeviceHook::FocusedWindowOnly()
{
    return Capture().FocusedWindowOnly();
}

int CDeviceHook::Start(CaptureMode mode, IHookSink& sink, bool useKeyboardHook, bool useLibrary)
{
    Stop();
    m_mode = mode;
    if (!useKeyboardHook && !useLibrary)
        return 1;
    if (!Capture().Start(mode, sink, useKeyboardHook, useLibrary))
        return 0;
    m_running = true;
    m_keys = useKeyboardHook;
    return 1;
}

int CDeviceHook::Stop()
{
    if (!m_running)
        return 0;
    Capture().Stop();
    m_running = false;
    return m_keys ? 1 : 0;
}

} // namespace platform
