#include "hid/DeviceScanPass.h"
#include "sim/SimulatedDevices.h"

#include <gtest/gtest.h>

#include <thread>

#include <vector>

namespace {

class DeviceScanPassTest : public testing::Test {
protected:
    std::vector<int> Pass(DeviceSlotList& list)
    {
        arrived.clear();
        removed.clear();
        DeviceScanPass pass(list, devices.Bus());
        const auto result = pass.Run([this](int slot) { arrived.push_back(slot); },
                                     [this](int slot) { removed.push_back(slot); });
        EXPECT_FALSE(result.enumerationFailed);
        return arrived;
    }

    SimulatedDevices devices;
    DeviceSlotList slots;
    std::vector<int> arrived;
    std::vector<int> removed;
};

TEST_F(DeviceScanPassTest, ClaimsTheSlotsOfEveryServedInterfaceOnce)
{
    devices.PlugList("mouse,receiver,pad,headset");
    EXPECT_EQ(Pass(slots), (std::vector<int>{4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(slots.Slot(4).kind, 2);
    EXPECT_EQ(slots.Slot(6).kind, 6);
    EXPECT_EQ(slots.Slot(4).path, devices.Mouse().Wired().CommandPath());
    EXPECT_EQ(slots.Slot(10).path, devices.Headset().CommandPath());
    EXPECT_TRUE(Pass(slots).empty()) << "a claimed interface is not offered again";
    EXPECT_TRUE(removed.empty());
}

TEST_F(DeviceScanPassTest, FreesTheSlotsOfAnUnpluggedProductAndClaimsThemAgain)
{
    devices.PlugList("mouse,receiver");
    Pass(slots);
    devices.Unplug("mouse");
    EXPECT_TRUE(Pass(slots).empty());
    EXPECT_EQ(removed, (std::vector<int>{4, 5}));
    EXPECT_TRUE(slots.Slot(4).IsFree());
    EXPECT_EQ(slots.Slot(6).present, 1);

    devices.Plug("mouse");
    EXPECT_EQ(Pass(slots), (std::vector<int>{4, 5}));
}

TEST_F(DeviceScanPassTest, KeyboardIsServedOnlyByATableThatNamesItsProduct)
{
    devices.Plug("keyboard");
    EXPECT_TRUE(Pass(slots).empty());

    std::vector<DeviceMatchEntry> table = DeviceMatchTable();
    for (int row = 0; row < 4; ++row)
        table[row].productId = SimulatedDevices::kKeyboardProductId;
    DeviceSlotList keyboardSlots(table);
    EXPECT_EQ(Pass(keyboardSlots), (std::vector<int>{0, 1}));
    EXPECT_EQ(keyboardSlots.Slot(0).kind, 1);
}

TEST_F(DeviceScanPassTest, BackendChangeNotificationFollowsPlugAndUnplug)
{
    auto bus = devices.Bus();
    bus->WaitForChange(0);
    EXPECT_FALSE(bus->WaitForChange(0));
    devices.Plug("pad");
    EXPECT_TRUE(bus->WaitForChange(0));
    EXPECT_FALSE(bus->WaitForChange(0));
    devices.Unplug("pad");
    EXPECT_TRUE(bus->WaitForChange(0));
}

TEST_F(DeviceScanPassTest, AnEndlessWaitForChangeEndsWhenInterrupted)
{
    auto bus = devices.Bus();
    bus->WaitForChange(0);
    std::thread stopper([bus] { bus->InterruptWait(); });
    EXPECT_FALSE(bus->WaitForChange(-1)) << "woken without a change";
    stopper.join();
}

} // namespace
