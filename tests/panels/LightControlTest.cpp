// The lighting panel against a device that writes down what it is asked to do: every handler
// changes the right lighting field and runs store, preview and device write in that order; the
// groups follow the mode tables; custom effects are saved to and removed from the device folder.

#include "device/COrlithUSBDevice.h"
#include "device/DeviceKind.h"
#include "panels/CLightControlUI.h"
#include "profile/LightConfigFile.h"
#include "support/TempFolder.h"
#include "toolkit/ColorPaletteUI.h"
#include "toolkit/ComboUI.h"
#include "toolkit/ControlFactory.h"
#include "toolkit/DialogBuilder.h"
#include "toolkit/OptionUI.h"
#include "toolkit/ResourceManager.h"
#include "toolkit/SliderUI.h"
#include "toolkit/TabLayoutUI.h"
#include "toolkit/VerticalLayoutUI.h"
#include "toolkit/WindowImplBase.h"
#include "toolkit/headless/HeadlessHost.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

const std::string kSource = QV742_TEST_SOURCE_DIR;

// Writes down the lighting operations in the order the panel calls them.
class RecordingDevice : public COrlithUSBDevice {
public:
    explicit RecordingDevice(int kind) { m_kind = kind; }
    void SetLightSettings(const LightInfo& settings) override
    {
        calls.push_back("set");
        COrlithUSBDevice::SetLightSettings(settings);
    }
    void SaveProfile() override { calls.push_back("save"); }
    void LoadLightState() override { calls.push_back("preview"); }
    int WriteProfileRecord(int profile, int value) override
    {
        calls.push_back("write " + std::to_string(profile) + "," + std::to_string(value));
        return 1;
    }

    std::vector<std::string> calls;
};

class PanelWindow : public WindowImplBase {
public:
    CDuiString GetSkinFile() override { return "window.xml"; }
    CDuiString QueryControlText(const CDuiString&, const CDuiString&) override { return ""; }
    CPaintManagerUI& Manager() { return m_pm; }

protected:
    const char* GetWindowClassName() const override { return "PanelWindow"; }
};

class LightControlTest : public ::testing::Test {
protected:
    LightControlTest()
    {
        CPaintManagerUI::SetResourcePath(kSource + "/data/skin/");
        CResourceManager::GetInstance().Release();
        CControlFactory::GetInstance()->RegistControl("CLightControlUI", [] { return new CLightControlUI; });
    }
    ~LightControlTest() override
    {
        if (window.GetHWND())
            window.DestroyWindow();
        CResourceManager::GetInstance().Release();
    }

    // A page of the device kind holding the shipped panel, filled as a device page is built.
    void Open(int kind, int familyLightIndex)
    {
        testsupport::WriteFileBytes(skin / "window.xml", R"(<Window size="900,500"><VerticalLayout name="root"/></Window>)");
        CResourceManager::GetInstance().Release();
        CPaintManagerUI::SetResourcePath(skin.Path() + "/");
        std::filesystem::create_directories(skin / "XML/CustomControlXML");
        std::filesystem::copy_file(kSource + "/data/skin/XML/CustomControlXML/LightControl.xml",
                                   skin / "XML/CustomControlXML/LightControl.xml");
        window.Create(nullptr, "panel", WS_POPUP, 0, 0, 0, 900, 500);
        host.RunPending();
        device = new RecordingDevice(kind);
        device->SetFamilyLightIndex(familyLightIndex);
        device->SetDeviceFolder(folder.Path());
        CDialogBuilder builder;
        CControlUI* root = builder.Create(CLightControlUI::kLayoutFile, nullptr, nullptr, &window.Manager());
        ASSERT_NE(root, nullptr) << builder.GetLastErrorMessage();
        panel = static_cast<CLightControlUI*>(root->GetInterface("LightControl"));
        ASSERT_NE(panel, nullptr);
        device->Add(root);
        static_cast<CContainerUI*>(window.Manager().FindControl("root")->GetInterface("Container"))->Add(device);
        device->FillLightPanel();
        device->ShowLightPanel();
        host.RunPending();
    }

    CControlUI* Find(const std::string& name) { return window.Manager().FindSubControlByName(panel, name.c_str()); }
    template <typename T>
    T* FindAs(const std::string& name, const char* iface) { return static_cast<T*>(Find(name)->GetInterface(iface)); }
    bool Enabled(const char* name) { return Find(name)->IsEnabled(); }

    // The panel's handler for a notification of the named control.
    bool Notify(const std::string& name, const char* type)
    {
        TNotifyUI msg;
        msg.sType = type;
        msg.pSender = Find(name);
        return panel->HandleNotify(msg, *device);
    }

    testsupport::TempFolder skin, folder;
    testsupport::ScopedEnv program{"QV742_DATA_DIR", kSource + "/data"};
    CHeadlessHost host;
    PanelWindow window;
    RecordingDevice* device = nullptr;
    CLightControlUI* panel = nullptr;
};

TEST_F(LightControlTest, EveryControlChangesItsFieldThenStoresPreviewsAndWritesInOrder)
{
    Open(kDeviceMouse, 1);
    panel->SetColourDialog([](uint32_t& argb) {
        argb = 0xFF00FF80;
        return true;
    });
    const DWORD preset12 = panel->GetColourOption(12);
    ASSERT_NE(preset12, 0u);

    struct Row {
        const char* control;
        const char* type;
        std::function<void()> prepare;
        std::function<void(const LightInfo&)> check;
        bool clearsSync;
    };
    const Row rows[] = {
        {"light_combo_modeSelect", "itemselect", [&] { FindAs<CComboUI>("light_combo_modeSelect", "Combo")->SelectItem(3, false, false); },
         [](const LightInfo& s) { EXPECT_EQ(s.selectItem, 3); }, true},
        {"deng_light_slider", "valuechanged", [&] { FindAs<CSliderUI>("deng_light_slider", "Slider")->SetValue(2); },
         [](const LightInfo& s) { EXPECT_EQ(s.brightness, 2); }, true},
        {"deng_speed_slider", "valuechanged", [&] { FindAs<CSliderUI>("deng_speed_slider", "Slider")->SetValue(1); },
         [](const LightInfo& s) { EXPECT_EQ(s.speed, 1); }, true},
        {"deng_7color_check", "selectchanged", [&] { FindAs<COptionUI>("deng_7color_check", "Option")->Selected(true, false); },
         [](const LightInfo& s) { EXPECT_EQ(s.multiColor, 1); }, true},
        {"deng_FXL_check", "selectchanged", [] {}, [](const LightInfo& s) { EXPECT_EQ(s.direction, 1); }, true},
        {"deng_FXR_check", "selectchanged", [] {}, [](const LightInfo& s) { EXPECT_EQ(s.direction, 0); }, true},
        {"deng_Color_Pallet", "colorchanged",
         [&] { FindAs<CColorPaletteUI>("deng_Color_Pallet", "ColorPalette")->SetSelectColor(0xFF123456); },
         [&](const LightInfo& s) {
             EXPECT_EQ(s.red, 0x12);
             EXPECT_EQ(s.green, 0x34);
             EXPECT_EQ(s.blue, 0x56);
             EXPECT_EQ(s.multiColor, 0);
             EXPECT_EQ(panel->GetRedText() + "," + panel->GetGreenText() + "," + panel->GetBlueText(), "18,52,86");
         },
         true},
        {"deng_edit_G", "killfocus", [&] { panel->SetGreenText("300"); },
         [&](const LightInfo& s) {
             EXPECT_EQ(s.green, 255);
             EXPECT_EQ(panel->GetGreenText(), "255");
         },
         true},
        {"deng_edit_B", "killfocus", [&] { panel->SetBlueText(""); },
         [&](const LightInfo& s) {
             EXPECT_EQ(s.blue, 0);
             EXPECT_EQ(s.green, 255); // the other components stay as stored
             EXPECT_EQ(panel->GetBlueText(), "0");
         },
         true},
        {"color_option_12", "click", [&] { panel->SetMultiColour(1); },
         [&](const LightInfo& s) {
             EXPECT_EQ(0xFF000000u | s.red << 16 | s.green << 8 | s.blue, 0xFF000000u | preset12);
             EXPECT_EQ(s.multiColor, 0);
             EXPECT_EQ(panel->GetMultiColour(), 0);
         },
         false},
        {"deng_colordp_btn", "click", [] {},
         [&](const LightInfo& s) {
             EXPECT_EQ(s.red << 16 | s.green << 8 | s.blue, 0x00FF80);
             EXPECT_EQ(panel->GetPaletteColour(), 0xFF00FF80u);
         },
         true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.control);
        row.prepare();
        device->calls.clear();
        device->SetSynchronised(true);
        ASSERT_TRUE(Notify(row.control, row.type));
        EXPECT_EQ(device->calls, (std::vector<std::string>{"set", "save", "preview", "write 0,0"}));
        EXPECT_EQ(device->IsSynchronised(), !row.clearsSync);
        row.check(device->GetLightSettings());
    }
}

TEST_F(LightControlTest, GroupsFollowTheModeTableOfTheDeviceKind)
{
    Open(kDeviceMouse, 1);
    // "Custom playback" (9) is hidden and the modes after it keep their numbers.
    auto* combo = FindAs<CComboUI>("light_combo_modeSelect", "Combo");
    ASSERT_EQ(combo->GetCount(), 12);
    EXPECT_FALSE(combo->GetItemAt(9)->IsVisible());
    EXPECT_EQ(std::string(combo->GetItemAt(10)->GetUserData()), "light_mode_off");

    panel->SelectLightMode(2);
    EXPECT_TRUE(Enabled("deng_fx_layout"));
    panel->SelectLightMode(1);
    EXPECT_FALSE(Enabled("deng_fx_layout"));
    panel->SelectLightMode(0);
    EXPECT_FALSE(Enabled("deng_7color_check"));
    EXPECT_TRUE(Enabled("deng_color_layout"));
    EXPECT_FALSE(Enabled("deng_speed_layout"));
    EXPECT_FALSE(Find("deng_same_mode")->IsVisible()); // one device: never
    panel->SetSameModeAvailable(true);
    EXPECT_TRUE(Find("deng_same_mode")->IsVisible());
    panel->SelectLightMode(2);
    EXPECT_FALSE(Find("deng_same_mode")->IsVisible());

    panel->SetDeviceKind(kDeviceMousePad);
    panel->SelectLightMode(3);
    EXPECT_FALSE(Enabled("deng_7color_check"));
    EXPECT_TRUE(Enabled("colorpallet_layout"));
    EXPECT_FALSE(Enabled("deng_speed_layout"));

    // The keyboard's own groups: audio styles hide the speed and show the audio colours.
    auto* tabs = new CTabLayoutUI;
    tabs->SetName("light_color_tablayout");
    tabs->Add(new CVerticalLayoutUI);
    tabs->Add(new CVerticalLayoutUI);
    panel->Add(tabs);
    panel->SetDeviceKind(kDeviceKeyboard);
    panel->SelectLightMode(29);
    EXPECT_FALSE(Find("deng_speed_layout")->IsVisible());
    EXPECT_EQ(tabs->GetCurSel(), 1);
    panel->SelectLightMode(1);
    EXPECT_TRUE(Find("deng_speed_layout")->IsVisible());
    EXPECT_EQ(tabs->GetCurSel(), 0);
    for (int mode : {0, 19, 31}) {
        panel->SelectLightMode(mode);
        for (const char* group : {"deng_7color_check", "deng_color_layout", "colorpallet_layout", "deng_light_layout",
                                  "deng_speed_layout", "deng_fx_layout"})
            EXPECT_FALSE(Enabled(group)) << mode << " " << group;
        EXPECT_TRUE(Enabled("lighteffect_layout")) << mode;
    }
}

TEST_F(LightControlTest, SavedEffectsJoinTheListAfterTheModesAndCanBeDeleted)
{
    Open(kDeviceMousePad, 2);
    panel->SelectLightMode(3);
    panel->SetPaletteColour(0xFF102030);
    LightInfo settings = device->GetLightSettings();
    settings.selectItem = 3; // static
    settings.brightness = 4;
    settings.red = 0x10;
    device->SetLightSettings(settings);
    Find("light_effect_name_edit")->SetText("  Sunset ");
    device->calls.clear();

    ASSERT_TRUE(Notify("light_effect_save_btn", "click"));
    const LightConfigFile config(folder.Path());
    ASSERT_EQ(config.Effects(2).size(), 1u);
    EXPECT_EQ(config.Effects(2)[0].name, "Sunset");
    const std::vector<LightEffectStep> steps = config.ReadSteps(config.Effects(2)[0].id);
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_EQ(steps[0].mode, 1); // the static step
    EXPECT_EQ(steps[0].red, 0x10);
    EXPECT_EQ(steps[0].brightness, 4);
    auto* combo = FindAs<CComboUI>("light_combo_modeSelect", "Combo");
    ASSERT_EQ(combo->GetCount(), 10);
    EXPECT_EQ(std::string(combo->GetItemAt(9)->GetText()), "Sunset");
    EXPECT_EQ(device->GetLightSettings().selectItem, 9);
    EXPECT_EQ(panel->GetLightMode(), 9);
    EXPECT_TRUE(Enabled("light_effect_delete_btn"));
    EXPECT_EQ(device->calls, (std::vector<std::string>{"set", "save", "preview", "write 0,0"}));

    ASSERT_TRUE(Notify("light_effect_delete_btn", "click"));
    EXPECT_TRUE(config.Effects(2).empty());
    EXPECT_EQ(combo->GetCount(), 9);
    EXPECT_EQ(device->GetLightSettings().selectItem, 0);
    EXPECT_FALSE(Enabled("light_effect_delete_btn"));
}

} // namespace
