#pragma once

#include "profile/ProfileRecords.h"

#include <cstdint>
#include <span>

// One key the system can name: the Windows virtual-key code it is known by, the function that
// presses it on the device, its language key, and (rows 0..112) the set-1 scan code with the
// extended flag by which a captured key is recognised.
struct KeyCodeRow {
    uint16_t virtualKey;
    KeyFunction function;
    const char* labelKey;
    uint8_t scanCode;  // 0: not capturable
    bool extended;
};

// A mouse step a capture or the editor can make: rows 0..9 are the buttons by the mouse message
// that reports them, rows 10..13 the four moves. code: 0x80 for "down" plus the event type.
struct MouseEventRow {
    uint16_t message;
    uint8_t button;
    uint8_t code;
    const char* labelKey;
};

// A function of a table-driven category of the key assignment panel, with its language key.
struct NamedKeyFunction {
    KeyFunction function;
    const char* labelKey;
};

// The vocabulary of keys shared by the key assignment panel and the macro editor.
class KeyCodeTable {
public:
    static constexpr int kRows = 142;
    static constexpr int kModifierRows = 8;
    // Rows 0..112 can be captured from the keyboard.
    static constexpr int kCaptureRows = 113;
    static constexpr uint8_t kKeyboardType = 0x20;

    static std::span<const KeyCodeRow> Rows();
    // The capturable row with this scan code and extended flag, -1 for none.
    static int FindCaptured(uint32_t scanCode, bool extended);
    // The label key of a modifier bit (rows 0..7), null for none.
    static const char* ModifierLabel(uint8_t bit);
    // The label key of a plain key (type 0x20, high 0) by its HID usage from row 8 on, null for none.
    static const char* KeyLabel(uint8_t usage);
    // The first plain key row (type 0x20, high 0) from row 8 on with this usage, -1 for none.
    static int FindPlainKey(uint8_t usage);

    static std::span<const MouseEventRow> MouseEvents();

    // The panel's table-driven categories, in the row order of their combos.
    static std::span<const NamedKeyFunction> MouseButtons();
    static std::span<const NamedKeyFunction> DpiActions();
    static std::span<const NamedKeyFunction> MediaKeys();
    static std::span<const NamedKeyFunction> SystemKeys();
    static std::span<const NamedKeyFunction> ShortcutKeys();
    // The row of table whose function equals function, -1 for none.
    static int FindIn(std::span<const NamedKeyFunction> table, const KeyFunction& function);
    // The language key naming a function (a table row or a key row), null when none names it.
    static const char* NameOf(const KeyFunction& function);
};
