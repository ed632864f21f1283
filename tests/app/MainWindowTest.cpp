#include "AppFixture.h"

#include "app/CMpDevicePowerUI.h"
#include "platform/MessageBus.h"
#include "platform/SingleInstance.h"

#include <cstdlib>
#include <filesystem>
#include <thread>

namespace {

using MainWindow = AppTest;

TEST_F(MainWindow, StartsHiddenWithTheMouseAndKeyboardPagesBuilt)
{
    Open();
    EXPECT_FALSE(window->IsVisible());
    ASSERT_EQ(window->Devices().TileCount(), 2);
    EXPECT_FALSE(window->Devices().TileAt(0)->IsPresent());
    EXPECT_FALSE(window->Devices().TileAt(1)->IsPresent());
    EXPECT_STREQ(Mouse()->GetClass(), "OrlithMouseDevice");
}

TEST_F(MainWindow, ADamagedAudioLightingFileIsKeptAsideAndReplacedByTheDefault)
{
    std::filesystem::create_directories(dir / "data/QV742-CORE");
    testsupport::WriteFileBytes(dir / "data/QV742-CORE/AudioFile.json", "{ broken");
    Open();
    int copies = 0;
    for (const auto& item : std::filesystem::directory_iterator(dir / "data/QV742-CORE")) {
        if (item.path().filename().string().rfind("AudioFile.json.damaged-", 0) == 0) {
            EXPECT_EQ(testsupport::ReadFileBytes(item.path().string()), "{ broken");
            ++copies;
        }
    }
    EXPECT_EQ(copies, 1);
    std::string fresh = testsupport::ReadFileBytes(dir / "data/QV742-CORE/AudioFile.json");
    EXPECT_NE(fresh.find("\"Device\""), std::string::npos);
}

TEST_F(MainWindow, PluggingTheWiredMouseShowsAndSelectsItsTileAndStartsTheFullRead)
{
    Open();
    sim->Plug("mouse");
    ScanOnce();
    EXPECT_TRUE(MouseTile()->IsPresent());
    EXPECT_TRUE(MouseTile()->IsDeviceSelected());
    EXPECT_EQ(window->SelectedDevice(), Mouse());
    EXPECT_FALSE(Visible("No_device_Link"));
    EXPECT_TRUE(window->IsVisible()) << "brought to the front";
    EXPECT_TRUE(Mouse()->IsConnected());
    EXPECT_FALSE(Mouse()->Channel().IsReceiverMode());
    EXPECT_TRUE(Mouse()->IsNotificationOpen(false));
    EXPECT_TRUE(TimerArmed(MouseTile(), kTimerConnect));
    host.Advance(500);
    EXPECT_FALSE(TimerArmed(MouseTile(), kTimerConnect));
    EXPECT_TRUE(TimerArmed(MouseTile(), kTimerPreview)) << "1001 starts the preview 1000";
}

TEST_F(MainWindow, ReceiverTakesOverWhenTheCableLeavesWithoutHidingTheTile)
{
    Open();
    sim->Plug("mouse");
    ScanOnce();
    sim->Plug("receiver");
    ScanOnce();
    EXPECT_FALSE(Mouse()->Channel().IsReceiverMode()) << "the cable keeps the channel";
    EXPECT_TRUE(MouseTile()->IsPresent());

    sim->Unplug("mouse");
    ScanOnce();
    EXPECT_TRUE(Mouse()->IsConnected());
    EXPECT_TRUE(Mouse()->Channel().IsReceiverMode());
    EXPECT_TRUE(MouseTile()->IsPresent());
    EXPECT_FALSE(Visible("No_device_Link"));
}

TEST_F(MainWindow, AReceiverWithoutItsMouseRetriesEveryFiveSecondsUntilLinked)
{
    Open();
    sim->Unlink();
    sim->Plug("receiver");
    ScanOnce();
    EXPECT_TRUE(Mouse()->IsConnected());
    EXPECT_FALSE(MouseTile()->IsPresent());
    host.Advance(500);
    EXPECT_FALSE(MouseTile()->IsPresent());
    EXPECT_EQ(MouseTile()->RetryCount(), 1);
    host.Advance(5000);
    EXPECT_EQ(MouseTile()->RetryCount(), 2);

    sim->Link();
    host.Advance(5000);
    EXPECT_TRUE(MouseTile()->IsPresent()) << "shown within 5 s of the link";
    EXPECT_EQ(MouseTile()->RetryCount(), 0);
}

TEST_F(MainWindow, UnpluggingTheOnlyDeviceShowsTheEmptyStateAndResetsThePages)
{
    Open();
    sim->Plug("mouse");
    ScanOnce();
    sim->Unplug("mouse");
    ScanOnce();
    EXPECT_FALSE(MouseTile()->IsPresent());
    EXPECT_FALSE(Mouse()->IsConnected());
    EXPECT_TRUE(Visible("No_device_Link"));
    EXPECT_EQ(TabIndex("device_switch"), 0);
    EXPECT_EQ(TabIndex("device_power_switch"), 0);
}

TEST_F(MainWindow, PreviousAndNextStopAtTheEnds)
{
    Open();
    sim->Plug("mouse");
    ScanOnce();
    sim->Plug("pad");
    ScanOnce();
    ASSERT_EQ(window->Devices().TileCount(), 3);
    CDeviceOptionUI* pad = window->Devices().TileAt(2);
    ASSERT_TRUE(pad->IsPresent());
    EXPECT_EQ(window->SelectedDevice(), Mouse()) << "the second device does not steal the selection";

    window->Devices().SelectPrevious();
    EXPECT_EQ(window->SelectedDevice(), Mouse());
    window->Devices().SelectNext();
    EXPECT_EQ(window->SelectedDevice(), pad->Device());
    window->Devices().SelectNext();
    EXPECT_EQ(window->SelectedDevice(), pad->Device());
    window->Devices().SelectPrevious();
    EXPECT_EQ(window->SelectedDevice(), Mouse());
}

TEST_F(MainWindow, UninitialisedDeviceShowsTheErrorStateAndLeavesTheEmptyStateAlone)
{
    Open();
    bool emptyBefore = Visible("No_device_Link");
    window->SendMessage(kMsgDeviceInitialised, 0, 0);
    EXPECT_TRUE(Visible("Error_device_Link"));
    EXPECT_EQ(Visible("No_device_Link"), emptyBefore);
    window->SendMessage(kMsgDeviceInitialised, 1, 0);
    EXPECT_FALSE(Visible("Error_device_Link"));
}

TEST_F(MainWindow, NoticeFromTheMouseArmsTheReReadOnTheUiThread)
{
    Open();
    sim->Plug("mouse");
    ScanOnce();
    host.Advance(600);
    sim->Mouse().SendNotice(0x0401);
    ASSERT_TRUE(host.RunUntil([&] { return TimerArmed(MouseTile(), kTimerReload); }));
    host.Advance(50);
    EXPECT_FALSE(TimerArmed(MouseTile(), kTimerReload)) << "1002 ran once";
}

TEST_F(MainWindow, SelectingAConnectedMouseRestartsPowerPollingAndEndsItsSuspension)
{
    Open();
    sim->Plug("mouse");
    ScanOnce();
    EXPECT_TRUE(TimerArmed(MouseTile(), kTimerPower));
    Mouse()->Channel().SetSuspended(true); // as while the firmware updater had the device
    window->Devices().ShowTile(0, true, true);
    EXPECT_FALSE(Mouse()->Channel().IsSuspended());
    sim->Mouse().Firmware().ClearRequests();
    host.Advance(50);
    ASSERT_FALSE(sim->Mouse().Firmware().Requests().empty());
    EXPECT_EQ(sim->Mouse().Firmware().Requests().back()[3], 0x1A) << "the power status was read from the device";
}

TEST_F(MainWindow, PowerTileShowsTheLevelCappedAtOneHundred)
{
    Open();
    sim->Plug("mouse");
    ScanOnce();
    CControlUI* value = window->GetPaintManager().FindControl("device_power_value");
    ASSERT_NE(value, nullptr);
    const uint8_t report[] = {150, 0, 0, 1};
    static_cast<CMpDevicePowerUI*>(Mouse()->PowerTile())->ShowStatus(report, sizeof report);
    EXPECT_EQ(std::string(value->GetText()), "100%");
}

TEST_F(MainWindow, TrayClickHidesAndShowsTheWindowAndSuspendIgnoresIt)
{
    Open();
    sim->Plug("mouse");
    ScanOnce();
    ASSERT_TRUE(window->IsVisible());
    host.ClickTray(WM_LBUTTONUP);
    host.RunPending();
    EXPECT_FALSE(window->IsVisible());
    host.ClickTray(WM_LBUTTONUP);
    host.RunPending();
    EXPECT_TRUE(window->IsVisible());

    window->SendMessage(WM_POWERBROADCAST, 4, 0);
    host.ClickTray(WM_LBUTTONUP);
    host.RunPending();
    EXPECT_TRUE(window->IsVisible()) << "asleep: the tray does nothing";
    window->SendMessage(WM_POWERBROADCAST, 0x12, 0);
    host.ClickTray(WM_LBUTTONUP);
    host.RunPending();
    EXPECT_FALSE(window->IsVisible());
}

TEST_F(MainWindow, ShutdownEndsWhileTheScanThreadWaitsInSendMessage)
{
    Open(true);
    sim->Plug("mouse");
    // Nobody pumps the UI queue: the scan thread's arrival waits in SendMessage.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    window->DestroyWindow();
    EXPECT_TRUE(window->ScanThread().Stop(0)) << "the scan thread has ended";
}

TEST(SecondInstance, WakesTheRunningProgramAndEndsWithZero)
{
    testsupport::TempFolder dir;
    testsupport::ScopedEnv runtime("XDG_RUNTIME_DIR", dir.Path());
    platform::SingleInstance running("QV742-CORE");
    ASSERT_TRUE(running.Acquire());
    platform::MessageBus bus;
    ASSERT_TRUE(bus.Listen("QV742-CORE"));

    std::string command = std::string(QV742_TEST_BINARY_DIR) + "/qv742-core";
    EXPECT_EQ(std::system(command.c_str()), 0);
    auto frame = bus.Receive();
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->message, "QV742-CORE");
    EXPECT_EQ(frame->wParam, 0u);
    EXPECT_EQ(frame->lParam, 1);
}

} // namespace
