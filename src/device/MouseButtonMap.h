#pragma once

#include "profile/ProfileRecords.h"

#include <array>
#include <cstdint>
#include <vector>

// One physical button of the mouse: the function code it has from the factory, by which its slot
// is found in the key block, and the language key of its name.
struct MouseButton {
    KeyFunction factoryCode;
    const char* nameKey;
};

// Where each of the mouse's 11 buttons sits in the key block (K slots of 3 bytes, in the
// device's own order): the first slot that holds the button's factory code, or kNoSlot.
// Button j takes its function from entry j of the profile's key list.
class MouseButtonMap {
public:
    static constexpr int kButtonCount = 11;
    static constexpr uint8_t kNoSlot = 170;
    static constexpr uint8_t kMacroRepeatMode = 0x70;  // 'p': macro number, repeat mode
    static constexpr uint8_t kMacroRepeatCount = 0x71; // 'q': macro number, repeat count

    static const std::array<MouseButton, kButtonCount>& Buttons();

    MouseButtonMap() { m_slots.fill(kNoSlot); }
    // Finds every button's slot in a key block of 3-byte slots.
    void Rebuild(const std::vector<uint8_t>& keyBlock);
    // The button's slot, kNoSlot when the block has none.
    uint8_t SlotOf(int button) const;

    // The macro numbers below macroCount that buttons with a slot use, each once, in the order
    // of first use: the order in which the macros are uploaded.
    std::vector<int> UsedMacros(const std::vector<KeyAssignment>& keys, int macroCount) const;
    // The key block with every slotted button's function in its slot. A macro function carries
    // the macro's position in UsedMacros instead of its number; one that names no macro below
    // macroCount falls back to the button's default function.
    std::vector<uint8_t> WriteAssignments(std::vector<uint8_t> keyBlock, const std::vector<KeyAssignment>& keys,
                                          int macroCount) const;

private:
    static bool IsMacro(const KeyFunction& function);
    // The current functions of the buttons that have a slot and a key list entry, by button.
    std::vector<std::pair<int, KeyFunction>> SlottedFunctions(const std::vector<KeyAssignment>& keys) const;

    std::array<uint8_t, kButtonCount> m_slots;
};
