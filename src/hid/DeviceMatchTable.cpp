#include "hid/DeviceMatchTable.h"

namespace {

bool SameAddress(const DeviceMatchEntry& a, const DeviceMatchEntry& b)
{
    return a.vendorId == b.vendorId && a.productId == b.productId && a.collectionNumber == b.collectionNumber &&
           a.interfaceNumber == b.interfaceNumber;
}

bool SameAddressAndUsage(const DeviceMatchEntry& a, const DeviceMatchEntry& b)
{
    return SameAddress(a, b) && a.usagePage == b.usagePage && a.usage == b.usage;
}

DeviceMatchEntry Row(uint16_t vendorId, uint16_t productId, uint16_t interfaceNumber, uint16_t collectionNumber,
                     uint16_t kind, uint16_t role, uint16_t usagePage, uint16_t usage, uint16_t hasPartner,
                     uint16_t partnerIndex)
{
    return DeviceMatchEntry{vendorId, productId, interfaceNumber, collectionNumber, kind, role, 0,
                            usagePage, usage, hasPartner, partnerIndex, {}};
}

} // namespace

bool SameInterface(const DeviceMatchEntry& a, const DeviceMatchEntry& b)
{
    return SameAddressAndUsage(a, b) && a.kind == b.kind && a.role == b.role;
}

const std::vector<DeviceMatchEntry>& DeviceMatchTable()
{
    // The keyboard rows carry product id 0, which no device reports: no keyboard is served yet.
    static const std::vector<DeviceMatchEntry> table = {
        Row(0x320F, 0x0000, 1, 4, 1, kCommandInterface, 0xFF1C, 0x92, 1, 2),
        Row(0x320F, 0x0000, 0, 3, 1, kNotificationInterface, 0x000C, 0x01, 1, 3),
        Row(0x320F, 0x0000, 1, 4, 9, kCommandInterface, 0xFF1C, 0x92, 1, 0),
        Row(0x320F, 0x0000, 0, 3, 9, kNotificationInterface, 0x000C, 0x01, 1, 1),
        Row(0x320F, 0x22A4, 1, 2, 2, kCommandInterface, 0xFF1C, 0x92, 1, 6),
        Row(0x320F, 0x22A4, 0, 3, 2, kNotificationInterface, 0x000C, 0x01, 1, 7),
        Row(0x320F, 0x226F, 1, 2, 6, kCommandInterface, 0xFF1C, 0x92, 1, 4),
        Row(0x320F, 0x226F, 0, 3, 6, kNotificationInterface, 0x000C, 0x01, 1, 5),
        Row(0x320F, 0x1004, 1, 4, 3, kCommandInterface, 0xFF1C, 0x92, 0, 0),
        Row(0x320F, 0x1004, 0, 3, 3, kNotificationInterface, 0x000C, 0x01, 0, 0),
        Row(0x0C76, 0x1630, 3, 0, 7, kCommandInterface, 0x000C, 0x01, 0, 0),
    };
    return table;
}

DeviceSlotList::DeviceSlotList(std::vector<DeviceMatchEntry> table) : m_table(std::move(table)), m_slots(m_table) {}

bool DeviceSlotList::MatchByPath(const DeviceMatchEntry& entry) const
{
    bool rowFits = false;
    for (const DeviceMatchEntry& row : m_table)
        rowFits = rowFits || SameAddress(row, entry);
    if (!rowFits)
        return false;
    for (const DeviceSlot& slot : m_slots) {
        if (slot.IsFree() && SameAddress(slot, entry))
            return true;
    }
    return false;
}

bool DeviceSlotList::MatchAndClaim(DeviceMatchEntry& entry, int& slotIndex)
{
    const DeviceMatchEntry* row = nullptr;
    for (const DeviceMatchEntry& candidate : m_table) {
        if (SameAddressAndUsage(candidate, entry)) {
            row = &candidate;
            break;
        }
    }
    if (!row)
        return false;
    entry.kind = row->kind;
    entry.role = row->role;
    for (int i = 0; i < Count(); ++i) {
        DeviceSlot& slot = m_slots[i];
        if (slot.IsFree() && SameAddressAndUsage(slot, entry)) {
            slot.present = 1;
            slot.path = entry.path;
            slotIndex = i;
            return true;
        }
    }
    return false;
}

bool DeviceSlotList::AllSlotsPresent() const
{
    for (const DeviceSlot& slot : m_slots) {
        if (slot.IsFree())
            return false;
    }
    return true;
}

int DeviceSlotList::FindRow(uint16_t vendorId, uint16_t productId, uint16_t kind, uint16_t role) const
{
    for (int i = 0; i < Count(); ++i) {
        const DeviceMatchEntry& row = m_table[i];
        if (row.vendorId == vendorId && row.productId == productId && row.kind == kind && row.role == role)
            return i;
    }
    return -1;
}

void DeviceSlotList::Release(int slotIndex)
{
    if (slotIndex < 0 || slotIndex >= Count())
        return;
    m_slots[slotIndex].present = 0;
    m_slots[slotIndex].path.clear();
}
