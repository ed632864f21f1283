#pragma once

#include <json/value.h>

#include <cstdint>
#include <optional>

class JsonFieldReader;

// What a macro step presses or moves ("Type" of a step).
enum class MacroEventType : uint8_t {
    MouseButton = 1,    // "Button": button bit, left 0x01, right 0x02, middle 0x04, back 0x08, forward 0x10
    Reserved2 = 2,      // kept when a file holds it, never made here
    Reserved3 = 3,      // kept when a file holds it, never made here
    MoveHorizontal = 4, // "Button": pixels 0..255; down moves left, up moves right
    MoveVertical = 5,   // "Button": pixels 0..255; down moves up, up moves down
    Modifier = 9,       // "Button": modifier bit, left Ctrl 0x01 ... right Win 0x80
    Key = 10,           // "Button": USB HID keyboard usage
};

// One step of a macro (and of a recoil pattern), then the pause after it. In a file:
//   {"Type": int, "Button": int, "Action": "down" | "up", "Delay": "<decimal>"}
struct MacroEvent {
    static constexpr int kMaxDelay = 65535;

    MacroEventType type = MacroEventType::Key;
    uint8_t button = 0;
    bool down = false; // "Action": every text other than "down" means up
    uint16_t delay = 0; // "Delay": milliseconds after this step

    // The step in a file element; nothing when the element is no object or names no known type.
    // "Button" is clamped to 0..255 and "Delay" (a number or a decimal text) to 0..65535.
    static std::optional<MacroEvent> FromJson(const Json::Value& element, JsonFieldReader& fields);
    // The element as the editor saves it, with "Delay" as decimal text.
    Json::Value ToJson() const;
    bool operator==(const MacroEvent&) const = default;
};
