#pragma once

#include "macro/MacroEvent.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The container in which macros (command 0x15) and recoil patterns (command 0x17) go to the
// mouse:
//   header (16 bytes) | n offsets (u16 each, from the container start to the entry) |
//   n entries: event count (u16), 2 reserved bytes, then the events of 4 bytes each.
// Its length is 16 + 6n + 4 x (all events).
class UploadContainer {
public:
    using Entry = std::vector<MacroEvent>;

#pragma pack(push, 1)
    struct Header {
        uint8_t markLow = 0xAA;    // 0: 0xAA
        uint8_t markHigh = 0x55;   // 1: 0x55
        uint16_t totalLength = 0;  // 2-3: length of the whole container
        uint16_t entryCount = 0;   // 4-5: n
        uint8_t reserved[10] {};   // 6-15: zero
    };
    struct EntryHeader {
        uint16_t eventCount = 0;   // 0-1: c
        uint8_t reserved[2] {};    // 2-3: zero
    };
    struct Event {
        uint16_t delay = 0;        // 0-1: milliseconds after the step
        uint8_t typeAndAction = 0; // 2: event type in bits 0-6, bit 7 set for "down"
        uint8_t button = 0;        // 3: the event's "Button"
    };
#pragma pack(pop)
    static_assert(sizeof(Header) == 16);
    static_assert(sizeof(EntryHeader) == 4);
    static_assert(sizeof(Event) == 4);

    static constexpr size_t kMaxLength = 0xFFFF;

    // 16 + 6n + 4 x (all events), whatever its size.
    static size_t TotalLength(const std::vector<Entry>& entries);
    // The container bytes; empty when its length would not fit its 16-bit field.
    static std::vector<uint8_t> Build(const std::vector<Entry>& entries);
};
