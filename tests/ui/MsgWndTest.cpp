#include "ui/MsgWnd.h"

#include "toolkit/ToolkitFixture.h"

#include <cstdlib>

namespace {

// The debug output is read once per process; these tests look at it, so it is on for the
// whole test program.
[[maybe_unused]] const int kDebugOutputOn = setenv("QV742_DEBUG", "1", 0);

constexpr UINT kTestTimer = 77;

// The shipped message box skin over a plain owner window. While a box is open, the owner's
// timer hands it to the test's action.
class MsgWndTest : public ToolkitTest {
protected:
    MsgWndTest()
    {
        CPaintManagerUI::SetResourcePath(QV742_TEST_SOURCE_DIR "/data/skin");
        EXPECT_TRUE(CResourceManager::GetInstance().LoadResource("res.xml"));
        testsupport::WriteFileBytes(skin / "owner.xml", R"(<Window><Control/></Window>)");
        owner = std::make_unique<RecordingWindow>(skin / "owner.xml");
        owner->Create(nullptr, "owner", WS_POPUP, 0, 0, 0, 800, 600);
        owner->ShowWindow(true);
        owner->onMessage = [this](UINT msg, WPARAM, LPARAM, BOOL& handled) -> LRESULT {
            if (msg != WM_TIMER)
                return 0;
            owner->KillTimer(kTestTimer);
            if (CMsgWnd* box = OpenBox())
                whileOpen(*box);
            handled = TRUE;
            return 0;
        };
        host.RunPending();
    }
    ~MsgWndTest() override { owner->DestroyWindow(); }

    static CMsgWnd* OpenBox()
    {
        for (CPaintManagerUI* manager : CPaintManagerUI::GetPaintManagers())
            if (manager->GetName() == "MsgWnd")
                return static_cast<CMsgWnd*>(manager->GetWindow());
        return nullptr;
    }

    // Shows a box and runs action on it once it is laid out; the box's result.
    int Show(const std::string& text, bool isKey, int buttons, int dpi, std::function<void(CMsgWnd&)> action,
             const std::string& title = "")
    {
        whileOpen = std::move(action);
        owner->SetTimer(kTestTimer, 10);
        return ShowMessage(owner->GetHWND(), title, text, dpi, isKey, buttons);
    }

    static CControlUI* Find(CMsgWnd& box, const char* name) { return box.GetPaintManager().FindControl(name); }

    std::unique_ptr<RecordingWindow> owner;
    std::function<void(CMsgWnd&)> whileOpen;
};

TEST_F(MsgWndTest, ResultIsOneOnlyForConfirmAndEachBoxDeletesItself)
{
    struct Case {
        int buttons;
        const char* clicked;
        int result;
        bool cancelShown;
    };
    for (Case c : {Case{kMessageNotice, "confirm_btn", 1, false}, Case{kMessageNotice, "closebtn", 0, false},
                   Case{kMessageQuestion, "cancel_btn", 0, true}, Case{kMessageQuestion, "confirm_btn", 1, true}}) {
        bool confirmShown = false;
        bool cancelShown = !c.cancelShown;
        int result = Show("message_text_22", true, c.buttons, 96, [&](CMsgWnd& box) {
            confirmShown = Find(box, "confirm_btn")->IsVisible();
            cancelShown = Find(box, "cancel_btn")->IsVisible();
            synthetic::Click(Find(box, c.clicked));
        });
        EXPECT_EQ(result, c.result) << c.clicked << " with buttons " << c.buttons;
        EXPECT_TRUE(confirmShown);
        EXPECT_EQ(cancelShown, c.cancelShown) << c.buttons;
        EXPECT_EQ(host.OpenWindowCount(), 1) << "the box is gone";
        EXPECT_EQ(OpenBox(), nullptr);
    }
}

TEST_F(MsgWndTest, ClosingTheWindowOtherwiseIsNoConfirmation)
{
    EXPECT_EQ(Show("text", false, kMessageQuestion, 96, [](CMsgWnd& box) { box.SendMessage(WM_SYSCOMMAND, SC_CLOSE); }),
              0);
}

TEST_F(MsgWndTest, TextIsALanguageKeyOrPlainAndEmptyKeepsTheSkinsText)
{
    testsupport::WriteFileBytes(skin / "lan.xml", R"(<Language><Text id="message_text_5" value="Name taken"/>
        <Text id="msg_confirm" value="Yes"/></Language>)");
    ASSERT_TRUE(CResourceManager::GetInstance().LoadLanguage(skin / "lan.xml"));
    struct Case {
        const char* title;
        const char* text;
        bool isKey;
        const char* shownTitle;
        const char* shownText;
    };
    for (Case c : {Case{"", "message_text_5", true, "QV742-CORE", "Name taken"},
                   Case{"Update", "message_text_5", false, "Update", "message_text_5"},
                   Case{"", "", true, "QV742-CORE", ""}}) {
        std::string title, text, confirm;
        Show(c.text, c.isKey, kMessageNotice, 96, [&](CMsgWnd& box) {
            title = Find(box, "MessageTitle")->GetText();
            text = Find(box, "MessageText")->GetText();
            confirm = Find(box, "confirm_btn")->GetText();
            box.Close(0);
        }, c.title);
        EXPECT_EQ(title, c.shownTitle);
        EXPECT_EQ(text, c.shownText) << c.text;
        EXPECT_EQ(confirm, "Yes");
    }
}

TEST_F(MsgWndTest, AnUnknownDpiIsReportedAndTakenAs96)
{
    struct Case {
        int dpi;
        int used;
        bool reported;
    };
    for (Case c : {Case{100, 96, true}, Case{144, 144, false}, Case{0, 96, true}}) {
        int used = 0;
        int width = 0;
        testing::internal::CaptureStderr();
        Show("x", false, kMessageNotice, c.dpi, [&](CMsgWnd& box) {
            used = box.GetDpi();
            width = box.GetWindowRect().right - box.GetWindowRect().left;
            box.Close(1);
        });
        std::string debug = testing::internal::GetCapturedStderr();
        EXPECT_EQ(used, c.used) << c.dpi;
        EXPECT_EQ(width, 400 * c.used / 96) << c.dpi;
        EXPECT_EQ(debug.find("MSG_WND DPI SET ERROR") != std::string::npos, c.reported) << c.dpi;
    }
}

TEST_F(MsgWndTest, ASystemDpiChangeRescalesTheBoxToTheSuggestedRectangle)
{
    RECT suggested{10, 20, 10 + 600, 20 + 330};
    int used = 0;
    RECT rect{};
    Show("x", false, kMessageNotice, 96, [&](CMsgWnd& box) {
        box.SendMessage(WM_DPICHANGED, 144 | (144 << 16), reinterpret_cast<LPARAM>(&suggested));
        used = box.GetPaintManager().GetDPIObj()->GetDPI();
        rect = box.GetWindowRect();
        box.Close(0);
    });
    EXPECT_EQ(used, 144);
    EXPECT_EQ(rect, suggested);
}

} // namespace
