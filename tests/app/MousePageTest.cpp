// The mouse page through the main window: a control's notification travels the routing, changes
// the profile file and reaches the simulated mouse; a notice from the mouse reaches the page.

#include "AppFixture.h"

#include "app/ProfileCommands.h"
#include "channel/CommandPacket.h"
#include "device/COrlithMouseDevice.h"
#include "macro/MacroFile.h"
#include "macro/MacroLibrary.h"
#include "profile/JsonFile.h"
#include "support/SimRequests.h"
#include "toolkit/ComboUI.h"
#include "toolkit/OptionUI.h"
#include "toolkit/SliderUI.h"
#include "ui/CDeviceProfileUI.h"

#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

using testsupport::Request;

constexpr int kStageBytes = 14; // stage 0 of the settings record

class MousePage : public AppTest {
protected:
    // The window with the mouse plugged (cable or receiver) and its connect read done.
    void Connect(bool receiver)
    {
        Open();
        sim->Plug(receiver ? "receiver" : "mouse");
        ScanOnce();
        Device().Channel().SetSleepFunction([](int) {});
        host.Advance(600);
        ASSERT_TRUE(Device().Commands().Sensor().Id() == MouseSensor::kSensor3395);
        Firmware().ClearRequests();
    }

    COrlithMouseDevice& Device() { return *static_cast<COrlithMouseDevice*>(Mouse()->GetInterface("OrlithMouseDevice")); }
    SimFirmware& Firmware() { return sim->Mouse().Firmware(); }
    CControlUI* Find(const std::string& name) { return AppTest::Find(name.c_str()); }
    COptionUI* Option(const std::string& name) { return static_cast<COptionUI*>(Find(name)->GetInterface("Option")); }
    CSliderUI* Slider(const std::string& name) { return static_cast<CSliderUI*>(Find(name)->GetInterface("Slider")); }
    std::string Text(const std::string& name) { return Find(name)->GetText(); }
    void Send(const std::string& name, const char* type) { window->GetPaintManager().SendNotify(Find(name), type); }

    // Every request since the last ClearRequests, without the receiver's link tests.
    std::vector<Request> Requests() { return testsupport::RequestsWithoutLinkTests(Firmware()); }

    Json::Value StoredStage(int stage)
    {
        JsonFile json;
        const Json::Value document = json.ReadJsonDocument(Device().Profile().GetProfilePath());
        return document["Device"][0]["DPIStages"]["StageDPIs"][stage];
    }

    int DeviceStageIndex(int stage)
    {
        const Bytes region = Firmware().ProfileRegion();
        const int at = kStageBytes + 9 * stage;
        return region[at + 2] | region[at + 3] << 8;
    }
};

class MousePageRequest : public MousePage, public testing::WithParamInterface<bool> {};

INSTANTIATE_TEST_SUITE_P(WiredAndReceiver, MousePageRequest, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) { return info.param ? "Receiver" : "Wired"; });

TEST_P(MousePageRequest, SliderOfStageThreeReachesEditProfileFileAndMouse)
{
    Connect(GetParam());
    ASSERT_NE(Device().Profile().GetProfilePath(), Device().Profile().GetDefaultProfilePath());
    Slider("DPI_slider_3")->SetValue(100);
    Send("DPI_slider_3", "valuechanged");

    EXPECT_EQ(Text("DPI_edit_3"), "5050") << "50 n + 50 on the mouse's sensor";
    EXPECT_EQ(StoredStage(3)["StageDPIX"].asInt(), 100);
    const std::vector<Request> expected =
        GetParam() ? std::vector<Request>{{0x01, 0, 0}, {0x06, 24, 0}, {0x06, 24, 24}, {0x06, 24, 48}, {0x06, 14, 72}, {0x02, 0, 0}}
                   : std::vector<Request>{{0x01, 0, 0}, {0x06, 56, 0}, {0x06, 30, 56}, {0x02, 0, 0}};
    EXPECT_EQ(Requests(), expected);
    EXPECT_EQ(DeviceStageIndex(3), 100);
}

TEST_F(MousePage, DraggingShowsTheValueButStoresAndSendsNothing)
{
    Connect(false);
    const int before = StoredStage(3)["StageDPIX"].asInt();
    Slider("DPI_slider_3")->SetValue(19);
    Send("DPI_slider_3", "movevaluechanged");
    EXPECT_EQ(Text("DPI_edit_3"), "1000");
    EXPECT_EQ(StoredStage(3)["StageDPIX"].asInt(), before);
    EXPECT_TRUE(Requests().empty());
}

TEST_F(MousePage, NoticeFromTheMouseShowsItsProfileAndStageAfterTheUiThreadRuns)
{
    Connect(false);
    sim->Mouse().SendNotice(0x1123);
    ASSERT_TRUE(host.RunUntil([&] { return Option("DPI_select_check_2")->IsSelected(); }));
    EXPECT_EQ(Device().Commands().RecordCopy().profile, 3);
    EXPECT_EQ(Device().Profile().GetActiveStage(), 2);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(Option("DPI_select_check_" + std::to_string(i))->IsSelected(), i == 2) << i;
    EXPECT_FALSE(Find("DPI_enable_check_2")->IsEnabled()) << "the current stage cannot be disabled";
}

TEST_F(MousePage, TheLastEnabledStageCannotBeSwitchedOff)
{
    Connect(false);
    const int current = Device().Profile().GetActiveStage();
    const int last = current == 6 ? 5 : 6;
    for (int i = 0; i < 7; ++i) {
        if (i != current && i != last)
            Option("DPI_enable_check_" + std::to_string(i))->Selected(false);
    }
    EXPECT_TRUE(Find("DPI_enable_check_" + std::to_string(last))->IsEnabled()) << "two stages are still on";
    Option("DPI_enable_check_" + std::to_string(last))->Selected(false);

    EXPECT_FALSE(Find("DPI_layout_" + std::to_string(last))->IsEnabled());
    EXPECT_FALSE(Find("DPI_enable_check_" + std::to_string(current))->IsEnabled());
    EXPECT_TRUE(Option("DPI_enable_check_" + std::to_string(current))->IsSelected());
    const Bytes region = Firmware().ProfileRegion();
    int enabled = 0;
    for (int i = 0; i < 7; ++i)
        enabled += region[kStageBytes + 9 * i];
    EXPECT_EQ(enabled, 1) << "the mouse holds one enabled stage";

    Option("DPI_enable_check_" + std::to_string(last))->Selected(true);
    EXPECT_TRUE(Find("DPI_enable_check_" + std::to_string(last))->IsEnabled()) << "switching one on frees the others";
    EXPECT_TRUE(Find("DPI_layout_" + std::to_string(last))->IsEnabled());
}

TEST_F(MousePage, TypedValuesTurnIntoIndexesAndBackBySensorRule)
{
    Connect(false);
    const struct {
        const char* typed;
        int index;
        const char* shown;
    } cases[] = {{"30", 0, "50"}, {"", 0, "50"}, {"1625", 31, "1600"}, {"26000", 199, "10000"}};
    for (const auto& c : cases) {
        Find("DPI_edit_2")->SetText(c.typed);
        Send("DPI_edit_2", "killfocus");
        EXPECT_EQ(Text("DPI_edit_2"), c.shown) << c.typed;
        EXPECT_EQ(Slider("DPI_slider_2")->GetValue(), c.index) << c.typed;
        EXPECT_EQ(DeviceStageIndex(2), c.index) << c.typed;
    }
}

TEST_F(MousePage, ScrollLinesClearTheScrollPageCheckAndPointerPreferencesStayOnTheHost)
{
    Connect(false);
    Option("scrolls_page_check")->Selected(true);
    Slider("scroll_speed_slider")->SetValue(7);
    Option("scrolls_page_check")->Selected(false);
    Option("scrolls_page_check")->Selected(true);
    EXPECT_EQ(Slider("scroll_speed_slider")->GetValue(), 7) << "the slider keeps its value";
    auto system = Device().Profile().GetMouseSystem();
    EXPECT_EQ(system.words[MouseSystemSettings::ScrollPage], 1);

    Slider("scroll_speed_slider")->SetValue(5);
    Send("scroll_speed_slider", "valuechanged");
    EXPECT_FALSE(Option("scrolls_page_check")->IsSelected());
    system = Device().Profile().GetMouseSystem();
    EXPECT_EQ(system.words[MouseSystemSettings::ScrollPage], 0);
    EXPECT_EQ(system.words[MouseSystemSettings::WheelScrollLines], 5);
    EXPECT_TRUE(Requests().empty()) << "pointer preferences are not sent to the mouse";
}

TEST_F(MousePage, ChoicesReachTheRecordByIndexOrItemData)
{
    Connect(false);
    const struct {
        const char* control;
        int choice;
        int recordByte; // -1: stored only in the profile
        int word;
        int stored;
    } cases[] = {
        {"polling_rate_option_1", -1, 11, MouseSystemSettings::ReportRate, 1},
        {"Silent_Altitude_option_1", -1, 82, MouseSystemSettings::SilentAltitude, 1},
        {"Ripple_option_1", -1, 84, MouseSystemSettings::Ripple, 1},
        {"Anti_Shake_combo_timeSelect", 4, 81, MouseSystemSettings::KeyDebounceTime, 4},
        {"device_sleep1_combo", 3, 79, MouseSystemSettings::DeviceSleep1, 5},
        {"ble_sleep2_combo", 6, 78, MouseSystemSettings::BleSleep2, 30},
        {"logo_led_mode_combo", 2, -1, MouseSystemSettings::LogoLedMode, 6},
        {"logo_led_mode_combo", 1, -1, MouseSystemSettings::LogoLedMode, 1},
    };
    for (const auto& c : cases) {
        if (c.choice < 0)
            Option(c.control)->Selected(true);
        else
            static_cast<CComboUI*>(Find(c.control)->GetInterface("Combo"))->SelectItem(c.choice);
        EXPECT_EQ(Device().Profile().GetMouseSystem().words[c.word], c.stored) << c.control;
        if (c.recordByte >= 0) {
            EXPECT_EQ(Firmware().ProfileRegion()[static_cast<size_t>(c.recordByte)], c.stored) << c.control;
        }
    }
    EXPECT_TRUE(TimerArmed(MouseTile(), kTimerKeepAlive)) << "a new device sleep restarts the keep-alive";

    // A stored 6 shows the item that stores it.
    auto* logo = static_cast<CComboUI*>(Find("logo_led_mode_combo")->GetInterface("Combo"));
    logo->SelectItem(2);
    logo->SelectItem(0, false, false);
    Device().RefreshPage();
    EXPECT_EQ(logo->GetCurSel(), 2);
}

TEST_F(MousePage, StageColourFromTheDialogReachesSwatchAndMouse)
{
    Connect(false);
    int opened = 0;
    Device().SetColourDialog([&](uint32_t& colour) {
        ++opened;
        colour = 0xFF123456;
        return true;
    });
    Send("DPI_color_option_1", "click");
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(Find("DPI_color_option_1")->GetBkColor(), 0xFF123456u);
    const Bytes region = Firmware().ProfileRegion();
    EXPECT_EQ(Bytes(region.begin() + kStageBytes + 9 + 6, region.begin() + kStageBytes + 9 + 9), (Bytes{0x12, 0x34, 0x56}));

    Device().SetColourDialog([](uint32_t&) { return false; });
    Send("DPI_color_option_1", "click");
    EXPECT_EQ(Find("DPI_color_option_1")->GetBkColor(), 0xFF123456u) << "cancel changes nothing";
}

TEST_F(MousePage, RepairButtonMarksTheMouseAndStartsTheFullRead)
{
    Connect(false);
    Bytes info = Firmware().InfoBlock();
    info[7] = 3; // neither prepared nor blank
    Firmware().SetInfoBlock(info);
    Device().Commands().ReadDeviceData();
    EXPECT_TRUE(Visible("Error_device_Link"));
    Send("errordevice_connect_btn", "click");
    EXPECT_EQ(Firmware().InfoBlock()[7], 15);
    EXPECT_TRUE(TimerArmed(MouseTile(), kTimerConnect));
    host.Advance(500);
    EXPECT_FALSE(Visible("Error_device_Link"));
}

TEST_F(MousePage, QuickSensitivityEditIsClampedAndMovesItsSliderWhichShowsItsValue)
{
    Connect(false);
    const struct {
        const char* typed;
        int value;
    } cases[] = {{"9000", 6500}, {"100", 200}, {"1234", 1234}};
    for (const auto& c : cases) {
        Find("tavix_DPI_edit_4")->SetText(c.typed);
        Send("tavix_DPI_edit_4", "killfocus");
        EXPECT_EQ(Text("tavix_DPI_edit_4"), std::to_string(c.value)) << c.typed;
        EXPECT_EQ(Slider("tavix_DPI_slider_4")->GetValue(), c.value) << c.typed;
    }
    Slider("tavix_DPI_slider_6")->SetValue(3200);
    Send("tavix_DPI_slider_6", "movevaluechanged");
    EXPECT_EQ(Text("tavix_DPI_edit_6"), "3200");
    EXPECT_EQ(Text("tavix_DPI_edit_4"), "1234") << "each stage has its own pair";
}

TEST_F(MousePage, SettingsSwitchShowsItsPartAndAnUnknownPartShowsTheFirst)
{
    Connect(false);
    Option("mouse_device_seting_option_2")->Selected(true);
    EXPECT_EQ(TabIndex("mouse_device_seting_layout"), 2);
    Option("mouse_device_seting_option_1")->Selected(true);
    EXPECT_EQ(TabIndex("mouse_device_seting_layout"), 1);

    // An option past the parts (a skin with more options than parts).
    COptionUI* beyond = Option("mouse_device_seting_option_2");
    beyond->Selected(false, false);
    beyond->SetName("mouse_device_seting_option_4");
    beyond->Selected(true);
    EXPECT_EQ(TabIndex("mouse_device_seting_layout"), 0);
}

TEST_F(MousePage, ChosenProfileReachesTheMouseWithTheMacrosItsButtonsUse)
{
    Connect(false);
    MacroLibrary macros;
    macros.SetFolder(Device().DeviceFolder());
    macros.LoadMacroList();
    std::string name;
    ASSERT_EQ(macros.NewMacro(name), kMacroDone);
    const std::vector<MacroEvent> events{{MacroEventType::Key, 0x2C, true, 10}};
    ASSERT_EQ(JsonFile().WriteJsonDocument(macros.MacroFilePath(0), MacroFile::Document(name, macros.Entries()[0].guid, events)), 0);

    CDeviceProfileUI* panel = ProfileCommands::PanelOf(Mouse());
    ASSERT_EQ(panel->Add(), kProfileDone);
    CMouseProfiledata chosen;
    chosen.LoadProfile(panel->ProfilePathAt(1));
    chosen.SetProfilePath(panel->ProfilePathAt(1));
    std::vector<DpiStage> stages = chosen.GetDpiStages();
    const int index = DeviceStageIndex(3) + 7;
    stages[3].dpiX = stages[3].dpiY = static_cast<uint16_t>(index);
    chosen.SetDpiStages(stages);
    std::vector<KeyAssignment> keys = chosen.GetKeyList();
    keys[3].current.function = KeyFunction::FromPacked(0x700000); // macro 0
    chosen.SetKeyList(keys);
    ASSERT_EQ(chosen.SaveProfile(), 0);

    static_cast<CComboUI*>(window->GetPaintManager().FindSubControlByName(panel, "device_profile_combo")->GetInterface("Combo"))
        ->SelectItem(1);
    host.Advance(400);
    EXPECT_EQ(Device().Profile().GetProfilePath(), panel->ProfilePathAt(1));
    EXPECT_EQ(DeviceStageIndex(3), index);
    EXPECT_EQ(Text("DPI_edit_3"), std::to_string(50 * index + 50)) << "the page shows the chosen profile";
    const Bytes memory = Firmware().MacroMemory();
    ASSERT_GE(memory.size(), 26u);
    EXPECT_EQ(Bytes(memory.begin(), memory.begin() + 5), (Bytes{0xAA, 0x55, 26, 0, 1})) << "one macro uploaded";
    EXPECT_EQ(Bytes(memory.begin() + 24, memory.begin() + 26), (Bytes{0x8A, 0x2C})) << "its key step";
}
} // namespace
