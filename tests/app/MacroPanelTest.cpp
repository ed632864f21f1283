// The macro panel of the mouse page through the main window: recording places the hook's capture
// messages into the rows by capture and timing mode, the editor's own operations keep their
// limits, and deleting a macro reaches the buttons that used it.

#include "AppFixture.h"

#include "app/KeyPanelCommands.h"
#include "app/MacroPanelCommands.h"
#include "app/ProfileCommands.h"
#include "device/COrlithMouseDevice.h"
#include "macro/MacroFile.h"
#include "panels/CKeySetControlUI.h"
#include "panels/CMacroControlUI.h"
#include "profile/CMouseProfiledata.h"
#include "profile/JsonFieldReader.h"
#include "toolkit/ComboUI.h"
#include "toolkit/ListUI.h"
#include "ui/CDeviceProfileUI.h"
#include "toolkit/OptionUI.h"
#include "toolkit/headless/SyntheticInput.h"

#include <string>
#include <vector>

namespace {

constexpr uint32_t kKeyDown = 0x0100;
constexpr uint32_t kKeyUp = 0x0101;
constexpr uint32_t kScanA = 0x1E;
constexpr uint32_t kScanB = 0x30;
constexpr uint32_t kScanC = 0x2E;

class ScriptedDialogs : public WindowProfileDialogs {
public:
    using WindowProfileDialogs::WindowProfileDialogs;
    bool Confirm(const std::string& key) override
    {
        questions.push_back(key);
        return key != refuse;
    }
    void Notice(const std::string& text, bool) override { notices.push_back(text); }
    std::string refuse;
    std::vector<std::string> questions;
    std::vector<std::string> notices;
};

class MacroPanel : public AppTest {
protected:
    MacroPanel()
    {
        Open();
        sim->Plug("mouse");
        ScanOnce();
        Device().Channel().SetSleepFunction([](int) {});
        host.Advance(600);
        auto scripted = std::make_unique<ScriptedDialogs>(window->GetPaintManager(), dpi);
        dialogs = scripted.get();
        window->Profiles().SetDialogs(std::move(scripted));
        window->MacroPanel().SetCaptureSwitch([this](int mode, bool on) {
            hookCalls.push_back(on ? mode : -mode);
            return 1;
        });
        static_cast<COptionUI*>(Find("macro_Op_tab")->GetInterface("Option"))->Selected(true);
        host.RunPending();
        Click("macro_btn_name_add");
    }

    COrlithMouseDevice& Device() { return *static_cast<COrlithMouseDevice*>(Mouse()->GetInterface("OrlithMouseDevice")); }
    CMacroControlUI& Panel() { return *MacroPanelCommands::PanelOf(Mouse()); }
    void Click(const char* name)
    {
        window->GetPaintManager().SendNotify(Find(name), "click");
        host.RunPending();
    }
    void Menu(const char* item) { window->MacroPanel().OnMenuCommand(item, Mouse()); }
    void Key(uint32_t message, uint32_t scanCode, UINT capture)
    {
        KeyCaptureRecord record{0, scanCode, 0, 0, 0};
        ::SendMessage(window->GetHWND(), capture, message, reinterpret_cast<LPARAM>(&record));
        host.RunPending();
    }
    void Press(uint32_t scanCode) { Key(kKeyDown, scanCode, Ids().keyAppend); }
    void Release(uint32_t scanCode) { Key(kKeyUp, scanCode, Ids().keyAppend); }
    void MouseMessage(uint32_t message, POINT at, UINT capture, int xButton = 0)
    {
        MouseCaptureRecord record{};
        record.x = at.x;
        record.y = at.y;
        record.buttonData = static_cast<uint32_t>(xButton) << 16;
        ::SendMessage(window->GetHWND(), capture, message, reinterpret_cast<LPARAM>(&record));
        host.RunPending();
    }
    const CaptureMessages& Ids() { return window->MacroPanel().Messages(); }

    // Each row as "<Type>:<Button>:<d|u>:<delay>", bare rows as "-".
    std::vector<std::string> Rows()
    {
        std::vector<std::string> rows;
        for (int i = 0; i < Panel().RowCount(); ++i) {
            std::optional<MacroEvent> event = Panel().EventAt(i);
            rows.push_back(event ? std::to_string(static_cast<int>(event->type)) + ":" + std::to_string(event->button) + ":" +
                                       (event->down ? "d" : "u") + ":" + std::to_string(event->delay)
                                 : "-");
        }
        return rows;
    }
    std::vector<MacroEvent> SavedEvents()
    {
        JsonFieldReader fields;
        MacroLibrary library;
        library.SetFolder(Device().DeviceFolder());
        library.LoadMacroList();
        return library.LoadMacro(Panel().SelectedMacroIndex());
    }
    void FillRows(int count)
    {
        for (int i = 0; i < count; ++i)
            Panel().InsertMouseStep(i % 2 ? 0x0202 : 0x0201, 0);
    }

    int dpi = 96;
    ScriptedDialogs* dialogs = nullptr;
    std::vector<int> hookCalls;
};

TEST_F(MacroPanel, AppendRecordsEachStepWithTheTimeToTheNext)
{
    ASSERT_EQ(Panel().MacroCount(), 1);
    Click("macro_btn_starredio");
    EXPECT_EQ(hookCalls, std::vector<int>{4}) << "the hook starts in append mode";
    EXPECT_FALSE(Find("macro_btn_starredio")->IsVisible());
    EXPECT_FALSE(Find("device_select_layout")->IsEnabled()) << "the device selector is locked";
    host.Advance(100);
    Press(kScanA);
    host.Advance(40);
    Press(kScanA); // auto-repeat of the held key
    host.Advance(10);
    Press(kScanB);
    host.Advance(30);
    Release(kScanA);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"10:4:d:50", "10:5:d:30", "10:4:u:0"}));
    EXPECT_EQ(Panel().SelectedRow(), 2);
    Click("macro_btn_stopredio");
    EXPECT_EQ(hookCalls, (std::vector<int>{4, -4}));
    EXPECT_TRUE(Find("macro_btn_starredio")->IsVisible());
    EXPECT_TRUE(Find("device_select_layout")->IsEnabled());
    const std::vector<MacroEvent> saved = SavedEvents();
    ASSERT_EQ(saved.size(), 3u) << "stopping saves the macro";
    EXPECT_EQ(saved[0].delay, 50);
    EXPECT_EQ(saved[2].delay, 0);
}

TEST_F(MacroPanel, InsertModesPlaceStepsAroundTheSelectedRow)
{
    Click("macro_btn_starredio");
    Press(kScanA);
    Release(kScanA);
    Click("macro_btn_stopredio");

    // Before row 0: the new step becomes row 0 and the old row 0 stays selected.
    Panel().SelectRow(0);
    Menu("redio_previous_ignore_time");
    EXPECT_EQ(hookCalls.back(), 8);
    Key(kKeyDown, kScanB, Ids().keyBefore);
    Key(kKeyDown, kScanC, Ids().keyBefore);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"10:5:d:0", "10:6:d:0", "10:4:d:0", "10:4:u:0"}));
    EXPECT_EQ(Panel().SelectedRow(), 2);
    Click("macro_btn_stopredio");

    // After row 1 with the fixed time: the new row is selected, the row before gets the delay.
    static_cast<COptionUI*>(Find("macro_check_time")->GetInterface("Option"))->Selected(true, false);
    Find("macro_fixed_time_edit")->SetText("25");
    Panel().SelectRow(1);
    Menu("redio_later_record_time");
    EXPECT_EQ(hookCalls.back(), 16);
    MouseMessage(0x020B, {5000, 5000}, Ids().mouseAfter, 2); // forward button
    EXPECT_EQ(Rows()[2], "1:16:d:25");
    EXPECT_EQ(Rows()[1], "10:6:d:25");
    EXPECT_EQ(Panel().SelectedRow(), 2);
    Click("macro_btn_stopredio");

    // Replace: only the key of the selected row changes.
    Panel().SelectRow(3);
    Menu("macro_action_edit");
    EXPECT_EQ(hookCalls.back(), 32);
    Key(kKeyDown, 0x1D, Ids().keyReplace); // left Ctrl
    EXPECT_EQ(Rows()[3], "9:1:d:0");
    EXPECT_EQ(Panel().RowCount(), 5);
    Click("macro_btn_stopredio");
    EXPECT_EQ(SavedEvents().size(), 5u);
}

TEST_F(MacroPanel, ClicksOnTheStopButtonAreNotRecordedButOtherButtonsAre)
{
    Click("macro_btn_starredio");
    const RECT& stop = Find("macro_btn_stopredio")->GetPos();
    const RECT frame = window->GetWindowRect();
    const POINT onStop{frame.left + (stop.left + stop.right) / 2, frame.top + (stop.top + stop.bottom) / 2};
    MouseMessage(0x0201, onStop, Ids().mouseAppend);
    MouseMessage(0x0204, onStop, Ids().mouseAppend);
    MouseMessage(0x0205, onStop, Ids().mouseAppend);
    MouseMessage(0x0205, onStop, Ids().mouseAppend); // the same message again adds nothing
    EXPECT_EQ(Rows(), (std::vector<std::string>{"1:2:d:0", "1:2:u:0"}));
}

TEST_F(MacroPanel, SixtyRowsAreTheLimitAndSavingDropsTheBareRows)
{
    FillRows(60);
    Click("macro_btn_starredio");
    Press(kScanA);
    Panel().InsertMouseStep(0x0201, 0);
    ASSERT_EQ(Panel().RowCount(), 62);
    EXPECT_EQ(Rows().back(), "-") << "a step past the limit is a bare row";
    Click("macro_btn_stopredio");
    EXPECT_EQ(Panel().RowCount(), 60);
    EXPECT_EQ(SavedEvents().size(), 60u);
    EXPECT_EQ(dialogs->notices, std::vector<std::string>{"message_text_26_1"});
}

TEST_F(MacroPanel, EditorOperationsKeepStepsAndDelays)
{
    FillRows(5);
    Panel().SelectRow(3);
    Menu("left_click");
    const std::vector<std::string> rows = Rows();
    ASSERT_EQ(rows.size(), 7u);
    EXPECT_EQ(rows[4], "1:1:d:50") << "press after the selected row, with the fixed time";
    EXPECT_EQ(rows[5], "1:1:u:50");

    Find("mouse_x_left_edit")->SetText("300");
    Click("macro_inset_moveleftkey_btn");
    EXPECT_EQ(Rows()[6], "4:44:d:50") << "a move's distance is taken modulo 256";

    Panel().SelectRow(0);
    Click("macro_btn_up");
    EXPECT_EQ(Panel().SelectedRow(), 0) << "row 0 does not move up";
    const std::string first = Rows()[0];
    Click("macro_btn_downbottom");
    EXPECT_EQ(Rows().back(), first);
    EXPECT_EQ(Panel().SelectedRow(), Panel().RowCount() - 1);
    Click("macro_btn_down");
    EXPECT_EQ(Rows().back(), first) << "the last row does not move down";

    CListUI* list = static_cast<CListUI*>(Find("macro_action_list")->GetInterface("List"));
    CControlUI* delay = window->GetPaintManager().FindSubControlByName(list->GetItemAt(1), "macro_delay");
    delay->SetText("");
    window->GetPaintManager().SendNotify(delay, "textchanged");
    host.RunPending();
    EXPECT_EQ(std::string(delay->GetText()), "") << "an emptied delay stays empty while the user types";
    EXPECT_EQ(SavedEvents().at(1).delay, 0);
    window->GetPaintManager().SendNotify(delay, "killfocus");
    host.RunPending();
    EXPECT_EQ(std::string(delay->GetText()), "0") << "an empty delay is saved as 0";
    EXPECT_EQ(SavedEvents().at(1).delay, 0);
    delay->SetText("1234");
    window->GetPaintManager().SendNotify(delay, "killfocus");
    host.RunPending();
    EXPECT_EQ(SavedEvents().at(1).delay, 1234);

    const int before = Panel().RowCount();
    Panel().SelectRow(2);
    Click("macro_btn_delete");
    EXPECT_EQ(static_cast<int>(SavedEvents().size()), before - 1);
    Click("macro_btn_deleteall");
    EXPECT_TRUE(SavedEvents().empty());
}

TEST_F(MacroPanel, FixedTimeBelowTenIsRaisedWhenARecordingStarts)
{
    static_cast<COptionUI*>(Find("macro_check_time")->GetInterface("Option"))->Selected(true, false);
    Find("macro_fixed_time_edit")->SetText("5");
    Click("macro_btn_starredio");
    EXPECT_EQ(std::string(Find("macro_fixed_time_edit")->GetText()), "10");
    EXPECT_EQ(dialogs->notices, std::vector<std::string>{"message_text_36"});
    EXPECT_EQ(Panel().FixedTime(), 10);
    Click("macro_btn_stopredio");
    Find("macro_fixed_time_edit")->SetText("70000");
    Click("macro_btn_starredio");
    EXPECT_EQ(Panel().FixedTime(), 65535);
    EXPECT_EQ(dialogs->notices.size(), 1u) << "a long time is cut to the largest delay without a word";
}

TEST_F(MacroPanel, DeletingAMacroDropsItFromTheButtonsThatUsedIt)
{
    // Three macros; the current profile's button 3 uses macro 1, another profile's buttons use
    // macros 1 and 2.
    Click("macro_btn_name_add");
    Click("macro_btn_name_add");
    ASSERT_EQ(Panel().MacroCount(), 3);
    std::vector<KeyAssignment> keys = Device().KeyAssignments();
    keys[3].current.function = {0x70, 1, 0};
    keys[4].current.function = {0x70, 2, 0};
    Device().SetKeyAssignments(keys);
    CDeviceProfileUI* profiles = ProfileCommands::PanelOf(Mouse());
    ASSERT_EQ(profiles->Add(), kProfileDone);
    const std::string other = profiles->ProfilePathAt(1);
    {
        CMouseProfiledata stored;
        stored.LoadProfile(other);
        stored.SetProfilePath(other);
        std::vector<KeyAssignment> otherKeys = stored.GetKeyList();
        otherKeys[2].current.function = {0x71, 1, 5};
        otherKeys[3].current.function = {0x70, 2, 1};
        stored.SetKeyList(otherKeys);
        ASSERT_EQ(stored.SaveProfile(), 0);
    }

    static_cast<CListUI*>(Find("macro_name_list")->GetInterface("List"))->SelectItem(1);
    host.RunPending();
    dialogs->refuse = "message_text_2";
    Click("macro_btn_name_sub");
    EXPECT_EQ(Panel().MacroCount(), 3) << "answering no to the in-use question keeps the macro";
    EXPECT_EQ(Device().KeyAssignments()[3].current.function, (KeyFunction{0x70, 1, 0}));

    dialogs->refuse.clear();
    Click("macro_btn_name_sub");
    ASSERT_EQ(Panel().MacroCount(), 2);
    EXPECT_EQ(Device().KeyAssignments()[3].current.function, Device().KeyAssignments()[3].defaults.function);
    EXPECT_EQ(Device().KeyAssignments()[4].current.function, (KeyFunction{0x70, 1, 0})) << "a later macro moves down";
    EXPECT_EQ(KeyPanelCommands::PanelOf(Mouse())->MacroCount(), 2);
    CMouseProfiledata stored;
    stored.LoadProfile(other);
    std::vector<KeyAssignment> otherKeys = stored.GetKeyList();
    EXPECT_EQ(otherKeys[2].current.function, otherKeys[2].defaults.function);
    EXPECT_EQ(otherKeys[3].current.function, (KeyFunction{0x70, 1, 1}));
}

TEST_F(MacroPanel, ChoosingAProfileDropsButtonsOfMacrosThatAreGone)
{
    CDeviceProfileUI* profiles = ProfileCommands::PanelOf(Mouse());
    ASSERT_EQ(profiles->Add(), kProfileDone);
    CMouseProfiledata stored;
    stored.LoadProfile(profiles->ProfilePathAt(1));
    stored.SetProfilePath(profiles->ProfilePathAt(1));
    std::vector<KeyAssignment> keys = stored.GetKeyList();
    keys[3].current.function = {0x70, 0, 0}; // the one macro
    keys[4].current.function = {0x70, 1, 0}; // deleted long ago
    stored.SetKeyList(keys);
    ASSERT_EQ(stored.SaveProfile(), 0);

    static_cast<CComboUI*>(window->GetPaintManager().FindSubControlByName(profiles, "device_profile_combo")->GetInterface("Combo"))
        ->SelectItem(1);
    host.Advance(400);
    EXPECT_EQ(Device().KeyAssignments()[3].current.function, (KeyFunction{0x70, 0, 0}));
    EXPECT_EQ(Device().KeyAssignments()[4].current.function, Device().KeyAssignments()[4].defaults.function);
    CMouseProfiledata reread;
    reread.LoadProfile(profiles->ProfilePathAt(1));
    EXPECT_EQ(reread.GetKeyList()[4].current.function, reread.GetKeyList()[4].defaults.function) << "and stored";
}

} // namespace
