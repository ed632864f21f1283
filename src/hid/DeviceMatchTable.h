#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What a HID interface is to the program: which product, which of its interfaces, and its role.
enum InterfaceRole : uint16_t { kCommandInterface = 0x00, kNotificationInterface = 0xFF };

struct DeviceMatchEntry {
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t interfaceNumber = 0;  // the number after "&mi_"
    uint16_t collectionNumber = 0; // the number after "&col"
    uint16_t kind = 0;             // DeviceKind of the product this interface belongs to
    uint16_t role = 0;             // InterfaceRole
    uint16_t present = 0;          // 1 in a slot that holds a live interface
    uint16_t usagePage = 0;        // top-level usage page of the collection
    uint16_t usage = 0;            // top-level usage
    uint16_t hasPartner = 0;       // 1 when the product is also reachable through partnerIndex
    uint16_t partnerIndex = 0;
    std::string path; // the live interface path in a slot

    bool IsFree() const { return present == 0 && path.empty(); }
};

// Slot equality: the same product, interface, collection, kind, role and usage.
bool SameInterface(const DeviceMatchEntry& a, const DeviceMatchEntry& b);

// The 11 interfaces the program serves, in their fixed order (rows 0-3 keyboard and keyboard
// receiver, 4-7 mouse and mouse receiver, 8-9 mouse pad, 10 headset).
const std::vector<DeviceMatchEntry>& DeviceMatchTable();

// One slot per table row: the live copy the device scan fills and frees.
using DeviceSlot = DeviceMatchEntry;

class DeviceSlotList {
public:
    explicit DeviceSlotList(std::vector<DeviceMatchEntry> table = DeviceMatchTable());

    // True when some row and some free slot have the entry's vendor, product, collection and interface.
    bool MatchByPath(const DeviceMatchEntry& entry) const;
    // Finds the first row with the entry's vendor, product, collection, interface, usage page and
    // usage, copies its kind and role into the entry, and claims the first free slot with the same
    // six values (present, path). False when no row or no free slot fits.
    bool MatchAndClaim(DeviceMatchEntry& entry, int& slotIndex);
    // True when no slot is free.
    bool AllSlotsPresent() const;
    // The row with these values, or -1.
    int FindRow(uint16_t vendorId, uint16_t productId, uint16_t kind, uint16_t role) const;
    // Marks a slot free again.
    void Release(int slotIndex);

    int Count() const { return static_cast<int>(m_slots.size()); }
    const DeviceMatchEntry& Row(int index) const { return m_table[index]; }
    const DeviceSlot& Slot(int index) const { return m_slots[index]; }

private:
    std::vector<DeviceMatchEntry> m_table;
    std::vector<DeviceSlot> m_slots;
};
