#include "platform/KeyScanCodes.h"

#include <algorithm>

namespace platform {

namespace {

constexpr bool E = true;
constexpr bool N = false;

// In the order of the macro key table: modifiers, letters, digits, editing keys, punctuation,
// function keys, navigation, keypad, then the international keys.
constexpr KeyScanCode kRows[] = {
    {29, 0x1D, N, 0xA2},  // left Ctrl
    {42, 0x2A, N, 0xA0},  // left Shift
    {56, 0x38, N, 0xA4},  // left Alt
    {125, 0x5B, E, 0x5B}, // left Win
    {97, 0x1D, E, 0xA3},  // right Ctrl
    // Right Shift has no E0 prefix on the wire, but the macro table lists it with the flag; the
    // key is reported as the table has it so that it is recorded at all.
    {54, 0x36, E, 0xA1},
    {100, 0x38, E, 0xA5}, // right Alt
    {126, 0x5C, E, 0x5C}, // right Win
    {30, 0x1E, N, 'A'}, {48, 0x30, N, 'B'}, {46, 0x2E, N, 'C'}, {32, 0x20, N, 'D'},
    {18, 0x12, N, 'E'}, {33, 0x21, N, 'F'}, {34, 0x22, N, 'G'}, {35, 0x23, N, 'H'},
    {23, 0x17, N, 'I'}, {36, 0x24, N, 'J'}, {37, 0x25, N, 'K'}, {38, 0x26, N, 'L'},
    {50, 0x32, N, 'M'}, {49, 0x31, N, 'N'}, {24, 0x18, N, 'O'}, {25, 0x19, N, 'P'},
    {16, 0x10, N, 'Q'}, {19, 0x13, N, 'R'}, {31, 0x1F, N, 'S'}, {20, 0x14, N, 'T'},
    {22, 0x16, N, 'U'}, {47, 0x2F, N, 'V'}, {17, 0x11, N, 'W'}, {45, 0x2D, N, 'X'},
    {21, 0x15, N, 'Y'}, {44, 0x2C, N, 'Z'},
    {2, 0x02, N, '1'}, {3, 0x03, N, '2'}, {4, 0x04, N, '3'}, {5, 0x05, N, '4'}, {6, 0x06, N, '5'},
    {7, 0x07, N, '6'}, {8, 0x08, N, '7'}, {9, 0x09, N, '8'}, {10, 0x0A, N, '9'}, {11, 0x0B, N, '0'},
    {28, 0x1C, N, 0x0D},  // Enter
    {1, 0x01, N, 0x1B},   // Esc
    {14, 0x0E, N, 0x08},  // Backspace
    {15, 0x0F, N, 0x09},  // Tab
    {57, 0x39, N, 0x20},  // Space
    {12, 0x0C, N, 0xBD},  // -
    {13, 0x0D, N, 0xBB},  // =
    {26, 0x1A, N, 0xDB},  // [
    {27, 0x1B, N, 0xDD},  // ]
    {43, 0x2B, N, 0xDC},  // backslash
    {39, 0x27, N, 0xBA},  // ;
    {40, 0x28, N, 0xDE},  // '
    {41, 0x29, N, 0xC0},  // `
    {51, 0x33, N, 0xBC},  // ,
    {52, 0x34, N, 0xBE},  // .
    {53, 0x35, N, 0xBF},  // /
    {58, 0x3A, N, 0x14},  // Caps Lock
    {59, 0x3B, N, 0x70}, {60, 0x3C, N, 0x71}, {61, 0x3D, N, 0x72}, {62, 0x3E, N, 0x73},
    {63, 0x3F, N, 0x74}, {64, 0x40, N, 0x75}, {65, 0x41, N, 0x76}, {66, 0x42, N, 0x77},
    {67, 0x43, N, 0x78}, {68, 0x44, N, 0x79}, {87, 0x57, N, 0x7A}, {88, 0x58, N, 0x7B}, // F1..F12
    {99, 0x37, E, 0x2C},  // Print Screen
    {70, 0x46, N, 0x91},  // Scroll Lock
    {119, 0x45, N, 0x13}, // Pause
    {110, 0x52, E, 0x2D}, // Insert
    {102, 0x47, E, 0x24}, // Home
    {104, 0x49, E, 0x21}, // Page Up
    {111, 0x53, E, 0x2E}, // Delete
    {107, 0x4F, E, 0x23}, // End
    {109, 0x51, E, 0x22}, // Page Down
    {106, 0x4D, E, 0x27}, // Right
    {105, 0x4B, E, 0x25}, // Left
    {108, 0x50, E, 0x28}, // Down
    {103, 0x48, E, 0x26}, // Up
    {69, 0x45, E, 0x90},  // Num Lock
    {98, 0x35, E, 0x6F},  // keypad /
    {55, 0x37, N, 0x6A},  // keypad *
    {74, 0x4A, N, 0x6D},  // keypad -
    {78, 0x4E, N, 0x6B},  // keypad +
    {96, 0x1C, E, 0x0D},  // keypad Enter
    {79, 0x4F, N, 0x61}, {80, 0x50, N, 0x62}, {81, 0x51, N, 0x63}, {75, 0x4B, N, 0x64},
    {76, 0x4C, N, 0x65}, {77, 0x4D, N, 0x66}, {71, 0x47, N, 0x67}, {72, 0x48, N, 0x68},
    {73, 0x49, N, 0x69}, {82, 0x52, N, 0x60}, // keypad 1..9, 0
    {83, 0x53, N, 0x6E},  // keypad .
    {127, 0x5D, E, 0x5D}, // Menu
    {86, 0x56, N, 0xE2},  // the key left of Z on ISO boards
    {89, 0x73, N, 0xC1},  // Ro
    {124, 0x7D, N, 0xDC}, // Yen
    {121, 0x7E, N, 0xC2}, // keypad comma
    {94, 0x7B, N, 0x1D},  // Muhenkan
    {92, 0x79, N, 0x1C},  // Henkan
    {93, 0x70, N, 0x15},  // Katakana/Hiragana
    {123, 0x71, N, 0x19}, // Hanja
    {122, 0x72, N, 0x15}, // Hangul
};
static_assert(std::size(kRows) == 113);

} // namespace

std::span<const KeyScanCode> KeyScanCodes::Rows()
{
    return kRows;
}

std::optional<KeyScanCode> KeyScanCodes::FromLinuxCode(int linuxCode)
{
    auto found = std::find_if(std::begin(kRows), std::end(kRows),
                              [linuxCode](const KeyScanCode& row) { return row.linuxCode == linuxCode; });
    if (found == std::end(kRows))
        return std::nullopt;
    return *found;
}

} // namespace platform
