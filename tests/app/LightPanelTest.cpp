// The lighting panel through the main window: a control's notification travels the routing to
// the selected device's panel, reaches the profile file and then the simulated device; saved
// effects play from the mouse's profile; the pad's page gets its own effect list.

#include "AppFixture.h"

#include "device/COrlithMouseDevice.h"
#include "device/DeviceKind.h"
#include "device/LightPanelView.h"
#include "panels/CLightControlUI.h"
#include "profile/JsonFile.h"
#include "profile/LightConfigFile.h"
#include "support/SimRequests.h"
#include "toolkit/ComboUI.h"
#include "toolkit/OptionUI.h"
#include "toolkit/SliderUI.h"

#include <functional>
#include <string>
#include <vector>

namespace {

using testsupport::Request;

class LightPanel : public AppTest {
protected:
    void Connect()
    {
        Open();
        sim->Plug("mouse");
        ScanOnce();
        Mouse()->Channel().SetSleepFunction([](int) {});
        host.Advance(600);
        sim->Mouse().Firmware().ClearRequests();
    }

    COrlithMouseDevice& Device() { return *static_cast<COrlithMouseDevice*>(Mouse()->GetInterface("OrlithMouseDevice")); }
    // A control of the panel on the device's own page (every page has one of each name).
    CControlUI* Part(COrlithUSBDevice* device, const std::string& name)
    {
        return window->GetPaintManager().FindSubControlByName(device, name.c_str());
    }
    CControlUI* Part(const std::string& name) { return Part(Mouse(), name); }
    template <typename T>
    T* PartAs(const std::string& name, const char* iface) { return static_cast<T*>(Part(name)->GetInterface(iface)); }
    void Send(const std::string& name, const char* type) { window->GetPaintManager().SendNotify(Part(name), type); }

    Json::Value StoredLight()
    {
        return JsonFile().ReadJsonDocument(Device().Profile().GetProfilePath())["Device"][0]["LightInfo"];
    }
    int RecordByte(int at) { return sim->Mouse().Firmware().ProfileRegion()[static_cast<size_t>(at)]; }
};

// Each change goes out as one bracketed record write after the profile file holds it.
TEST_F(LightPanel, EachChangeReachesTheProfileFileAndTheMouse)
{
    Connect();
    ASSERT_NE(Device().Profile().GetProfilePath(), Device().Profile().GetDefaultProfilePath());
    const DWORD preset = static_cast<CLightControlUI*>(Part(LightPanelView::kItemName)->GetInterface("LightControl"))->GetColourOption(12);
    struct Row {
        std::function<void()> act;
        const char* key;
        int stored;
        int recordByte;
        int sent;
    };
    const Row rows[] = {
        {[&] { PartAs<CComboUI>("light_combo_modeSelect", "Combo")->SelectItem(6); }, "SelectItem", 6, 1, 6},
        {[&] { PartAs<CSliderUI>("deng_light_slider", "Slider")->SetValue(2); Send("deng_light_slider", "valuechanged"); },
         "Light", 2, 2, 2},
        {[&] { PartAs<CSliderUI>("deng_speed_slider", "Slider")->SetValue(1); Send("deng_speed_slider", "valuechanged"); },
         "Speed", 1, 3, 3}, // the record holds 4 - speed
        {[&] {
             auto* forward = PartAs<COptionUI>("deng_FXL_check", "Option");
             forward->Selected(false, false);
             forward->Selected(true);
         },
         "Fx", 1, 4, 1},
        {[&] {
             auto* seven = PartAs<COptionUI>("deng_7color_check", "Option");
             seven->Selected(false, false);
             seven->Selected(true);
         },
         "MultiColor", 1, 5, 1},
        {[&] { Send("color_option_12", "click"); }, "Blue", static_cast<int>(preset & 0xFF), 8, static_cast<int>(preset & 0xFF)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.key);
        sim->Mouse().Firmware().ClearRequests();
        row.act();
        EXPECT_EQ(StoredLight()[row.key].asInt(), row.stored);
        EXPECT_EQ(RecordByte(row.recordByte), row.sent);
        const std::vector<Request> expected{{0x01, 0, 0}, {0x06, 56, 0}, {0x06, 30, 56}, {0x02, 0, 0}};
        EXPECT_EQ(testsupport::RequestsWithoutLinkTests(sim->Mouse().Firmware()), expected);
    }
    EXPECT_EQ(StoredLight()["MultiColor"].asInt(), 0) << "a preset colour ends the seven colours";
    EXPECT_EQ(StoredLight()["SelectItem"].asInt(), 6);
}

TEST_F(LightPanel, AnEffectSavedOnThePanelPlaysFromTheMousesProfile)
{
    Connect();
    PartAs<CComboUI>("light_combo_modeSelect", "Combo")->SelectItem(1); // breathing
    Part("light_effect_name_edit")->SetText("Calm");
    Send("light_effect_save_btn", "click");

    const LightConfigFile config(Device().DeviceFolder());
    ASSERT_EQ(config.Effects(1).size(), 1u);
    EXPECT_EQ(config.Effects(1)[0].name, "Calm");
    const int modes = Device().NameLists().ModeCount();
    EXPECT_EQ(StoredLight()["SelectItem"].asInt(), modes);
    const std::vector<LightEffectStep> steps = Device().Profile().GetLightEffectSteps();
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_EQ(steps[0].mode, 0) << "a breathing frame";
    EXPECT_EQ(std::string(PartAs<CComboUI>("light_combo_modeSelect", "Combo")->GetText()), "Calm");

    // The effect list survives a restart of the page's reading.
    Device().LoadProfile();
    Device().RefreshPage();
    EXPECT_EQ(PartAs<CComboUI>("light_combo_modeSelect", "Combo")->GetCurSel(), modes);
}

// "deng_same_mode" is offered only while a second product is there to follow the effect.
TEST_F(LightPanel, SynchronisedLightingIsOfferedWhileTwoProductsArePresent)
{
    Connect();
    PartAs<CComboUI>("light_combo_modeSelect", "Combo")->SelectItem(0); // static offers it
    EXPECT_FALSE(Part("deng_same_mode")->IsVisible());
    sim->Plug("pad");
    ScanOnce();
    EXPECT_TRUE(Part("deng_same_mode")->IsVisible());
    Mouse()->SetSynchronised(true);
    sim->Unplug("pad");
    ScanOnce();
    EXPECT_FALSE(Part("deng_same_mode")->IsVisible());
    EXPECT_FALSE(Mouse()->IsSynchronised());
}

TEST_F(LightPanel, ThePadPageListsThePadsEffectsAndTakesChanges)
{
    Open();
    sim->Plug("pad");
    ScanOnce();
    COrlithUSBDevice* pad = window->SelectedDevice();
    ASSERT_NE(pad, nullptr);
    ASSERT_EQ(pad->Kind(), kDeviceMousePad);
    auto* combo = static_cast<CComboUI*>(Part(pad, "light_combo_modeSelect")->GetInterface("Combo"));
    ASSERT_EQ(combo->GetCount(), 9);
    EXPECT_FALSE(combo->GetItemAt(5)->IsVisible()) << "custom playback is not offered";
    combo->SelectItem(3);
    EXPECT_EQ(pad->GetLightSettings().selectItem, 3);
    EXPECT_FALSE(Part(pad, "deng_7color_check")->IsEnabled()) << "static has one colour";
    EXPECT_TRUE(Part(pad, "colorpallet_layout")->IsEnabled());
}

} // namespace
