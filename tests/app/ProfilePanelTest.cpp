// The profile panel of the mouse page through the main window: the user clicks the panel's
// buttons, answers the questions (a script stands in for the message box; the file dialogs are
// the headless host's), and the list file, the profile files and the combo follow.

#include "AppFixture.h"

#include "app/ProfileCommands.h"
#include "profile/ProfileListFile.h"
#include "support/FolderSnapshot.h"
#include "toolkit/ComboUI.h"
#include "toolkit/headless/SyntheticInput.h"
#include "ui/CDeviceProfileUI.h"
#include "ui/MsgWnd.h"

#include <filesystem>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Answers every question with answer and writes down what was asked and shown.
class ScriptedDialogs : public WindowProfileDialogs {
public:
    using WindowProfileDialogs::WindowProfileDialogs;
    bool Confirm(const std::string& key) override
    {
        questions.push_back(key);
        return answer;
    }
    void Notice(const std::string& text, bool) override { notices.push_back(text); }

    bool answer = true;
    std::vector<std::string> questions;
    std::vector<std::string> notices;
};

class ProfilePanel : public AppTest {
protected:
    ProfilePanel()
    {
        Open();
        sim->Plug("mouse");
        ScanOnce();
        auto scripted = std::make_unique<ScriptedDialogs>(window->GetPaintManager(), dpi);
        dialogs = scripted.get();
        window->Profiles().SetDialogs(std::move(scripted));
    }

    CDeviceProfileUI* Panel() { return ProfileCommands::PanelOf(Mouse()); }
    CControlUI* InPanel(const char* name) { return window->GetPaintManager().FindSubControlByName(Panel(), name); }
    CComboUI* Combo() { return static_cast<CComboUI*>(InPanel("device_profile_combo")->GetInterface("Combo")); }
    std::string Folder() { return Mouse()->DeviceFolder(); }
    ProfileListFile List()
    {
        ProfileListFile list;
        list.Read(Folder() + "/ProfileList.ini");
        return list;
    }
    std::vector<std::string> ListNames()
    {
        std::vector<std::string> names;
        for (const ProfileListEntry& entry : List().entries)
            names.push_back(entry.name);
        return names;
    }
    std::string ProfileFile(int index) { return Folder() + "/" + List().entries.at(static_cast<size_t>(index)).id + ".Json"; }

    // Opens the panel's menu when needed and clicks the named button as the user would.
    void Click(const char* name)
    {
        if (!Panel()->IsMenuVisible())
            synthetic::Click(InPanel("profile_fun_spread_btn"));
        host.RunPending();
        ASSERT_TRUE(InPanel(name)->IsVisible()) << name;
        synthetic::Click(InPanel(name));
        host.RunPending();
    }

    int dpi = 96;
    ScriptedDialogs* dialogs = nullptr;
};

using Strings = std::vector<std::string>;

TEST_F(ProfilePanel, AfterStartTheComboListsTheDefaultProfileAndTheMenuIsFolded)
{
    ASSERT_NE(Panel(), nullptr);
    EXPECT_EQ(Panel()->ProfileNames(), Strings{"Profile1"});
    EXPECT_EQ(Panel()->CurrentIndex(), 0);
    EXPECT_EQ(Panel()->NameEditText(), "Profile1");
    EXPECT_TRUE(fs::exists(ProfileFile(0)));
    EXPECT_EQ(Panel()->CurrentProfilePath(), ProfileFile(0));
    EXPECT_FALSE(Panel()->IsMenuVisible());

    synthetic::Click(InPanel("profile_fun_spread_btn"));
    EXPECT_TRUE(Panel()->IsMenuVisible());
    synthetic::Click(InPanel("profile_fun_spread_btn"));
    EXPECT_FALSE(Panel()->IsMenuVisible());
}

// Without a script the questions come in the program's message box, which waits for the user.
using ProfilePanelMessageBox = AppTest;

TEST_F(ProfilePanelMessageBox, AddWaitsForTheBoxAndFollowsItsAnswer)
{
    Open();
    sim->Plug("mouse");
    ScanOnce();
    CDeviceProfileUI* panel = ProfileCommands::PanelOf(Mouse());
    CPaintManagerUI& pm = window->GetPaintManager();
    for (const char* answer : {"cancel_btn", "confirm_btn"}) {
        int boxes = 0;
        // While the box runs its loop, this timer answers it as the user would.
        CMessageQueue::Instance().SetTimer(&boxes, 1, 20, [&boxes, answer] {
            for (CPaintManagerUI* manager : CPaintManagerUI::GetPaintManagers()) {
                if (manager->GetName() != "MsgWnd")
                    continue;
                CMessageQueue::Instance().KillTimer(&boxes, 1);
                ++boxes;
                synthetic::Click(manager->FindControl(answer));
                return;
            }
        });
        synthetic::Click(pm.FindSubControlByName(panel, "profile_fun_spread_btn"));
        host.RunPending();
        synthetic::Click(pm.FindSubControlByName(panel, "device_add_btn"));
        host.RunPending();
        EXPECT_EQ(boxes, 1) << answer;
        synthetic::Click(pm.FindSubControlByName(panel, "profile_fun_spread_btn"));
    }
    EXPECT_EQ(panel->ProfileNames(), (Strings{"Profile1", "profile2"})) << "cancelled once, confirmed once";
}

TEST_F(ProfilePanel, AddAndCopyAskFirstAndKeepTheSelection)
{
    dialogs->answer = false;
    Click("device_add_btn");
    Click("device_copy_btn");
    EXPECT_EQ(ListNames(), Strings{"Profile1"}) << "declined: nothing changes";

    dialogs->answer = true;
    Click("device_add_btn");
    Click("device_copy_btn");
    EXPECT_EQ(dialogs->questions, (Strings{"message_text_28", "message_text_27", "message_text_28", "message_text_27"}));
    EXPECT_EQ(ListNames(), (Strings{"Profile1", "profile2", "Profile1 copy"}));
    EXPECT_EQ(Panel()->ProfileNames(), ListNames());
    EXPECT_EQ(Combo()->GetCurSel(), 0);
    EXPECT_TRUE(fs::exists(ProfileFile(1)) && fs::exists(ProfileFile(2)));
    EXPECT_TRUE(dialogs->notices.empty());
}

TEST_F(ProfilePanel, RenameTakesTheEditsTextOrShowsWhyNot)
{
    struct Case {
        const char* name;
        const char* notice; // "" when renamed
        const char* after;  // the first profile's name afterwards
    };
    Click("device_add_btn"); // "profile2" to collide with
    for (Case c : {Case{"a b", "message_text_35", "Profile1"}, Case{"ThisNameIsTooLong", "message_text_34", "Profile1"},
                   Case{"PROFILE2", "message_text_5", "Profile1"}, Case{"   ", "message_text_35", "Profile1"},
                   Case{"Work", "", "Work"}, Case{"WORK", "", "WORK"}, Case{"", "", "WORK"}}) {
        SCOPED_TRACE(c.name);
        dialogs->notices.clear();
        Panel()->SetNameEditText(c.name);
        Click("device_profile_edit_save_btn");
        EXPECT_EQ(dialogs->notices, *c.notice ? Strings{c.notice} : Strings{});
        EXPECT_EQ(ListNames()[0], c.after);
        EXPECT_EQ(Panel()->ProfileNames()[0], c.after);
    }
}

TEST_F(ProfilePanel, DeleteRemovesTheFileAndAppliesTheProfileBeforeIt)
{
    Click("device_add_btn");
    Click("device_add_btn");
    Combo()->SelectItem(2);
    host.Advance(400);
    ASSERT_EQ(List().select, 2);
    std::string deleted = ProfileFile(2);

    Click("device_sub_btn");
    EXPECT_EQ(dialogs->questions.back(), "message_text_30");
    EXPECT_EQ(ListNames(), (Strings{"Profile1", "profile2"}));
    EXPECT_FALSE(fs::exists(deleted));
    EXPECT_EQ(Combo()->GetCurSel(), 1);
    EXPECT_EQ(Panel()->NameEditText(), "profile2");
    EXPECT_TRUE(CMessageQueue::Instance().HasTimer(window->GetHWND(), CMainWnd::kTimerApplyProfile))
        << "the profile that took its place is applied like a chosen one";

    Click("device_sub_btn");
    Click("device_sub_btn");
    EXPECT_EQ(ListNames(), Strings{"Profile1"}) << "the last profile stays";
}

TEST_F(ProfilePanel, ExportWritesTheSelectedProfileAndImportAddsItUnderTheFilesName)
{
    const std::string exported = dir / "Game.json";
    host.SetFileDialogAnswer(exported);
    Click("device_export_btn");
    EXPECT_TRUE(host.LastFileDialog().save);
    EXPECT_EQ(host.LastFileDialog().filterDescription, "Profile Files(*.json)");
    EXPECT_EQ(host.LastFileDialog().filterPattern, "*.json;");
    ASSERT_TRUE(fs::exists(exported));

    Click("device_import_btn");
    Click("device_import_btn");
    EXPECT_FALSE(host.LastFileDialog().save);
    EXPECT_EQ(ListNames(), (Strings{"Profile1", "Game", "Game(1)"}));
    EXPECT_EQ(Panel()->ProfileNames(), ListNames());
    EXPECT_EQ(Combo()->GetCurSel(), 0);
    EXPECT_TRUE(dialogs->notices.empty());

    host.SetFileDialogAnswer("");
    Click("device_import_btn");
    EXPECT_EQ(ListNames().size(), 3u) << "a cancelled dialog changes nothing";
}

TEST_F(ProfilePanel, ARefusedImportChangesNothingAndSaysWhy)
{
    const std::string notAProfile = dir / "notes.json";
    testsupport::WriteFileBytes(notAProfile, R"({"profilename": "x", "Device": 3})");
    auto before = testsupport::FolderSnapshot(Folder());
    host.SetFileDialogAnswer(notAProfile);
    Click("device_import_btn");
    EXPECT_EQ(dialogs->notices, Strings{"message_text_37"});
    EXPECT_EQ(testsupport::FolderSnapshot(Folder()), before);
    EXPECT_EQ(Panel()->ProfileNames(), Strings{"Profile1"});
}

TEST_F(ProfilePanel, ResetOverwritesTheProfileWithTheDefaultsKeepingItsName)
{
    Panel()->SetNameEditText("Work");
    Click("device_profile_edit_save_btn");
    const std::string file = ProfileFile(0);
    testsupport::WriteFileBytes(file, R"({"profilename": "Work", "profileUUID": "1", "Device": [{}]})");

    dialogs->answer = false;
    Click("device_reset_btn");
    EXPECT_EQ(testsupport::ReadFileBytes(file).size(), 59u) << "declined: the file stays";

    dialogs->answer = true;
    Click("device_reset_btn");
    EXPECT_EQ(dialogs->questions, (Strings{"message_text_22", "message_text_22"}));
    JsonFile json;
    Json::Value reset = json.ReadJsonDocument(file);
    Json::Value defaults = json.ReadJsonDocument(ProfileLibrary::DefaultProfilePathFor("mouse"));
    EXPECT_EQ(reset["profilename"].asString(), "Work");
    EXPECT_EQ(reset["profileUUID"].asString(), List().entries[0].id);
    EXPECT_EQ(reset["Device"], defaults["Device"]);
}

TEST_F(ProfilePanel, AChoiceAppliesAfter400MsAndOnlyTheLastOfQuickChoices)
{
    Click("device_add_btn");
    Click("device_add_btn");
    const std::vector<ProfileListEntry> entries = List().entries;
    ASSERT_EQ(Panel()->CurrentProfileId(), entries[0].id);

    Combo()->SelectItem(1);
    host.RunPending();
    host.Advance(300);
    Combo()->SelectItem(2);
    host.RunPending();
    host.Advance(150);
    EXPECT_EQ(Panel()->CurrentProfileId(), entries[0].id)
        << "each choice restarts the wait: nothing applied 450 ms after the first";

    host.Advance(250);
    EXPECT_EQ(Panel()->CurrentProfileId(), entries[2].id);
    EXPECT_EQ(List().select, 2);
    EXPECT_FALSE(CMessageQueue::Instance().HasTimer(window->GetHWND(), CMainWnd::kTimerApplyProfile));
}

TEST_F(ProfilePanel, TheMousePadPageShowsOnlyTheTabsAPadHas)
{
    sim->Plug("pad");
    ScanOnce();
    COrlithUSBDevice* pad = nullptr;
    for (COrlithUSBDevice* device : window->Devices().AllDevices())
        pad = device->Kind() == 3 ? device : pad;
    ASSERT_NE(pad, nullptr);
    window->Devices().ShowTile(pad->TileIndex(), true, true);
    CPaintManagerUI& pm = window->GetPaintManager();
    EXPECT_TRUE(pm.FindSubControlByName(pad, "deng_Op_tab")->IsVisible());
    EXPECT_FALSE(pm.FindSubControlByName(pad, "system_Op_tab")->IsVisible());
    window->Devices().ShowTile(Mouse()->TileIndex(), true, true);
    EXPECT_TRUE(pm.FindSubControlByName(Mouse(), "system_Op_tab")->IsVisible()) << "the mouse page keeps its own";
    EXPECT_EQ(ProfileCommands::PanelOf(pad)->ProfileNames(), Strings{"Profile1"});
}

TEST(ProfileUploadNotice, ResultsAboveTheMacroMemoryCountBytesOverOthersSteps)
{
    struct Case {
        int result, units;
        bool memoryAlways;
        const char* key;
        long number;
    };
    for (Case c : {Case{0, 16, false, "", 0}, Case{-1, 16, false, "message_text_7", 0},
                   Case{-2, 16, false, "", 0}, Case{8200, 16, false, "message_text_16", 1539},
                   Case{512, 16, false, "message_text_26", 262}, Case{300, 16, false, "message_text_26", 50},
                   Case{300, 16, true, "message_text_16", 1}, Case{4, 0, false, "message_text_16", 2}}) {
        long number = 0;
        EXPECT_EQ(ProfileCommands::UploadNoticeKey(c.result, c.units, c.memoryAlways, number), c.key) << c.result;
        EXPECT_EQ(number, c.number) << c.result;
    }
}

} // namespace
