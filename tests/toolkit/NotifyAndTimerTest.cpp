#include "ToolkitFixture.h"

#include "toolkit/ContainerUI.h"
#include "toolkit/MessageQueue.h"

namespace {

using NotifyTest = ToolkitTest;
using TimerTest = ToolkitTest;

using Notes = std::vector<std::string>;

TEST_F(NotifyTest, ArriveInTheOrderRaised)
{
    auto window = OpenWindow(R"(<Window><VerticalLayout name="root">
        <Option name="a" group="g" selected="true" height="30"/>
        <Option name="b" group="g" height="30"/>
        <Edit name="e" height="30"/>
        <Button name="btn" height="30"/>
    </VerticalLayout></Window>)");
    EXPECT_EQ(window->TakeNotes(), Notes{"windowinit:root"}) << "once, at the first layout";

    synthetic::Click(window->Find("b"));
    EXPECT_EQ(window->TakeNotes(), (Notes{"setfocus:b", "click:b", "selectchanged:a", "selectchanged:b"}));

    synthetic::Click(window->Find("e"));
    synthetic::Type(window.get(), "7");
    synthetic::Click(window->Find("btn"));
    EXPECT_EQ(window->TakeNotes(),
              (Notes{"killfocus:b", "setfocus:e", "textchanged:e", "killfocus:e", "setfocus:btn", "click:btn"}));

    window->SetWindowPos(0, 0, 500, 300);
    host.RunPending();
    EXPECT_EQ(window->TakeNotes(), Notes{"windowsize:root"});
    window->DestroyWindow();
}

TEST_F(NotifyTest, AsyncNotificationWaitsForTheQueueAndParametersArrive)
{
    auto window = OpenWindow(R"(<Window><Button name="root"/></Window>)");
    window->TakeNotes();
    WPARAM seenW = 0;
    LPARAM seenL = 0;
    window->onNotify = [&](TNotifyUI& msg) {
        seenW = msg.wParam;
        seenL = msg.lParam;
    };
    CPaintManagerUI& pm = window->GetPaintManager();
    pm.SendNotify(window->Find("root"), "later", 1, 2, true);
    pm.SendNotify(window->Find("root"), "now", 3, 4);
    EXPECT_EQ(window->TakeNotes(), Notes{"now:root"});
    host.RunPending();
    EXPECT_EQ(window->TakeNotes(), Notes{"later:root"});
    EXPECT_EQ(seenW, 1u);
    EXPECT_EQ(seenL, 2);
    window->DestroyWindow();
}

TEST_F(TimerTest, ControlTimersRepeatUntilKilledAndFireOnTheVirtualClock)
{
    auto window = OpenWindow(R"(<Window><Control name="root"/></Window>)");
    window->TakeNotes();
    CPaintManagerUI& pm = window->GetPaintManager();
    CControlUI* root = window->Find("root");
    std::vector<WPARAM> ids;
    window->onNotify = [&](TNotifyUI& msg) {
        if (msg.sType == "timer")
            ids.push_back(msg.wParam);
    };
    pm.SetTimer(root, 7, 100);
    pm.SetTimer(root, 9, 5000);
    host.Advance(350);
    EXPECT_EQ(ids, (std::vector<WPARAM>{7, 7, 7}));
    host.Advance(4649);
    EXPECT_EQ(std::count(ids.begin(), ids.end(), 9), 0) << "not before its 5000 ms";
    host.Advance(1);
    EXPECT_EQ(std::count(ids.begin(), ids.end(), 9), 1);
    pm.KillTimer(root, 7);
    pm.KillTimer(root, 9);
    ids.clear();
    host.Advance(60000);
    EXPECT_TRUE(ids.empty());
    window->DestroyWindow();
}

TEST_F(TimerTest, AHandlerThatKillsAndReArmsItsTimerRunsAsOneShot)
{
    auto window = OpenWindow(R"(<Window><Control name="root"/></Window>)");
    CPaintManagerUI& pm = window->GetPaintManager();
    CControlUI* root = window->Find("root");
    std::vector<uint64_t> firedAt;
    window->onNotify = [&](TNotifyUI& msg) {
        if (msg.sType != "timer")
            return;
        pm.KillTimer(root, 1);
        firedAt.push_back(host.NowMs());
        if (firedAt.size() < 3)
            pm.SetTimer(root, 1, 50);
    };
    uint64_t start = host.NowMs();
    pm.SetTimer(root, 1, 100);
    host.Advance(1000);
    EXPECT_EQ(firedAt, (std::vector<uint64_t>{start + 100, start + 150, start + 200}));
    window->DestroyWindow();
}

TEST_F(TimerTest, WindowTimersDeliverWmTimerAndDieWithTheControlOrWindow)
{
    auto window = OpenWindow(R"(<Window><VerticalLayout name="root"><Control name="child"/></VerticalLayout></Window>)");
    std::vector<WPARAM> ticks;
    window->onMessage = [&](UINT msg, WPARAM w, LPARAM, BOOL&) -> LRESULT {
        if (msg == WM_TIMER) {
            window->KillTimer(UINT(w));
            ticks.push_back(w);
        }
        return 0;
    };
    window->SetTimer(1011, 100);
    host.Advance(1000);
    EXPECT_EQ(ticks, std::vector<WPARAM>{1011});

    window->recordTimers = true;
    window->TakeNotes();
    CControlUI* child = window->Find("child");
    window->GetPaintManager().SetTimer(child, 2, 10);
    static_cast<CContainerUI*>(window->Find("root"))->Remove(child);
    host.Advance(100);
    EXPECT_EQ(window->TakeNotes(), Notes{}) << "a removed control's timers are gone";

    window->SetTimer(5, 10);
    window->DestroyWindow();
    EXPECT_FALSE(CMessageQueue::Instance().NextTimerDue().has_value());
}

} // namespace
