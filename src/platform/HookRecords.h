#pragma once

// What the input hook reports to its sink: the capture modes, the registered names of the
// messages each mode sends, and the records that travel as lParam of those messages. The
// records keep the layout handlers read them in (the hook structures of the original platform).

#include <cstddef>
#include <cstdint>

namespace platform {

// The capture a hook runs for (a bit value; the mode picks the message names below).
enum class CaptureMode : int {
    SingleKey = 1,
    HitKey = 2,
    Append = 4,
    InsertBefore = 8,
    InsertAfter = 16,
    ReplaceKey = 32,
    MouseSingleKey = 256,
    MouseHitKey = 512,
    MouseKbMacro = 1024,
};

// wParam of a key message.
constexpr uint32_t kKeyDownMessage = 0x0100;
constexpr uint32_t kKeyUpMessage = 0x0101;
constexpr uint32_t kSysKeyDownMessage = 0x0104; // with Alt held (or Alt itself)
constexpr uint32_t kSysKeyUpMessage = 0x0105;

// wParam of a mouse message.
constexpr uint32_t kLeftDownMessage = 0x0201;
constexpr uint32_t kLeftUpMessage = 0x0202;
constexpr uint32_t kRightDownMessage = 0x0204;
constexpr uint32_t kRightUpMessage = 0x0205;
constexpr uint32_t kMiddleDownMessage = 0x0207;
constexpr uint32_t kMiddleUpMessage = 0x0208;
constexpr uint32_t kXDownMessage = 0x020B;
constexpr uint32_t kXUpMessage = 0x020C;
constexpr uint16_t kXButtonBack = 1;
constexpr uint16_t kXButtonForward = 2;

// Bits of KeyHookRecord::flags.
constexpr uint32_t kKeyFlagExtended = 0x01;
constexpr uint32_t kKeyFlagAltDown = 0x20;
constexpr uint32_t kKeyFlagUp = 0x80;

// lParam of a key message.
struct KeyHookRecord {
    uint32_t virtualKey = 0; // Windows virtual-key code (0x14 Caps Lock ...)
    uint32_t scanCode = 0;   // set-1 scan code without the E0 prefix
    uint32_t flags = 0;      // kKeyFlag* bits; bit 0: the scan code had the E0 prefix
    uint32_t time = 0;       // event time in milliseconds of the monotonic clock (wraps)
    uintptr_t extraInfo = 0; // always 0
};
static_assert(offsetof(KeyHookRecord, scanCode) == 4 && offsetof(KeyHookRecord, flags) == 8 &&
              offsetof(KeyHookRecord, time) == 12 && offsetof(KeyHookRecord, extraInfo) == 16);
static_assert(sizeof(KeyHookRecord) == 16 + sizeof(uintptr_t));

// lParam of a mouse message.
struct MouseHookRecord {
    // Cursor position on the screen: device pixels from the hook, the window system's screen
    // coordinates (those of window rectangles) once delivered to a window.
    int32_t x = 0;
    int32_t y = 0;
    uint32_t reserved[3] = {};
    uint32_t buttonData = 0; // high 16 bits: X button number (kXButtonBack, kXButtonForward)
    uint32_t time = 0;       // event time as in KeyHookRecord
};
static_assert(offsetof(MouseHookRecord, y) == 4 && offsetof(MouseHookRecord, buttonData) == 20);
static_assert(sizeof(MouseHookRecord) == 28);

// One captured input: a key or a mouse button, its message (wParam) and record (lParam).
struct HookEvent {
    enum class Kind { Key, Mouse };
    Kind kind = Kind::Key;
    uint32_t message = 0;
    KeyHookRecord key;
    MouseHookRecord mouse;
};

// The registered name of the message a mode's keys go out with; null for a mode without one.
const char* KeyMessageName(CaptureMode mode);
// The registered name of the message a mode's mouse buttons go out with; null when the mode
// reports no buttons.
const char* MouseMessageName(CaptureMode mode);

// Receives what a running hook captures, on the hook's own thread. Must not block.
class IHookSink {
public:
    virtual ~IHookSink() = default;
    virtual void OnHookEvent(CaptureMode mode, const HookEvent& event) = 0;
};

} // namespace platform
