#include "macro/KeyCodeTable.h"

#include <array>

namespace {

constexpr uint8_t kKey = KeyCodeTable::kKeyboardType;
constexpr uint8_t kMedia = 0x30;
constexpr uint8_t kSystem = 0x40;
constexpr uint8_t kMacroKey = 0xD0;
constexpr uint8_t kLayerKey = 0xA0;

constexpr KeyCodeRow Modifier(uint16_t vk, uint8_t bit, const char* label, uint8_t scan, bool extended)
{
    return {vk, {kKey, bit, 0}, label, scan, extended};
}

constexpr KeyCodeRow Plain(uint16_t vk, uint8_t usage, const char* label, uint8_t scan, bool extended = false)
{
    return {vk, {kKey, 0, usage}, label, scan, extended};
}

// A consumer usage splits into the function's high byte (its low byte) and low byte (its high byte).
constexpr KeyCodeRow Media(uint16_t vk, uint16_t usage, const char* label)
{
    return {vk, {kMedia, static_cast<uint8_t>(usage & 0xFF), static_cast<uint8_t>(usage >> 8)}, label, 0, false};
}

constexpr KeyCodeRow Other(uint16_t vk, uint8_t type, uint8_t high, uint8_t low, const char* label)
{
    return {vk, {type, high, low}, label, 0, false};
}

constexpr std::array<KeyCodeRow, KeyCodeTable::kRows> kKeyRows = {{
    Modifier(0xA2, 0x01, "keyboard_key_LCtrl", 0x1D, false),
    Modifier(0xA0, 0x02, "keyboard_key_LShift", 0x2A, false),
    Modifier(0xA4, 0x04, "keyboard_key_LAlt", 0x38, false),
    Modifier(0x5B, 0x08, "keyboard_key_LWin", 0x5B, true),
    Modifier(0xA3, 0x10, "keyboard_key_RCtrl", 0x1D, true),
    Modifier(0xA1, 0x20, "keyboard_key_RShift", 0x36, true),
    Modifier(0xA5, 0x40, "keyboard_key_RAlt", 0x38, true),
    Modifier(0x5C, 0x80, "keyboard_key_RWin", 0x5C, true),
    Plain('A', 0x04, "keyboard_key_A", 0x1E), Plain('B', 0x05, "keyboard_key_B", 0x30),
    Plain('C', 0x06, "keyboard_key_C", 0x2E), Plain('D', 0x07, "keyboard_key_D", 0x20),
    Plain('E', 0x08, "keyboard_key_E", 0x12), Plain('F', 0x09, "keyboard_key_F", 0x21),
    Plain('G', 0x0A, "keyboard_key_G", 0x22), Plain('H', 0x0B, "keyboard_key_H", 0x23),
    Plain('I', 0x0C, "keyboard_key_I", 0x17), Plain('J', 0x0D, "keyboard_key_J", 0x24),
    Plain('K', 0x0E, "keyboard_key_K", 0x25), Plain('L', 0x0F, "keyboard_key_L", 0x26),
    Plain('M', 0x10, "keyboard_key_M", 0x32), Plain('N', 0x11, "keyboard_key_N", 0x31),
    Plain('O', 0x12, "keyboard_key_O", 0x18), Plain('P', 0x13, "keyboard_key_P", 0x19),
    Plain('Q', 0x14, "keyboard_key_Q", 0x10), Plain('R', 0x15, "keyboard_key_R", 0x13),
    Plain('S', 0x16, "keyboard_key_S", 0x1F), Plain('T', 0x17, "keyboard_key_T", 0x14),
    Plain('U', 0x18, "keyboard_key_U", 0x16), Plain('V', 0x19, "keyboard_key_V", 0x2F),
    Plain('W', 0x1A, "keyboard_key_W", 0x11), Plain('X', 0x1B, "keyboard_key_X", 0x2D),
    Plain('Y', 0x1C, "keyboard_key_Y", 0x15), Plain('Z', 0x1D, "keyboard_key_Z", 0x2C),
    Plain('1', 0x1E, "keyboard_key_1", 0x02), Plain('2', 0x1F, "keyboard_key_2", 0x03),
    Plain('3', 0x20, "keyboard_key_3", 0x04), Plain('4', 0x21, "keyboard_key_4", 0x05),
    Plain('5', 0x22, "keyboard_key_5", 0x06), Plain('6', 0x23, "keyboard_key_6", 0x07),
    Plain('7', 0x24, "keyboard_key_7", 0x08), Plain('8', 0x25, "keyboard_key_8", 0x09),
    Plain('9', 0x26, "keyboard_key_9", 0x0A), Plain('0', 0x27, "keyboard_key_0", 0x0B),
    Plain(0x0D, 0x28, "keyboard_key_Enter", 0x1C), Plain(0x1B, 0x29, "keyboard_key_Esc", 0x01),
    Plain(0x08, 0x2A, "keyboard_key_BackSpace", 0x0E), Plain(0x09, 0x2B, "keyboard_key_Tab", 0x0F),
    Plain(0x20, 0x2C, "keyboard_key_Space", 0x39), Plain(0xBD, 0x2D, "keyboard_key_-", 0x0C),
    Plain(0xBB, 0x2E, "keyboard_key_=", 0x0D), Plain(0xDB, 0x2F, "keyboard_key_[", 0x1A),
    Plain(0xDD, 0x30, "keyboard_key_]", 0x1B), Plain(0xDC, 0x31, "keyboard_key_xiegang", 0x2B),
    Plain(0xBA, 0x33, "keyboard_key_;", 0x27), Plain(0xDE, 0x34, "keyboard_key_'", 0x28),
    Plain(0xC0, 0x35, "keyboard_key_`", 0x29), Plain(0xBC, 0x36, "keyboard_key_<", 0x33),
    Plain(0xBE, 0x37, "keyboard_key_.", 0x34), Plain(0xBF, 0x38, "keyboard_key_/", 0x35),
    Plain(0x14, 0x39, "keyboard_key_Caplk", 0x3A),
    Plain(0x70, 0x3A, "keyboard_key_F1", 0x3B), Plain(0x71, 0x3B, "keyboard_key_F2", 0x3C),
    Plain(0x72, 0x3C, "keyboard_key_F3", 0x3D), Plain(0x73, 0x3D, "keyboard_key_F4", 0x3E),
    Plain(0x74, 0x3E, "keyboard_key_F5", 0x3F), Plain(0x75, 0x3F, "keyboard_key_F6", 0x40),
    Plain(0x76, 0x40, "keyboard_key_F7", 0x41), Plain(0x77, 0x41, "keyboard_key_F8", 0x42),
    Plain(0x78, 0x42, "keyboard_key_F9", 0x43), Plain(0x79, 0x43, "keyboard_key_F10", 0x44),
    Plain(0x7A, 0x44, "keyboard_key_F11", 0x57), Plain(0x7B, 0x45, "keyboard_key_F12", 0x58),
    Plain(0x2C, 0x46, "keyboard_key_Print Scr", 0x37, true), Plain(0x91, 0x47, "keyboard_key_Scroll Lock", 0x46),
    Plain(0x13, 0x48, "keyboard_key_Pause", 0x45), Plain(0x2D, 0x49, "keyboard_key_Insert", 0x52, true),
    Plain(0x24, 0x4A, "keyboard_key_Home", 0x47, true), Plain(0x21, 0x4B, "keyboard_key_Page Up", 0x49, true),
    Plain(0x2E, 0x4C, "keyboard_key_Delete", 0x53, true), Plain(0x23, 0x4D, "keyboard_key_End", 0x4F, true),
    Plain(0x22, 0x4E, "keyboard_key_Page Down", 0x51, true), Plain(0x27, 0x4F, "keyboard_key_Right", 0x4D, true),
    Plain(0x25, 0x50, "keyboard_key_Left", 0x4B, true), Plain(0x28, 0x51, "keyboard_key_Down", 0x50, true),
    Plain(0x26, 0x52, "keyboard_key_Up", 0x48, true), Plain(0x90, 0x53, "keyboard_key_Num Lock", 0x45, true),
    Plain(0x6F, 0x54, "keyboard_key_Num /", 0x35, true), Plain(0x6A, 0x55, "keyboard_key_Num *", 0x37),
    Plain(0x6D, 0x56, "keyboard_key_Num -", 0x4A), Plain(0x6B, 0x57, "keyboard_key_Num +", 0x4E),
    Plain(0x101, 0x58, "keyboard_key_Num Enter", 0x1C, true),
    Plain(0x61, 0x59, "keyboard_key_Num 1", 0x4F), Plain(0x62, 0x5A, "keyboard_key_Num 2", 0x50),
    Plain(0x63, 0x5B, "keyboard_key_Num 3", 0x51), Plain(0x64, 0x5C, "keyboard_key_Num 4", 0x4B),
    Plain(0x65, 0x5D, "keyboard_key_Num 5", 0x4C), Plain(0x66, 0x5E, "keyboard_key_Num 6", 0x4D),
    Plain(0x67, 0x5F, "keyboard_key_Num 7", 0x47), Plain(0x68, 0x60, "keyboard_key_Num 8", 0x48),
    Plain(0x69, 0x61, "keyboard_key_Num 9", 0x49), Plain(0x60, 0x62, "keyboard_key_Num 0", 0x52),
    Plain(0x6E, 0x63, "keyboard_key_Decimal", 0x53), Plain(0x5D, 0x65, "keyboard_key_App", 0x5D, true),
    Plain(0xE2, 0x64, "keyboard_key_K45", 0x56), Plain(0xC1, 0x87, "keyboard_key_K56", 0x73),
    Plain(0xFF, 0x89, "keyboard_key_K14", 0x7D), Plain(0xC2, 0x85, "keyboard_key_K107", 0x7E),
    Plain(0xEB, 0x8B, "keyboard_key_K131", 0x7B), Plain(0xFF, 0x8A, "keyboard_key_K132", 0x79),
    Plain(0xFF, 0x88, "keyboard_key_K133", 0x70), Plain(0xE9, 0x91, "keyboard_key_K150", 0x71),
    Plain(0xFF, 0x90, "keyboard_key_K151", 0x72), Plain(0xBF, 0x32, "keyboard_key_K42", 0),
    Media(0xB7, 0x0192, "keyboard_key_Launch App2"), Media(0xAC, 0x0223, "keyboard_key_Browaer Home"),
    Media(0xB3, 0x00CD, "keyboard_key_Media Play Pause"), Media(0xAA, 0x0221, "keyboard_key_Browser Search"),
    Media(0xB4, 0x018A, "keyboard_key_Launch Mail"), Media(0xAF, 0x00E9, "keyboard_key_Volume Up"),
    Media(0xAD, 0x00E2, "keyboard_key_Volume Mute"), Media(0xB2, 0x00B7, "keyboard_key_Media Stop"),
    Media(0xAE, 0x00EA, "keyboard_key_Volume Down"), Media(0xAB, 0x022A, "keyboard_key_Browser Favorites"),
    Media(0xA7, 0x0225, "keyboard_key_Browser ForWard"), Media(0xA6, 0x0224, "keyboard_key_Browser Back"),
    Media(0xB1, 0x00B6, "keyboard_key_Media Prev Track"), Media(0xB0, 0x00B5, "keyboard_key_Media Next Track"),
    Media(0xB6, 0x0194, "keyboard_key_Computer"), Media(0xA8, 0x0227, "keyboard_key_Browser Refresh"),
    Media(0xA9, 0x0226, "wed_stop"), Media(0xB5, 0x0183, "keyboard_key_Launch Media Select"),
    Other(0x103, kSystem, 0x01, 0, "keyboard_key_Power"), Other(0x104, kSystem, 0x02, 0, "keyboard_key_Sleep"),
    Other(0x105, kSystem, 0x04, 0, "keyboard_key_Wakeup"),
    Other(0, kMacroKey, 0xA2, 1, "keyboard_key_M1"), Other(0, kMacroKey, 0xA2, 2, "keyboard_key_M2"),
    Other(0, kMacroKey, 0xA2, 3, "keyboard_key_M3"), Other(0, kMacroKey, 0xA2, 4, "keyboard_key_M4"),
    Other(0, kMacroKey, 0xA2, 5, "keyboard_key_M5"),
    Other(0, kLayerKey, 0x01, 0, "keyboard_key_FN"), Other(0, kLayerKey, 0x1B, 0, "keyboard_key_GM"),
}};

constexpr std::array<MouseEventRow, 14> kMouseEvents = {{
    {0x0201, 0x01, 0x81, "mouse_key_left"},    {0x0202, 0x01, 0x01, "mouse_key_left"},
    {0x0204, 0x02, 0x81, "mouse_key_right"},   {0x0205, 0x02, 0x01, "mouse_key_right"},
    {0x0207, 0x04, 0x81, "mouse_key_middle"},  {0x0208, 0x04, 0x01, "mouse_key_middle"},
    {0x020B, 0x10, 0x81, "mouse_key_forward"}, {0x020C, 0x10, 0x01, "mouse_key_forward"},
    {0x020B, 0x08, 0x81, "mouse_key_back"},    {0x020C, 0x08, 0x01, "mouse_key_back"},
    {0, 0, 0x84, "mouse_move_to_left_text"},   {0, 0, 0x04, "mouse_move_to_right_text"},
    {0, 0, 0x85, "mouse_move_to_up_text"},     {0, 0, 0x05, "mouse_move_to_down_text"},
}};

constexpr std::array<NamedKeyFunction, 5> kMouseButtons = {{
    {{0x10, 0x01, 0}, "mouse_key_left"},
    {{0x10, 0x04, 0}, "mouse_key_middle"},
    {{0x10, 0x02, 0}, "mouse_key_right"},
    {{0x10, 0x10, 0}, "mouse_key_forward"},
    {{0x10, 0x08, 0}, "mouse_key_back"},
}};

constexpr std::array<NamedKeyFunction, 3> kDpiActions = {{
    {{0x13, 1, 0}, "mouse_key_DPI_add"},
    {{0x13, 2, 0}, "mouse_key_DPI_sub"},
    {{0x13, 3, 0}, "mouse_key_DPI_loop"},
}};

constexpr NamedKeyFunction MediaRow(uint16_t usage, const char* label)
{
    return {{kMedia, static_cast<uint8_t>(usage & 0xFF), static_cast<uint8_t>(usage >> 8)}, label};
}

constexpr std::array<NamedKeyFunction, 18> kMediaKeys = {{
    MediaRow(0x0183, "keyboard_key_Launch Media Select"), MediaRow(0x00CD, "keyboard_key_Media Play Pause"),
    MediaRow(0x00B7, "keyboard_key_Media Stop"),         MediaRow(0x00B6, "keyboard_key_Media Prev Track"),
    MediaRow(0x00B5, "keyboard_key_Media Next Track"),   MediaRow(0x00EA, "keyboard_key_Volume Down"),
    MediaRow(0x00E9, "keyboard_key_Volume Up"),          MediaRow(0x00E2, "keyboard_key_Volume Mute"),
    MediaRow(0x0223, "keyboard_key_Browaer Home"),       MediaRow(0x0227, "keyboard_key_Browser Refresh"),
    MediaRow(0x0226, "wed_stop"),                        MediaRow(0x0224, "keyboard_key_Browser Back"),
    MediaRow(0x0225, "keyboard_key_Browser ForWard"),    MediaRow(0x022A, "keyboard_key_Browser Favorites"),
    MediaRow(0x0221, "keyboard_key_Browser Search"),     MediaRow(0x0194, "keyboard_key_Computer"),
    MediaRow(0x0192, "keyboard_key_Launch App2"),        MediaRow(0x018A, "keyboard_key_Launch Mail"),
}};

constexpr std::array<NamedKeyFunction, 3> kSystemKeys = {{
    {{kSystem, 0x01, 0}, "keyboard_key_Power"},
    {{kSystem, 0x02, 0}, "keyboard_key_Sleep"},
    {{kSystem, 0x04, 0}, "keyboard_key_Wakeup"},
}};

// Right Ctrl (0x10 in the HID modifier byte) with a letter or sign: the editing shortcuts.
constexpr std::array<NamedKeyFunction, 11> kShortcutKeys = {{
    {{kKey, 0x10, 0x12}, "shortcut_open"},  {{kKey, 0x10, 0x11}, "shortcut_new"},
    {{kKey, 0x10, 0x1D}, "shortcut_undo"},  {{kKey, 0x10, 0x16}, "shortcut_save"},
    {{kKey, 0x10, 0x06}, "shortcut_copy"},  {{kKey, 0x10, 0x1B}, "shortcut_cut"},
    {{kKey, 0x10, 0x19}, "shortcut_paste"}, {{kKey, 0x10, 0x09}, "shortcut_find"},
    {{kKey, 0x10, 0x04}, "shortcut_select_all"}, {{kKey, 0x10, 0x2D}, "shortcut_zoom_out"},
    {{kKey, 0x10, 0x2E}, "shortcut_zoom_in"},
}};

} // namespace

std::span<const NamedKeyFunction> KeyCodeTable::MouseButtons() { return kMouseButtons; }
std::span<const NamedKeyFunction> KeyCodeTable::DpiActions() { return kDpiActions; }
std::span<const NamedKeyFunction> KeyCodeTable::MediaKeys() { return kMediaKeys; }
std::span<const NamedKeyFunction> KeyCodeTable::SystemKeys() { return kSystemKeys; }
std::span<const NamedKeyFunction> KeyCodeTable::ShortcutKeys() { return kShortcutKeys; }

int KeyCodeTable::FindIn(std::span<const NamedKeyFunction> table, const KeyFunction& function)
{
    for (size_t i = 0; i < table.size(); ++i) {
        if (table[i].function == function)
            return static_cast<int>(i);
    }
    return -1;
}

const char* KeyCodeTable::NameOf(const KeyFunction& function)
{
    for (auto table : {MouseButtons(), DpiActions(), MediaKeys(), SystemKeys(), ShortcutKeys()}) {
        if (int row = FindIn(table, function); row >= 0)
            return table[static_cast<size_t>(row)].labelKey;
    }
    for (const KeyCodeRow& row : kKeyRows) {
        if (row.function == function)
            return row.labelKey;
    }
    return nullptr;
}

std::span<const KeyCodeRow> KeyCodeTable::Rows()
{
    return kKeyRows;
}

std::span<const MouseEventRow> KeyCodeTable::MouseEvents()
{
    return kMouseEvents;
}

int KeyCodeTable::FindCaptured(uint32_t scanCode, bool extended)
{
    for (int i = 0; i < kCaptureRows; ++i) {
        const KeyCodeRow& row = kKeyRows[static_cast<size_t>(i)];
        if (row.scanCode != 0 && row.scanCode == scanCode && row.extended == extended)
            return i;
    }
    return -1;
}

const char* KeyCodeTable::ModifierLabel(uint8_t bit)
{
    for (int i = 0; i < kModifierRows; ++i) {
        if (kKeyRows[static_cast<size_t>(i)].function.high == bit)
            return kKeyRows[static_cast<size_t>(i)].labelKey;
    }
    return nullptr;
}

int KeyCodeTable::FindPlainKey(uint8_t usage)
{
    for (int i = kModifierRows; i < static_cast<int>(kKeyRows.size()); ++i) {
        const KeyFunction& f = kKeyRows[static_cast<size_t>(i)].function;
        if (f.type == kKeyboardType && f.high == 0 && f.low == usage)
            return i;
    }
    return -1;
}

const char* KeyCodeTable::KeyLabel(uint8_t usage)
{
    int row = FindPlainKey(usage);
    return row < 0 ? nullptr : kKeyRows[static_cast<size_t>(row)].labelKey;
}
