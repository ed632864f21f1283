#include "device/MouseButtonMap.h"

#include <algorithm>

const std::array<MouseButton, MouseButtonMap::kButtonCount>& MouseButtonMap::Buttons()
{
    static const std::array<MouseButton, kButtonCount> buttons = {{
        {{0x10, 0x01, 0x00}, "mouse_key_left"},
        {{0x10, 0x02, 0x00}, "mouse_key_right"},
        {{0x10, 0x04, 0x00}, "mouse_key_middle"},
        {{0x10, 0x10, 0x00}, "mouse_key_forward"},
        {{0x10, 0x08, 0x00}, "mouse_key_back"},
        {{0x13, 0x01, 0x00}, "mouse_key_DPI_add"},
        {{0x13, 0x02, 0x00}, "mouse_key_DPI_sub"},
        {{0x13, 0x03, 0x00}, "mouse_key_DPI_loop"},
        {{0xA0, 0x1B, 0x00}, "keyboard_key_GM"},
        {{0x16, 0x90, 0x01}, "mouse_key_M8_key"},
        {{0x14, 0x78, 0x02}, "mouse_key_fire_key"},
    }};
    return buttons;
}

void MouseButtonMap::Rebuild(const std::vector<uint8_t>& keyBlock)
{
    const size_t slots = std::min<size_t>(keyBlock.size() / 3, kNoSlot);
    for (int j = 0; j < kButtonCount; ++j) {
        const KeyFunction& code = Buttons()[j].factoryCode;
        m_slots[j] = kNoSlot;
        for (size_t k = 0; k < slots; ++k) {
            const uint8_t* slot = &keyBlock[3 * k];
            if (slot[0] == code.type && slot[1] == code.high && slot[2] == code.low) {
                m_slots[j] = static_cast<uint8_t>(k);
                break;
            }
        }
    }
}

uint8_t MouseButtonMap::SlotOf(int button) const
{
    return button >= 0 && button < kButtonCount ? m_slots[button] : kNoSlot;
}

bool MouseButtonMap::IsMacro(const KeyFunction& function)
{
    return function.type == kMacroRepeatMode || function.type == kMacroRepeatCount;
}

std::vector<std::pair<int, KeyFunction>> MouseButtonMap::SlottedFunctions(const std::vector<KeyAssignment>& keys) const
{
    std::vector<std::pair<int, KeyFunction>> functions;
    for (int j = 0; j < kButtonCount && j < static_cast<int>(keys.size()); ++j) {
        if (m_slots[j] != kNoSlot)
            functions.emplace_back(j, keys[j].current.function);
    }
    return functions;
}

std::vector<int> MouseButtonMap::UsedMacros(const std::vector<KeyAssignment>& keys, int macroCount) const
{
    std::vector<int> used;
    for (const auto& [button, function] : SlottedFunctions(keys)) {
        const int macro = function.high;
        if (IsMacro(function) && macro < macroCount && std::find(used.begin(), used.end(), macro) == used.end())
            used.push_back(macro);
    }
    return used;
}

std::vector<uint8_t> MouseButtonMap::WriteAssignments(std::vector<uint8_t> keyBlock,
                                                      const std::vector<KeyAssignment>& keys, int macroCount) const
{
    const std::vector<int> order = UsedMacros(keys, macroCount);
    for (auto [button, function] : SlottedFunctions(keys)) {
        if (IsMacro(function)) {
            const auto compact = std::find(order.begin(), order.end(), function.high);
            if (compact == order.end())
                function = keys[button].defaults.function;
            else
                function.high = static_cast<uint8_t>(compact - order.begin());
        }
        const size_t at = 3 * static_cast<size_t>(m_slots[button]);
        if (at + 3 > keyBlock.size())
            continue;
        keyBlock[at] = function.type;
        keyBlock[at + 1] = function.high;
        keyBlock[at + 2] = function.low;
    }
    return keyBlock;
}
