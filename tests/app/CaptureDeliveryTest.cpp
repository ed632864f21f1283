// What the input hook captures reaches a window as the capture messages of its mode, on the UI
// thread, with the records as lParam; a left click on the recording's stop button does not.
// The hook runs against a private Xvfb driven by XTest; the main window is the headless one,
// whose screen rectangle the clicks aim at.

#include "AppFixture.h"

#include "app/HookMessageSink.h"
#include "support/XvfbServer.h"
#include "toolkit/ButtonUI.h"
#include "toolkit/ContainerUI.h"
#include "toolkit/WindowWnd.h"
#include "toolkit/headless/SyntheticInput.h"
#include "panels/CMacroControlUI.h"

// After gtest and the toolkit: Xlib's macros (None, Bool) clash with them.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

struct Delivered {
    UINT message;
    WPARAM wParam;
    platform::KeyHookRecord key;
    platform::MouseHookRecord mouse;
};

// A window that writes down the capture messages it is sent.
class RecorderWindow : public CWindowWnd {
public:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg >= 0xC000) {
            Delivered entry{msg, wParam, {}, {}};
            if (msg == RegisterWindowMessage("WM_HOOK_KEY_MSMACRO_MSG"))
                entry.mouse = *reinterpret_cast<const platform::MouseHookRecord*>(lParam);
            else
                entry.key = *reinterpret_cast<const platform::KeyHookRecord*>(lParam);
            delivered.push_back(entry);
            return 0;
        }
        return CWindowWnd::HandleMessage(msg, wParam, lParam);
    }
    const char* GetWindowClassName() const override { return "Recorder"; }

    std::vector<Delivered> delivered;
};

class CaptureDelivery : public AppTest {
protected:
    CaptureDelivery()
    {
        if (!xvfb.Running())
            return;
        Open();
        sim->Plug("mouse");
        ScanOnce();
        recorder.Create(nullptr, "recorder", 0, 0, 0, 0, 10, 10);
        input = XOpenDisplay(nullptr);
    }
    ~CaptureDelivery() override
    {
        hook.Stop();
        if (input)
            XCloseDisplay(input);
        if (recorder.GetHWND())
            recorder.DestroyWindow();
    }

    // The page's stop button shown (the shipped one, or one put where the macro panel is).
    CControlUI* ShowStopButton()
    {
        CControlUI* stop = window->GetPaintManager().FindSubControlByName(Mouse(), "macro_btn_stopredio");
        if (!stop) {
            auto* macros = static_cast<CContainerUI*>(Find("device_function_switch")->GetInterface("Container"));
            auto* page = static_cast<CContainerUI*>(macros->GetItemAt(1)->GetInterface("Container"));
            auto* button = new CButtonUI;
            button->SetName("macro_btn_stopredio");
            button->SetFixedHeight(40);
            page->Add(button);
            stop = button;
        }
        synthetic::Click(Find("macro_Op_tab"));
        stop->SetVisible(true);
        host.RunPending();
        return stop;
    }
    // Waits until count messages were handed to the recorder (or a second passed).
    void WaitFor(size_t count)
    {
        for (int i = 0; i < 100 && recorder.delivered.size() < count; ++i) {
            std::this_thread::sleep_for(10ms);
            host.RunPending();
        }
        std::this_thread::sleep_for(50ms);
        host.RunPending();
    }
    void Click(int button, POINT at)
    {
        XTestFakeMotionEvent(input, 0, at.x, at.y, CurrentTime);
        XTestFakeButtonEvent(input, button, True, CurrentTime);
        XTestFakeButtonEvent(input, button, False, CurrentTime);
        XSync(input, False);
    }

    testsupport::XvfbServer xvfb{"1920x1200x24"};
    RecorderWindow recorder;
    Display* input = nullptr;
    platform::CDeviceHook hook;
};

TEST_F(CaptureDelivery, StopButtonTakesNoLeftClickButRightClicksAndKeysArrive)
{
    if (!xvfb.Running())
        GTEST_SKIP() << "Xvfb could not be started";
    CControlUI* stop = ShowStopButton();
    const RECT frame = window->GetWindowRect();
    const RECT pos = stop->GetPos();
    ASSERT_GT(pos.right, pos.left);
    const POINT onStop{frame.left + (pos.left + pos.right) / 2, frame.top + (pos.top + pos.bottom) / 2};
    const POINT beside{frame.left + pos.left - 30, onStop.y};

    HookMessageSink sink(recorder.GetHWND(), [this](POINT p) { return window->IsOnStopButton(p); });
    ASSERT_EQ(hook.Start(platform::CaptureMode::Append, sink, true, true), 1);
    Click(1, onStop);
    Click(3, onStop);
    Click(1, beside);
    XTestFakeKeyEvent(input, 38, True, CurrentTime); // A
    XSync(input, False);
    WaitFor(5);

    const UINT mouseMessage = RegisterWindowMessage("WM_HOOK_KEY_MSMACRO_MSG");
    ASSERT_EQ(recorder.delivered.size(), 5u);
    const WPARAM expected[] = {0x0204, 0x0205, 0x0201, 0x0202};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(recorder.delivered[i].message, mouseMessage);
        EXPECT_EQ(recorder.delivered[i].wParam, expected[i]);
    }
    EXPECT_EQ(recorder.delivered[0].mouse.x, onStop.x);
    EXPECT_EQ(recorder.delivered[0].mouse.y, onStop.y);
    EXPECT_EQ(recorder.delivered[2].mouse.x, beside.x);
    EXPECT_EQ(recorder.delivered[4].message, RegisterWindowMessage("WM_HOOK_KEY_KBMACRO_MSG"));
    EXPECT_EQ(recorder.delivered[4].wParam, 0x0100u);
    EXPECT_EQ(recorder.delivered[4].key.scanCode, 0x1Eu);
    hook.Stop(); // before the sink goes
    XTestFakeKeyEvent(input, 38, False, CurrentTime);
    XSync(input, False);
}

TEST_F(CaptureDelivery, SingleKeyCaptureFollowsTheKeyPanelsMessage)
{
    if (!xvfb.Running())
        GTEST_SKIP() << "Xvfb could not be started";
    ::SendMessage(window->GetHWND(), CMainWnd::kMsgSingleKeyCapture, 1, 0);
    EXPECT_TRUE(window->Hook().IsRunning());
    EXPECT_EQ(window->Hook().Mode(), platform::CaptureMode::SingleKey);
    ::SendMessage(window->GetHWND(), CMainWnd::kMsgSingleKeyCapture, 0, 0);
    EXPECT_FALSE(window->Hook().IsRunning());
}

TEST_F(CaptureDelivery, RecordingRunsTheHookUntilItIsStopped)
{
    if (!xvfb.Running())
        GTEST_SKIP() << "Xvfb could not be started";
    window->MacroPanel().StartRecording(TimingMode::RecordDelay, CaptureMode::InsertAfter, *Mouse());
    EXPECT_TRUE(window->Hook().IsRunning());
    EXPECT_EQ(window->Hook().Mode(), platform::CaptureMode::InsertAfter);
    EXPECT_FALSE(Find("device_select_layout")->IsEnabled());
    window->MacroPanel().StopRecording(*Mouse());
    EXPECT_FALSE(window->Hook().IsRunning());
    EXPECT_TRUE(Find("device_select_layout")->IsEnabled());
}

} // namespace
