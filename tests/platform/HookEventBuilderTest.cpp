#include "platform/FocusedWindowCapture.h"
#include "platform/HookEventBuilder.h"
#include "platform/KeyScanCodes.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

using namespace platform;

namespace {

struct KeyRow {
    const char* key;
    int linuxCode;
    uint32_t scanCode;
    bool extended;
};

// Linux key codes to the set-1 identity the macro key table lists.
const KeyRow kKeyRows[] = {
    {"A", 30, 0x1E, false},
    {"left Shift", 42, 0x2A, false},
    {"right Shift (listed with the E0 flag)", 54, 0x36, true},
    {"right Ctrl", 97, 0x1D, true},
    {"left Win", 125, 0x5B, true},
    {"Num Lock", 69, 0x45, true},
    {"Pause", 119, 0x45, false},
    {"Enter", 28, 0x1C, false},
    {"keypad Enter", 96, 0x1C, true},
    {"keypad /", 98, 0x35, true},
    {"Print Screen", 99, 0x37, true},
    {"keypad *", 55, 0x37, false},
    {"Menu", 127, 0x5D, true},
    {"F11", 87, 0x57, false},
    {"ISO key left of Z", 86, 0x56, false},
    {"Hangul", 122, 0x72, false},
};

TEST(KeyScanCodes, LinuxCodesGiveTheTableIdentity)
{
    for (const KeyRow& row : kKeyRows) {
        SCOPED_TRACE(row.key);
        std::optional<KeyScanCode> code = KeyScanCodes::FromLinuxCode(row.linuxCode);
        ASSERT_TRUE(code);
        EXPECT_EQ(code->scanCode, row.scanCode);
        EXPECT_EQ(code->extended, row.extended);
    }
    EXPECT_FALSE(KeyScanCodes::FromLinuxCode(113)); // mute: no macro key
    EXPECT_FALSE(KeyScanCodes::FromLinuxCode(-1));
}

TEST(KeyScanCodes, EveryKeyHasItsOwnIdentity)
{
    std::set<int> linuxCodes;
    std::set<std::pair<int, bool>> identities;
    for (const KeyScanCode& row : KeyScanCodes::Rows()) {
        EXPECT_TRUE(linuxCodes.insert(row.linuxCode).second) << row.linuxCode;
        EXPECT_TRUE(identities.insert({row.scanCode, row.extended}).second) << row.linuxCode;
    }
    EXPECT_EQ(identities.size(), 113u);
}

TEST(HookEventBuilder, HeldKeyIsOnePressAndReleaseFollows)
{
    HookEventBuilder builder;
    std::optional<HookEvent> press = builder.Key(30, true, 100);
    ASSERT_TRUE(press);
    EXPECT_EQ(press->message, kKeyDownMessage);
    EXPECT_EQ(press->key.scanCode, 0x1Eu);
    EXPECT_EQ(press->key.flags, 0u);
    EXPECT_EQ(press->key.time, 100u);
    EXPECT_FALSE(builder.Key(30, true, 140)); // auto-repeat
    EXPECT_FALSE(builder.Key(30, true, 180));
    std::optional<HookEvent> release = builder.Key(30, false, 200);
    ASSERT_TRUE(release);
    EXPECT_EQ(release->message, kKeyUpMessage);
    EXPECT_EQ(release->key.flags, kKeyFlagUp);
    EXPECT_TRUE(builder.Key(30, true, 300)); // pressed again
}

TEST(HookEventBuilder, AltMakesSystemKeyMessages)
{
    HookEventBuilder builder;
    EXPECT_EQ(builder.Key(56, true, 0)->message, kSysKeyDownMessage);
    std::optional<HookEvent> tab = builder.Key(15, true, 1);
    EXPECT_EQ(tab->message, kSysKeyDownMessage);
    EXPECT_EQ(tab->key.flags, kKeyFlagAltDown);
    EXPECT_EQ(builder.Key(15, false, 2)->message, kSysKeyUpMessage);
    EXPECT_EQ(builder.Key(56, false, 3)->message, kSysKeyUpMessage);
    EXPECT_EQ(builder.Key(15, true, 4)->message, kKeyDownMessage);
}

TEST(HookEventBuilder, UnknownKeysAreNotReportedButStillTracked)
{
    HookEventBuilder builder;
    EXPECT_FALSE(builder.Key(113, true, 0));
    EXPECT_FALSE(builder.Key(400, true, 0));
    EXPECT_EQ(builder.Key(54, true, 0)->key.flags, kKeyFlagExtended); // right Shift is recorded
}

TEST(HookEventBuilder, ButtonsBecomeMouseMessages)
{
    struct Row {
        int button;
        bool down;
        uint32_t message;
        uint32_t xButton;
    };
    const Row rows[] = {
        {1, true, kLeftDownMessage, 0},  {1, false, kLeftUpMessage, 0},   {2, true, kMiddleDownMessage, 0},
        {3, false, kRightUpMessage, 0},  {8, true, kXDownMessage, kXButtonBack}, {9, false, kXUpMessage, kXButtonForward},
    };
    HookEventBuilder builder;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.button);
        std::optional<HookEvent> event = builder.Button(row.button, row.down, 640, 480, 7);
        ASSERT_TRUE(event);
        EXPECT_EQ(event->kind, HookEvent::Kind::Mouse);
        EXPECT_EQ(event->message, row.message);
        EXPECT_EQ(event->mouse.buttonData >> 16, row.xButton);
        EXPECT_EQ(event->mouse.x, 640);
        EXPECT_EQ(event->mouse.y, 480);
    }
    for (int wheel : {4, 5, 6, 7})
        EXPECT_FALSE(builder.Button(wheel, true, 0, 0, 0));
}

TEST(HookRecords, EveryMacroModeHasKeyAndMouseMessages)
{
    EXPECT_STREQ(KeyMessageName(CaptureMode::SingleKey), "WM_HOOK_KEY_SINGLEKEY_MSG");
    EXPECT_EQ(MouseMessageName(CaptureMode::SingleKey), nullptr);
    EXPECT_STREQ(KeyMessageName(CaptureMode::InsertBefore), "WM_HOOK_KEY_KBMACROPREVIOUS_MSG");
    EXPECT_STREQ(MouseMessageName(CaptureMode::InsertAfter), "WM_HOOK_KEY_MSMACROLATER_MSG");
    EXPECT_STREQ(MouseMessageName(CaptureMode::ReplaceKey), "WM_HOOK_KEY_MSMACROSINGLE_MSG");
    EXPECT_EQ(KeyMessageName(static_cast<CaptureMode>(64)), nullptr);
}

} // namespace

namespace {

class ListSink : public platform::IHookSink {
public:
    void OnHookEvent(platform::CaptureMode, const platform::HookEvent& event) override { events.push_back(event); }
    std::vector<platform::HookEvent> events;
};

// Without an X server only keys typed into the program's window are captured: the host feeds
// them, a running capture takes them (the window must not act on them), and nothing else does.
TEST(FocusedWindowCapture, TakesTheWindowsKeysOnlyWhileItRuns)
{
    ListSink sink;
    platform::FocusedWindowCapture capture;
    EXPECT_FALSE(platform::FocusedWindowCapture::FeedKey(30, true, 1));
    ASSERT_TRUE(capture.Start(platform::CaptureMode::InsertAfter, sink, true, true));
    EXPECT_TRUE(platform::FocusedWindowCapture::FeedKey(54, true, 2));
    EXPECT_TRUE(platform::FocusedWindowCapture::FeedKey(54, true, 3)); // repeat: taken, not reported
    EXPECT_TRUE(platform::FocusedWindowCapture::FeedKey(54, false, 4));
    capture.Stop();
    EXPECT_FALSE(platform::FocusedWindowCapture::FeedKey(54, true, 5));
    ASSERT_EQ(sink.events.size(), 2u);
    EXPECT_EQ(sink.events[0].key.scanCode, 0x36u);
    EXPECT_EQ(sink.events[1].message, platform::kKeyUpMessage);
}

} // namespace
