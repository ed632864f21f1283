// The input hook against a real X server (a private Xvfb), driven by XTest with keycodes.

#include "platform/CDeviceHook.h"
#include "support/XvfbServer.h"

#include <gtest/gtest.h>

// After gtest: Xlib's macros (None, Bool) clash with its templates.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

using namespace platform;
using namespace std::chrono_literals;

namespace {

// X keycodes: the Linux key code + 8.
constexpr int kKeyA = 38, kKeyB = 56, kCapsLock = 66;

class CollectingSink : public IHookSink {
public:
    void OnHookEvent(CaptureMode mode, const HookEvent& event) override
    {
        std::lock_guard guard(m_lock);
        m_modes.push_back(mode);
        m_events.push_back(event);
        m_changed.notify_all();
    }
    // The events once count have arrived (or what came within a second).
    std::vector<HookEvent> WaitFor(size_t count)
    {
        std::unique_lock lock(m_lock);
        m_changed.wait_for(lock, 1s, [&] { return m_events.size() >= count; });
        return m_events;
    }
    std::vector<CaptureMode> Modes()
    {
        std::lock_guard guard(m_lock);
        return m_modes;
    }

private:
    std::mutex m_lock;
    std::condition_variable m_changed;
    std::vector<HookEvent> m_events;
    std::vector<CaptureMode> m_modes;
};

// Another program on the desktop: a window that has the keyboard focus and counts what it gets.
class PeerWindow {
public:
    PeerWindow()
    {
        m_display = XOpenDisplay(nullptr);
        m_window = XCreateSimpleWindow(m_display, DefaultRootWindow(m_display), 100, 100, 300, 200, 0, 0, 0);
        XSelectInput(m_display, m_window, KeyPressMask | KeyReleaseMask | ButtonPressMask | StructureNotifyMask);
        XMapWindow(m_display, m_window);
        for (XEvent event;;) {
            XNextEvent(m_display, &event);
            if (event.type == MapNotify)
                break;
        }
        XSetInputFocus(m_display, m_window, RevertToParent, CurrentTime);
        XSync(m_display, False);
    }
    ~PeerWindow() { XCloseDisplay(m_display); }

    // Key presses and button presses received so far.
    std::pair<int, int> Received()
    {
        XSync(m_display, False);
        while (XPending(m_display) > 0) {
            XEvent event;
            XNextEvent(m_display, &event);
            if (event.type == KeyPress)
                ++m_keys;
            else if (event.type == ButtonPress)
                ++m_buttons;
        }
        return {m_keys, m_buttons};
    }

private:
    Display* m_display = nullptr;
    Window m_window = 0;
    int m_keys = 0;
    int m_buttons = 0;
};

class X11InputCaptureTest : public testing::Test {
protected:
    void SetUp() override
    {
        if (!m_server.Running())
            GTEST_SKIP() << "Xvfb could not be started";
        m_input = XOpenDisplay(nullptr);
        ASSERT_NE(m_input, nullptr);
    }
    void TearDown() override
    {
        m_hook.Stop();
        if (m_input)
            XCloseDisplay(m_input);
    }

    void Key(int keycode, bool down, std::chrono::milliseconds after = 0ms)
    {
        XTestFakeKeyEvent(m_input, keycode, down, CurrentTime);
        XSync(m_input, False);
        std::this_thread::sleep_for(after);
    }
    void Click(int button, int x, int y)
    {
        XTestFakeMotionEvent(m_input, 0, x, y, CurrentTime);
        XTestFakeButtonEvent(m_input, button, True, CurrentTime);
        XTestFakeButtonEvent(m_input, button, False, CurrentTime);
        XSync(m_input, False);
    }
    bool CapsLocked()
    {
        XkbStateRec state;
        XkbGetState(m_input, XkbUseCoreKbd, &state);
        return state.locked_mods & LockMask;
    }

    testsupport::XvfbServer m_server;
    Display* m_input = nullptr;
    CollectingSink m_sink;
    CDeviceHook m_hook;
};

TEST_F(X11InputCaptureTest, KeysArriveInOrderWithScanCodesAndTimes)
{
    ASSERT_EQ(m_hook.Start(CaptureMode::Append, m_sink, true, true), 1);
    Key(kKeyA, true, 40ms);
    Key(kKeyB, true, 40ms);
    Key(kKeyA, false);
    std::vector<HookEvent> events = m_sink.WaitFor(3);
    ASSERT_EQ(events.size(), 3u);
    const uint32_t scans[] = {0x1E, 0x30, 0x1E};
    const uint32_t messages[] = {kKeyDownMessage, kKeyDownMessage, kKeyUpMessage};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(events[i].kind, HookEvent::Kind::Key);
        EXPECT_EQ(events[i].key.scanCode, scans[i]);
        EXPECT_EQ(events[i].message, messages[i]);
    }
    EXPECT_GE(events[1].key.time - events[0].key.time, 35u);
    EXPECT_LT(events[1].key.time - events[0].key.time, 200u);
    EXPECT_GE(events[2].key.time - events[1].key.time, 35u);
    EXPECT_EQ(m_sink.Modes()[0], CaptureMode::Append);
    Key(kKeyB, false);
}

TEST_F(X11InputCaptureTest, HeldKeyRepeatsForOthersButIsOnePress)
{
    // The server repeats a held key quickly here; a peer without a capture sees the repeats.
    XkbSetAutoRepeatRate(m_input, XkbUseCoreKbd, 100, 20);
    PeerWindow peer;
    Key(kKeyA, true, 300ms);
    Key(kKeyA, false, 50ms);
    ASSERT_GT(peer.Received().first, 3);

    ASSERT_EQ(m_hook.Start(CaptureMode::Append, m_sink, true, false), 1);
    Key(kKeyA, true, 300ms);
    Key(kKeyA, false);
    std::vector<HookEvent> events = m_sink.WaitFor(2);
    std::this_thread::sleep_for(100ms);
    events = m_sink.WaitFor(2);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].message, kKeyDownMessage);
    EXPECT_EQ(events[1].message, kKeyUpMessage);
}

TEST_F(X11InputCaptureTest, OtherProgramsGetNoKeysButClicksAndCapsLockStillToggles)
{
    PeerWindow peer;
    const bool capsBefore = CapsLocked();
    ASSERT_EQ(m_hook.Start(CaptureMode::Append, m_sink, true, true), 1);
    Key(kKeyA, true);
    Key(kKeyA, false);
    Key(kCapsLock, true);
    Key(kCapsLock, false);
    Click(3, 150, 160);
    std::vector<HookEvent> events = m_sink.WaitFor(6);
    ASSERT_EQ(events.size(), 6u);
    EXPECT_EQ(events[2].key.virtualKey, 0x14u);
    EXPECT_NE(CapsLocked(), capsBefore);
    EXPECT_EQ(events[4].message, kRightDownMessage);
    EXPECT_EQ(events[4].mouse.x, 150);
    EXPECT_EQ(events[4].mouse.y, 160);
    EXPECT_EQ(events[5].message, kRightUpMessage);
    std::pair<int, int> received = peer.Received();
    EXPECT_EQ(received.first, 0);
    EXPECT_EQ(received.second, 1);

    EXPECT_EQ(m_hook.Stop(), 1);
    Key(kKeyB, true);
    Key(kKeyB, false);
    EXPECT_EQ(peer.Received().first, 1); // keys reach it again
    EXPECT_EQ(m_sink.WaitFor(7).size(), 6u);
}

TEST_F(X11InputCaptureTest, KeyboardHeldByAnotherProgramFailsTheStart)
{
    Display* other = XOpenDisplay(nullptr);
    ASSERT_EQ(XGrabKeyboard(other, DefaultRootWindow(other), False, GrabModeAsync, GrabModeAsync, CurrentTime),
              GrabSuccess);
    XSync(other, False);
    EXPECT_EQ(m_hook.Start(CaptureMode::SingleKey, m_sink, true, true), 0);
    EXPECT_FALSE(m_hook.IsRunning());
    EXPECT_EQ(m_hook.Stop(), 0);
    XCloseDisplay(other);
    EXPECT_EQ(m_hook.Start(CaptureMode::SingleKey, m_sink, true, false), 1);
}

TEST_F(X11InputCaptureTest, KeyboardReleasedShortlyAfterTheStartIsStillHad)
{
    // A popup menu whose item starts the capture lets the keyboard go a moment later.
    Display* popup = XOpenDisplay(nullptr);
    ASSERT_EQ(XGrabKeyboard(popup, DefaultRootWindow(popup), False, GrabModeAsync, GrabModeAsync, CurrentTime),
              GrabSuccess);
    XSync(popup, False);
    std::thread release([popup] {
        std::this_thread::sleep_for(60ms);
        XUngrabKeyboard(popup, CurrentTime);
        XSync(popup, False);
    });
    EXPECT_EQ(m_hook.Start(CaptureMode::InsertBefore, m_sink, true, true), 1);
    release.join();
    XCloseDisplay(popup);
}

TEST_F(X11InputCaptureTest, ButtonsOnlyWhenTheLibraryPartIsAsked)
{
    ASSERT_EQ(m_hook.Start(CaptureMode::SingleKey, m_sink, true, false), 1);
    Click(1, 10, 10);
    Key(kKeyB, true);
    Key(kKeyB, false);
    std::vector<HookEvent> events = m_sink.WaitFor(2);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].kind, HookEvent::Kind::Key);
    EXPECT_EQ(m_sink.Modes()[0], CaptureMode::SingleKey);
}

} // namespace
