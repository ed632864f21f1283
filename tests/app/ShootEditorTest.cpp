// The recoil pattern editor of the mouse page through the main window: the user picks guns and
// shots, edits pulls and pauses, imports, exports and resets pattern files and sends them to
// the simulated mouse. A script stands in for the file dialogs and the message box.

#include "AppFixture.h"

#include "app/ShootCommands.h"
#include "panels/CShootControlUI.h"
#include "profile/JsonFile.h"
#include "support/FolderSnapshot.h"
#include "toolkit/EditUI.h"
#include "toolkit/OptionUI.h"
#include "toolkit/headless/SyntheticInput.h"

#include <filesystem>
#include <fstream>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

Json::Value Event(int type, int button, const char* action, int delay)
{
    Json::Value event;
    event["Type"] = type;
    event["Button"] = button;
    event["Action"] = action;
    event["Delay"] = delay;
    return event;
}

class ShootEditor : public AppTest {
protected:
    ShootEditor()
    {
        Open();
        sim->Plug("mouse");
        ScanOnce();
        host.Advance(600); // the window takes its size; the mouse is read
        window->Shooting().SetDialogs(
            [this](bool save, std::string& path) {
                asked.push_back(save ? "save" : "open");
                path = answer;
                return !answer.empty();
            },
            [this](const std::string& key) { notices.push_back(key); });
        // The user opens the recoil part of the settings tab.
        synthetic::Click(Find("otherset_Op_tab"));
        host.RunPending();
        synthetic::Click(InPanel("mouse_device_seting_option_3"));
        host.RunPending();
    }

    CShootControlUI* Panel() { return ShootCommands::PanelOf(Mouse()); }
    CControlUI* InPanel(const std::string& name) { return window->GetPaintManager().FindSubControlByName(Mouse(), name); }
    COptionUI* Option(const std::string& name) { return static_cast<COptionUI*>(InPanel(name)->GetInterface("Option")); }
    std::string Text(const std::string& name) { return InPanel(name)->GetText(); }
    std::string Translated(const std::string& key) { return CResourceManager::GetInstance().GetText(key); }
    std::string PatternFile(int gun) { return Mouse()->DeviceFolder() + "/ShootData_" + std::to_string(gun) + ".Shoot"; }
    std::string DefaultFile(int gun) { return std::string(QV742_TEST_SOURCE_DIR) + "/data/DefaultData/ShootData_" + std::to_string(gun) + ".Shoot"; }
    Json::Value Pattern(int gun) { return JsonFile().ReadJsonDocument(PatternFile(gun)); }
    void ClickOn(const std::string& name)
    {
        synthetic::Click(InPanel(name));
        host.RunPending();
    }
    // Types into an edit and leaves it, as the user does.
    void Enter(const std::string& name, const std::string& text)
    {
        InPanel(name)->SetText(text);
        TNotifyUI msg;
        msg.sType = "killfocus";
        msg.pSender = InPanel(name);
        window->Notify(msg);
    }

    std::string answer;
    std::vector<std::string> asked;
    std::vector<std::string> notices;
};

TEST_F(ShootEditor, PageBuildRestoresMissingPatternsAndShowsGunZeroShotZero)
{
    for (int gun = 0; gun < 4; ++gun)
        EXPECT_EQ(ReadBytes(PatternFile(gun)), ReadBytes(DefaultFile(gun))) << gun;
    EXPECT_TRUE(Option("shoot_gun_op_0")->IsSelected());
    EXPECT_TRUE(Option("bullet_op_0")->IsSelected());
    EXPECT_EQ(Text("bullet_select_index"), "1");
    // Gun 0, shot 0 of the shipped data: no horizontal pull, 9 down, 85 ms.
    EXPECT_EQ(Text("bullet_x_eidt"), "0");
    EXPECT_EQ(Text("bullet_y_eidt"), "9");
    EXPECT_EQ(Text("bullet_delay_eidt"), "85");
    EXPECT_FALSE(Option("bullet_y_check")->IsSelected());
    EXPECT_EQ(Text("bullet_y_check"), Translated("mouse_move_to_down_text"));
}

TEST_F(ShootEditor, UnusablePatternFilesAreKeptAsideThenRestored)
{
    const std::string damaged[] = {"{\"Events\": [", "[1, 2, 3]", "{\"Events\": 5}"};
    for (int gun = 0; gun < 3; ++gun)
        WriteBytes(PatternFile(gun), damaged[gun]);
    const std::string kept = ReadBytes(PatternFile(3));
    Panel()->InitShootPanel();
    for (int gun = 0; gun < 3; ++gun) {
        EXPECT_EQ(ReadBytes(PatternFile(gun)), ReadBytes(DefaultFile(gun))) << gun;
        bool asideFound = false;
        for (const auto& entry : fs::directory_iterator(Mouse()->DeviceFolder())) {
            const std::string name = entry.path().filename().string();
            if (name.rfind("ShootData_" + std::to_string(gun) + ".Shoot.damaged", 0) == 0)
                asideFound = ReadBytes(entry.path().string()) == damaged[gun];
        }
        EXPECT_TRUE(asideFound) << gun;
    }
    EXPECT_EQ(ReadBytes(PatternFile(3)), kept);
}

TEST_F(ShootEditor, LeavingAnEditWritesTheShotsSixEventsAndNothingElse)
{
    Json::Value before = Pattern(2);
    before["Comment"] = "kept";
    JsonFile().WriteJsonDocument(PatternFile(2), before);

    ClickOn("shoot_gun_op_2");
    ClickOn("bullet_op_20"); // pulled right in the shipped data
    ASSERT_FALSE(Option("bullet_x_check")->IsSelected());
    ClickOn("bullet_x_check"); // left
    EXPECT_EQ(Text("bullet_x_check"), Translated("mouse_move_to_left_text"));
    Enter("bullet_x_eidt", "3");
    Enter("bullet_y_eidt", "7");
    Enter("bullet_delay_eidt", "120");

    const Json::Value after = Pattern(2);
    EXPECT_EQ(after["Comment"], "kept");
    ASSERT_EQ(after["Events"].size(), 180u);
    const Json::Value expected[] = {Event(1, 1, "down", 10), Event(1, 1, "up", 0), Event(4, 3, "down", 5),
                                    Event(5, 7, "up", 120),  Event(4, 0, "down", 0), Event(5, 0, "up", 0)};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(after["Events"][120 + i], expected[i]) << 120 + i;
    for (int i = 0; i < 180; ++i) {
        if (i < 120 || i >= 126)
            ASSERT_EQ(after["Events"][i], before["Events"][i]) << i;
    }
    EXPECT_EQ(Pattern(1), JsonFile().ReadJsonDocument(DefaultFile(1)));

    // Shown again from the file after moving away and back.
    ClickOn("bullet_selected_prev");
    ClickOn("bullet_selected_next");
    EXPECT_EQ(Text("bullet_select_index"), "21");
    EXPECT_EQ(Text("bullet_x_eidt"), "3");
    EXPECT_TRUE(Option("bullet_x_check")->IsSelected());
    EXPECT_EQ(Text("bullet_delay_eidt"), "120");
}

TEST_F(ShootEditor, ValuesBeyondWhatTheMouseTakesAreCappedAndNonNumbersAreZero)
{
    Enter("bullet_x_eidt", "999");
    Enter("bullet_y_eidt", "abc");
    Enter("bullet_delay_eidt", "70000");
    const Json::Value events = Pattern(0)["Events"];
    EXPECT_EQ(events[2]["Button"], 255);
    EXPECT_EQ(events[3]["Button"], 0);
    EXPECT_EQ(events[3]["Delay"], 65535);
    EXPECT_EQ(Text("bullet_x_eidt"), "255");
}

TEST_F(ShootEditor, SavingIntoAMissingFileCreatesJustThatShot)
{
    fs::remove(PatternFile(1));
    ClickOn("shoot_gun_op_1");
    Enter("bullet_y_eidt", "4");
    EXPECT_EQ(Pattern(1)["Events"].size(), 6u);

    fs::remove(PatternFile(1));
    Panel()->SelectShot(29);
    Enter("bullet_y_eidt", "4");
    const Json::Value events = Pattern(1)["Events"];
    ASSERT_EQ(events.size(), 180u);
    EXPECT_TRUE(events[173].isNull());
    EXPECT_EQ(events[174], Event(1, 1, "down", 10));
    EXPECT_EQ(events[177]["Button"], 4);
}

TEST_F(ShootEditor, ShotAndGunChoicesStopAtTheEnds)
{
    Panel()->SelectShot(29);
    ClickOn("bullet_selected_next");
    EXPECT_EQ(Panel()->GetShot(), 29);
    EXPECT_EQ(Text("bullet_select_index"), "30");
    ClickOn("bullet_op_0");
    ClickOn("bullet_selected_prev");
    EXPECT_EQ(Panel()->GetShot(), 0);
    EXPECT_EQ(Text("bullet_select_index"), "1");
    Panel()->SelectGun(7);
    EXPECT_EQ(Panel()->SelectedGun(), 3);
    EXPECT_TRUE(Option("shoot_gun_op_3")->IsSelected());
    EXPECT_FALSE(Option("shoot_gun_op_0")->IsSelected());
}

TEST_F(ShootEditor, ImportReplacesOnlyTheSelectedGun)
{
    Json::Value imported = Pattern(0);
    imported["Events"][3]["Button"] = 40;
    imported["Events"][3]["Delay"] = "95"; // decimal text, as macro files hold delays
    answer = dir / "mine.shoot";
    JsonFile().WriteJsonDocument(answer, imported);
    const Json::Value others[] = {Pattern(0), Pattern(2), Pattern(3)};

    ClickOn("shoot_gun_op_1");
    ClickOn("shootdate_import_btn");
    EXPECT_EQ(asked, std::vector<std::string>{"open"});
    EXPECT_TRUE(notices.empty());
    EXPECT_EQ(ReadBytes(PatternFile(1)), ReadBytes(answer));
    EXPECT_EQ(Text("bullet_y_eidt"), "40");
    EXPECT_EQ(Text("bullet_delay_eidt"), "95");
    EXPECT_EQ(Pattern(0), others[0]);
    EXPECT_EQ(Pattern(2), others[1]);
    EXPECT_EQ(Pattern(3), others[2]);
}

TEST_F(ShootEditor, FilesThatAreNoPatternAreRefusedWithNothingChanged)
{
    Json::Value tooLong = Pattern(0);
    tooLong["Events"].append(tooLong["Events"][0]);
    Json::Value badEvent = Pattern(0);
    badEvent["Events"][7] = "click";
    Json::Value unknownType = Pattern(0);
    unknownType["Events"][7]["Type"] = 77;
    const std::string cases[] = {
        "", "not json", "{\"Events\": {}}", "{\"Events\": []}", tooLong.toStyledString(), badEvent.toStyledString(),
        unknownType.toStyledString(),
    };
    const std::string before = ReadBytes(PatternFile(0));
    for (const std::string& bytes : cases) {
        SCOPED_TRACE(bytes.substr(0, 20));
        answer = dir / "bad.shoot";
        WriteBytes(answer, bytes);
        notices.clear();
        ClickOn("shootdate_import_btn");
        EXPECT_EQ(notices, std::vector<std::string>{"shoot_import_invalid_text"});
        EXPECT_EQ(ReadBytes(PatternFile(0)), before);
    }
    answer = dir / "missing.shoot";
    notices.clear();
    ClickOn("shootdate_import_btn");
    EXPECT_EQ(notices, std::vector<std::string>{"shoot_import_invalid_text"});
}

TEST_F(ShootEditor, CancelledDialogsChangeNothing)
{
    const auto before = testsupport::FolderSnapshot(Mouse()->DeviceFolder());
    answer.clear();
    ClickOn("shootdate_import_btn");
    ClickOn("shootdate_export_btn");
    EXPECT_EQ(asked, (std::vector<std::string>{"open", "save"}));
    EXPECT_EQ(testsupport::FolderSnapshot(Mouse()->DeviceFolder()), before);
    EXPECT_TRUE(notices.empty());
}

TEST_F(ShootEditor, ExportCopiesTheSelectedGunsFile)
{
    ClickOn("shoot_gun_op_3");
    answer = dir / "out.shoot";
    ClickOn("shootdate_export_btn");
    EXPECT_EQ(ReadBytes(answer), ReadBytes(PatternFile(3)));
    answer = dir / "no-such-folder/out.shoot";
    ClickOn("shootdate_export_btn");
    EXPECT_EQ(notices, std::vector<std::string>{"shoot_file_not_written_text"});
}

TEST_F(ShootEditor, ResetBringsBackTheDefaultOfTheSelectedGunOnly)
{
    Enter("bullet_y_eidt", "50");
    ClickOn("shoot_gun_op_1");
    Enter("bullet_y_eidt", "60");
    ClickOn("shootdate_reset_btn");
    EXPECT_EQ(ReadBytes(PatternFile(1)), ReadBytes(DefaultFile(1)));
    EXPECT_EQ(Pattern(0)["Events"][3]["Button"], 50);
    EXPECT_EQ(Text("bullet_y_eidt"), "6"); // gun 1, shot 0 of the shipped data
}

TEST_F(ShootEditor, SendPutsTheEditedPatternsIntoTheMousesMemory)
{
    ClickOn("shoot_gun_op_0");
    ClickOn("bullet_y_check"); // up
    Enter("bullet_y_eidt", "12");
    Enter("bullet_delay_eidt", "300");
    ClickOn("shootdate_save_btn");
    EXPECT_TRUE(notices.empty());
    const std::vector<uint8_t> memory = sim->Mouse().Firmware().PatternMemory();
    ASSERT_GE(memory.size(), 24u + 4 + 16);
    ASSERT_EQ(memory[16] | memory[17] << 8, 24); // gun 0's entry follows the offset table
    ASSERT_EQ(memory[24], 180);
    // Event 3 of entry 0: 300 ms, vertical move up (type 5 with the down bit), 12 pixels.
    const size_t event3 = 24 + 4 + 3 * 4;
    EXPECT_EQ(std::vector<uint8_t>(memory.begin() + event3, memory.begin() + event3 + 4),
              (std::vector<uint8_t>{300 & 0xFF, 300 >> 8, 0x85, 12}));

    // A send the mouse refuses is reported.
    sim->Mouse().Firmware().ScheduleFault(SimFault::StatusFF, 0, 1000);
    ClickOn("shootdate_save_btn");
    EXPECT_EQ(notices, std::vector<std::string>{"shoot_upload_failed_text"});
}

} // namespace
