#include "ToolkitFixture.h"

#include "toolkit/MenuWnd.h"
#include "toolkit/MessageQueue.h"
#include "toolkit/TrayIcon.h"
#include "toolkit/UIHost.h"

namespace {

using WindowTest = ToolkitTest;

// A dialog that deletes itself when closed, as message boxes do.
class SelfDeletingDialog : public RecordingWindow {
public:
    SelfDeletingDialog(std::string skin, bool* deleted) : RecordingWindow(std::move(skin)), m_deleted(deleted) {}
    ~SelfDeletingDialog() override { *m_deleted = true; }

protected:
    void OnFinalMessage(HWND) override { delete this; }

private:
    bool* m_deleted;
};

TEST_F(WindowTest, ShowModalReturnsTheValueGivenToClose)
{
    WriteSkin("dialog.xml", R"(<Window size="200,100"><Button name="ok"/></Window>)");
    bool deleted = false;
    auto* dialog = new SelfDeletingDialog("dialog.xml", &deleted);
    dialog->Create(nullptr, "dialog", WS_POPUP, WS_EX_TOOLWINDOW);
    dialog->onNotify = [dialog](TNotifyUI& msg) {
        if (msg.sType == "timer")
            dialog->Close(7);
    };
    dialog->GetPaintManager().SetTimer(dialog->Find("ok"), 1, 3000);
    EXPECT_EQ(dialog->ShowModal(), 7u);
    EXPECT_TRUE(deleted);
    EXPECT_EQ(host.OpenWindowCount(), 0);
}

TEST_F(WindowTest, ClickOnAMenuItemSendsItsRecordToTheOwnerAfterTheMenuIsGone)
{
    WriteSkin("menu.xml", R"(<Menu width="150" itemheight="30">
        <MenuElement name="open" text="Open"/>
        <MenuElement name="exit" text="Exit" userdata="bye"/>
    </Menu>)");
    auto owner = OpenWindow(R"(<Window><Control name="root"/></Window>)");
    std::string clicked;
    std::string userData;
    bool menuOpenDuringCommand = true;
    owner->onMessage = [&](UINT msg, WPARAM w, LPARAM, BOOL& handled) -> LRESULT {
        if (msg == WM_MENUCLICK) {
            auto* cmd = reinterpret_cast<MenuCmd*>(w);
            clicked = cmd->szName;
            userData = cmd->szUserData;
            menuOpenDuringCommand = CMenuWnd::GetOpenMenu() != nullptr;
            handled = TRUE;
        }
        return 0;
    };
    CMenuWnd* menu = CMenuWnd::CreateMenu(nullptr, "menu.xml", POINT{500, 700}, &owner->GetPaintManager(), nullptr,
                                          eMenuAlignment_Left | eMenuAlignment_Bottom);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->GetAlignment(), 18u);
    EXPECT_EQ(menu->GetWindowRect(), (RECT{500, 640, 650, 700})) << "left|bottom: the menu ends at the point";
    host.RunPending();
    synthetic::Click(menu->GetPaintManager().FindControl("exit"));
    host.RunPending();
    EXPECT_EQ(clicked, "exit");
    EXPECT_EQ(userData, "bye");
    EXPECT_FALSE(menuOpenDuringCommand);
    EXPECT_EQ(host.OpenWindowCount(), 1);

    ASSERT_NE(CMenuWnd::CreateMenu(nullptr, "menu.xml", POINT{0, 0}, &owner->GetPaintManager()), nullptr);
    ASSERT_NE(CMenuWnd::CreateMenu(nullptr, "menu.xml", POINT{0, 0}, &owner->GetPaintManager()), nullptr);
    EXPECT_EQ(host.OpenWindowCount(), 2) << "opening a menu closes the previous one";
    CMenuWnd::CloseAllMenus();
    EXPECT_EQ(host.OpenWindowCount(), 1);
    owner->DestroyWindow();
}

TEST_F(WindowTest, TrayIconReportsMouseActionsAsTheTrayMessage)
{
    auto window = OpenWindow(R"(<Window><Control name="root"/></Window>)");
    std::vector<std::pair<WPARAM, LPARAM>> tray;
    window->onMessage = [&](UINT msg, WPARAM w, LPARAM l, BOOL&) -> LRESULT {
        if (msg == UIMSG_TRAYICON)
            tray.emplace_back(w, l);
        return 0;
    };
    CTrayIcon icon;
    icon.CreateTrayIcon(window->GetHWND(), 107, "QV742-CORE");
    EXPECT_TRUE(icon.IsVisible());
    host.ClickTray(WM_RBUTTONUP);
    host.ClickTray(WM_LBUTTONUP);
    host.RunPending();
    ASSERT_EQ(tray.size(), 2u);
    EXPECT_EQ(tray[0], (std::pair<WPARAM, LPARAM>{107, WM_RBUTTONUP}));
    EXPECT_EQ(tray[1].second, LPARAM(WM_LBUTTONUP));
    window->DestroyWindow();
}

TEST_F(WindowTest, SystemCommandsAndMonitorQueries)
{
    host.SetMonitorRect(RECT{0, 0, 1501, 961});
    auto window = OpenWindow(R"(<Window><Control name="root"/></Window>)", 1000, 640);
    EXPECT_EQ(MonitorRectOf(window->GetHWND()), (RECT{0, 0, 1501, 961}));
    window->CenterWindow();
    EXPECT_EQ(window->GetWindowRect(), (RECT{250, 160, 1250, 800}));
    window->SendMessage(WM_SYSCOMMAND, SC_MINIMIZE);
    EXPECT_TRUE(window->IsMinimized());
    window->ShowWindow(false);
    window->SendMessage(WM_SYSCOMMAND, SC_RESTORE);
    EXPECT_TRUE(window->IsVisible()) << "restore also shows a hidden window";
    EXPECT_FALSE(window->IsMinimized());
    window->DestroyWindow();
}

} // namespace

namespace {

TEST_F(WindowTest, FileDialogsKeepThePathWhenCancelled)
{
    std::string path = "before";
    host.SetFileDialogAnswer("");
    EXPECT_FALSE(OpenFileDialog("Profile Files(*.json)", "*.json;", nullptr, path));
    EXPECT_EQ(path, "before");
    host.SetFileDialogAnswer("/home/user/a.json");
    EXPECT_TRUE(SaveFileDialog("Profile Files(*.json)", "*.json;", nullptr, path));
    EXPECT_EQ(path, "/home/user/a.json");
    EXPECT_TRUE(host.LastFileDialog().save);
    EXPECT_EQ(host.LastFileDialog().filterPattern, "*.json;");
}

} // namespace
