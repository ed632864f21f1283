#pragma once

#include "platform/HookRecords.h"

#include <bitset>
#include <optional>

namespace platform {

// Turns raw key and button transitions into the events a hook reports: keys by their set-1
// identity, a held key (auto-repeat) as one press, Alt turning key messages into system key
// messages, and the buttons left, middle, right, back and forward. One per capture session.
class HookEventBuilder {
public:
    // linuxCode: the Linux input key code (X keycode − 8). Nothing for a repeat of a held key
    // or a key capture does not know.
    std::optional<HookEvent> Key(int linuxCode, bool down, uint32_t timeMs);
    // button: the X button number (1 left, 2 middle, 3 right, 8 back, 9 forward); nothing for
    // the wheel and every other button. x, y: the pointer on the screen.
    std::optional<HookEvent> Button(int button, bool down, int x, int y, uint32_t timeMs);

private:
    bool AltHeld() const;

    std::bitset<256> m_held;
};

} // namespace platform
