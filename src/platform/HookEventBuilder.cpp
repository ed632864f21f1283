#include "platform/HookEventBuilder.h"

#include "platform/KeyScanCodes.h"

namespace platform {

namespace {

constexpr int kLeftAlt = 56;
constexpr int kRightAlt = 100;

struct ButtonMessages {
    int button;
    uint32_t down;
    uint32_t up;
    uint16_t xButton;
};

constexpr ButtonMessages kButtons[] = {
    {1, kLeftDownMessage, kLeftUpMessage, 0},
    {2, kMiddleDownMessage, kMiddleUpMessage, 0},
    {3, kRightDownMessage, kRightUpMessage, 0},
    {8, kXDownMessage, kXUpMessage, kXButtonBack},
    {9, kXDownMessage, kXUpMessage, kXButtonForward},
};

} // namespace

bool HookEventBuilder::AltHeld() const
{
    return m_held.test(kLeftAlt) || m_held.test(kRightAlt);
}

std::optional<HookEvent> HookEventBuilder::Key(int linuxCode, bool down, uint32_t timeMs)
{
    if (linuxCode < 0 || linuxCode >= static_cast<int>(m_held.size()))
        return std::nullopt;
    if (down && m_held.test(linuxCode))
        return std::nullopt;
    // Alt counts as held for its own press and release, as system keys go.
    if (down)
        m_held.set(linuxCode);
    const bool alt = AltHeld();
    if (!down)
        m_held.reset(linuxCode);
    std::optional<KeyScanCode> row = KeyScanCodes::FromLinuxCode(linuxCode);
    if (!row)
        return std::nullopt;
    HookEvent event;
    event.kind = HookEvent::Kind::Key;
    event.message = down ? (alt ? kSysKeyDownMessage : kKeyDownMessage) : (alt ? kSysKeyUpMessage : kKeyUpMessage);
    event.key.virtualKey = row->virtualKey;
    event.key.scanCode = row->scanCode;
    event.key.flags = (row->extended ? kKeyFlagExtended : 0) | (alt ? kKeyFlagAltDown : 0) | (down ? 0 : kKeyFlagUp);
    event.key.time = timeMs;
    return event;
}

std::optional<HookEvent> HookEventBuilder::Button(int button, bool down, int x, int y, uint32_t timeMs)
{
    for (const ButtonMessages& row : kButtons) {
        if (row.button != button)
            continue;
        HookEvent event;
        event.kind = HookEvent::Kind::Mouse;
        event.message = down ? row.down : row.up;
        event.mouse.x = x;
        event.mouse.y = y;
        event.mouse.buttonData = uint32_t(row.xButton) << 16;
        event.mouse.time = timeMs;
        return event;
    }
    return std::nullopt;
}

} // namespace platform
