#include "hid/DeviceMatchTable.h"

#include <gtest/gtest.h>

namespace {

DeviceMatchEntry FromPath(uint16_t vendor, uint16_t product, uint16_t interfaceNumber, uint16_t collection)
{
    DeviceMatchEntry entry;
    entry.vendorId = vendor;
    entry.productId = product;
    entry.interfaceNumber = interfaceNumber;
    entry.collectionNumber = collection;
    entry.path = "sim:1#vid_320f&pid_22a4&mi_01&col02";
    return entry;
}

TEST(DeviceMatchTable, HasElevenRowsWithSymmetricPartners)
{
    const auto& table = DeviceMatchTable();
    ASSERT_EQ(table.size(), 11u);
    for (size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(table[i].present, 0);
        EXPECT_TRUE(table[i].path.empty());
        if (table[i].hasPartner) {
            EXPECT_EQ(table[table[i].partnerIndex].partnerIndex, i) << "row " << i;
        }
    }
    EXPECT_EQ(table[10].vendorId, 0x0C76);
    EXPECT_EQ(table[10].interfaceNumber, 3);
    EXPECT_EQ(table[10].usagePage, 0x000C);
    EXPECT_EQ(table[6].kind, 6);
    EXPECT_EQ(table[7].role, kNotificationInterface);
}

TEST(DeviceMatchTable, WiredMouseCommandInterfaceClaimsSlotFour)
{
    DeviceSlotList slots;
    DeviceMatchEntry entry = FromPath(0x320F, 0x22A4, 1, 2);
    ASSERT_TRUE(slots.MatchByPath(entry));
    entry.usagePage = 0xFF1C;
    entry.usage = 0x92;
    int slot = -1;
    ASSERT_TRUE(slots.MatchAndClaim(entry, slot));
    EXPECT_EQ(slot, 4);
    EXPECT_EQ(entry.kind, 2);
    EXPECT_EQ(entry.role, kCommandInterface);
    EXPECT_EQ(slots.Slot(4).present, 1);
    EXPECT_EQ(slots.Slot(4).path, entry.path);

    // Slot 4 taken: the same path no longer matches and would not be probed.
    EXPECT_FALSE(slots.MatchByPath(entry));
    slots.Release(4);
    EXPECT_TRUE(slots.Slot(4).IsFree());
    EXPECT_TRUE(slots.MatchByPath(entry));
}

TEST(DeviceMatchTable, ServedProductWithAnotherUsagePageClaimsNothing)
{
    DeviceSlotList slots;
    DeviceMatchEntry entry = FromPath(0x320F, 0x22A4, 1, 2);
    entry.usagePage = 0xFF1D;
    entry.usage = 0x92;
    int slot = -1;
    EXPECT_TRUE(slots.MatchByPath(entry));
    EXPECT_FALSE(slots.MatchAndClaim(entry, slot));
    EXPECT_EQ(slot, -1);
    for (int i = 0; i < slots.Count(); ++i)
        EXPECT_EQ(slots.Slot(i).present, 0);
}

TEST(DeviceMatchTable, UnknownInterfacesDoNotMatch)
{
    DeviceSlotList slots;
    EXPECT_FALSE(slots.MatchByPath(FromPath(0x320F, 0x22A4, 1, 3)));
    EXPECT_FALSE(slots.MatchByPath(FromPath(0x320F, 0x9999, 1, 2)));
    EXPECT_FALSE(slots.MatchByPath(FromPath(0x046D, 0x22A4, 1, 2)));
}

TEST(DeviceMatchTable, AllSlotsPresentOnlyWhenEveryRowIsClaimed)
{
    DeviceSlotList slots;
    EXPECT_FALSE(slots.AllSlotsPresent());
    for (int i = 0; i < slots.Count(); ++i) {
        DeviceMatchEntry entry = slots.Row(i);
        entry.path = "sim:" + std::to_string(i);
        int slot = -1;
        // Rows 0/2 and 1/3 share their address and usage: the first free one is taken.
        ASSERT_TRUE(slots.MatchAndClaim(entry, slot)) << i;
    }
    EXPECT_TRUE(slots.AllSlotsPresent());
}

TEST(DeviceMatchTable, FindsRowsAndComparesSlots)
{
    DeviceSlotList slots;
    EXPECT_EQ(slots.FindRow(0x320F, 0x226F, 6, kCommandInterface), 6);
    EXPECT_EQ(slots.FindRow(0x320F, 0x1004, 3, kNotificationInterface), 9);
    EXPECT_EQ(slots.FindRow(0x320F, 0x1004, 2, kCommandInterface), -1);

    DeviceMatchEntry live = slots.Row(4);
    live.present = 1;
    live.path = "somewhere";
    EXPECT_TRUE(SameInterface(live, slots.Row(4)));
    live.role = kNotificationInterface;
    EXPECT_FALSE(SameInterface(live, slots.Row(4)));
}

} // namespace
