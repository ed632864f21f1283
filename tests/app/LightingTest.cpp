// The lighting preview and synchronised lighting through the main window, with the simulated
// mouse and pad. The lighting threads do not run here: the test steps the effects on a clock of
// its own, exactly as the threads would.
#include "AppFixture.h"
#include "device/COrlithMouseDevice.h"
#include "device/COrlithMousePadDevice.h"
#include "device/LightTables.h"
#include "profile/JsonFile.h"
#include "toolkit/OptionUI.h"
#include "toolkit/custom/DeviceKeyButtonUI.h"

#include <chrono>
#include <functional>
#include <thread>
#include <vector>

using namespace lighting;

namespace {

class Lighting : public AppTest {
protected:
    // The window with the mouse and the pad plugged and their connect reads done.
    void Connect()
    {
        Open();
        sim->Plug("mouse");
        sim->Plug("pad");
        ScanOnce();
        for (COrlithUSBDevice* device : window->Devices().AllDevices())
            device->Channel().SetSleepFunction([](int) {});
        host.Advance(600);
        ASSERT_NE(Pad(), nullptr);
        ASSERT_TRUE(Pad()->IsConnected());
    }

    COrlithMouseDevice& MouseDevice() { return *static_cast<COrlithMouseDevice*>(Mouse()->GetInterface("OrlithMouseDevice")); }
    COrlithMousePadDevice* Pad()
    {
        for (COrlithUSBDevice* device : window->Devices().AllDevices()) {
            if (auto* pad = static_cast<COrlithMousePadDevice*>(device->GetInterface("OrlithMousePadDevice")))
                return pad;
        }
        return nullptr;
    }
    CDeviceOptionUI* TileOf(COrlithUSBDevice* device) { return static_cast<CDeviceOptionUI*>(device->Tile()); }
    CDeviceKeyButtonUI* LightControl(COrlithUSBDevice& device, int light)
    {
        return static_cast<CDeviceKeyButtonUI*>(device.LightControls()[static_cast<size_t>(light)]->GetInterface("DeviceKeyButton"));
    }
    // Lets the readers' messages and the timers they arm run until done() (2 s at most).
    bool WaitFor(const std::function<bool()>& done)
    {
        for (int attempt = 0; attempt < 400; ++attempt) {
            host.RunPending();
            host.Advance(60);
            if (done())
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return false;
    }
    static DWORD ScreenColour(Rgb rgb) { return static_cast<DWORD>(rgb.red) << 16 | rgb.green << 8 | rgb.blue; }

    // The mouse's lighting as the user would leave it on the lighting panel.
    void SetMouseLighting(int mode, int speed)
    {
        LightInfo light = MouseDevice().GetLightSettings();
        light.selectItem = static_cast<uint8_t>(mode);
        light.speed = static_cast<uint8_t>(speed);
        light.brightness = 4;
        light.multiColor = 1;
        light.direction = 1;
        MouseDevice().SetLightSettings(light);
        MouseDevice().LoadLightState();
    }
};

} // namespace

TEST_F(Lighting, PreviewPaintsTheEffectAndRepaintsOnlyWhenALightChanged)
{
    Connect();
    SetMouseLighting(3, 2); // spectrum, a step every 18 ms
    MouseDevice().StepLighting(1000);
    EXPECT_TRUE(MouseDevice().PaintLightPreview());
    EXPECT_EQ(LightControl(MouseDevice(), 14)->GetLightColour(), ScreenColour(Rainbow(1)));
    EXPECT_EQ(LightControl(MouseDevice(), 14)->GetLightLevel(), 255);
    EXPECT_FALSE(MouseDevice().PaintLightPreview()) << "nothing changed since the last paint";
    MouseDevice().StepLighting(1017);
    EXPECT_FALSE(MouseDevice().PaintLightPreview()) << "no step is due before 18 ms";
    MouseDevice().StepLighting(1018);
    EXPECT_TRUE(MouseDevice().PaintLightPreview());
    EXPECT_EQ(LightControl(MouseDevice(), 0)->GetLightColour(), ScreenColour(Rainbow(2)));

    SetMouseLighting(0, 2); // static: one step, then the picture stands
    EXPECT_EQ(MouseDevice().StepLighting(1019), LightEngine::kNoWake);
    EXPECT_TRUE(MouseDevice().PaintLightPreview());
    MouseDevice().StepLighting(9000);
    EXPECT_FALSE(MouseDevice().PaintLightPreview());
}

TEST_F(Lighting, PadShowsItsProfilesEffectAndTakesTheEffectItsButtonChose)
{
    Connect();
    // The pad's default profile: wave, multicolour, speed 3.
    Pad()->StepLighting(500);
    EXPECT_EQ(Pad()->GetLightColour(0), PackLight(Rainbow(2), 255));
    EXPECT_EQ(Pad()->GetLightColour(1), PackLight(Rainbow(9), 255));
    EXPECT_TRUE(Pad()->PaintLightPreview());

    // The pad's own button moves it to spectrum; the notice makes the program read it back.
    sim->SetEffect("pad", 1, 4);
    ASSERT_TRUE(WaitFor([&] { return Pad()->GetLightSettings().selectItem == 1; }));
    EXPECT_EQ(Pad()->GetLightSettings().speed, 4);
    Pad()->StepLighting(600);
    EXPECT_EQ(Pad()->GetLightColour(14), PackLight(Rainbow(191), 255)) << "the pad's record runs it backwards";
}

TEST_F(Lighting, KeyPressOnTheMouseStartsTheReactiveEffect)
{
    Connect();
    SetMouseLighting(7, 4);
    EXPECT_EQ(MouseDevice().StepLighting(100), LightEngine::kNoWake);
    EXPECT_EQ(LightLevelOf(MouseDevice().GetLightColour(3)), 0);
    sim->Mouse().PressKey();
    uint64_t now = 100;
    ASSERT_TRUE(WaitFor([&] {
        now += 7;
        MouseDevice().StepLighting(now);
        return LightLevelOf(MouseDevice().GetLightColour(3)) > 0;
    }));
    EXPECT_EQ(LightLevelOf(MouseDevice().GetLightColour(3)), 255 * 255 / 256);
    for (int step = 0; step < 17; ++step)
        MouseDevice().StepLighting(now += 7);
    EXPECT_EQ(LightLevelOf(MouseDevice().GetLightColour(3)), 0) << "down by 15 per step";
}

TEST_F(Lighting, SameModeRunsOneEffectOverMouseAndPadUntilEachLeaves)
{
    Connect();
    SetMouseLighting(3, 4); // spectrum: the pad shows it as its mode 1
    sim->MousePad().Firmware().ClearRequests();
    window->StartSynchronisedLighting();
    host.RunPending();

    EXPECT_TRUE(MouseDevice().IsSynchronised());
    EXPECT_TRUE(Pad()->IsSynchronised());
    EXPECT_EQ(Pad()->GetLightSettings().selectItem, 1);
    EXPECT_EQ(sim->MousePad().Firmware().ProfileRegion()[1], 1) << "the pad was written its spectrum";
    EXPECT_TRUE(TileOf(&MouseDevice())->IsSynchroSelected());
    EXPECT_TRUE(TileOf(Pad())->IsSynchroSelected());

    LightSyncThread& sync = window->LightSync();
    EXPECT_EQ(sync.Step(5000), 7);
    MouseDevice().StepLighting(5000); // the own effects rest while in step
    Pad()->StepLighting(5000);
    const uint32_t frame = MouseDevice().GetLightColour(0);
    for (int light = 0; light < 15; ++light) {
        EXPECT_EQ(MouseDevice().GetLightColour(light), frame);
        EXPECT_EQ(Pad()->GetLightColour(light), frame);
    }
    sync.Step(5007);
    EXPECT_NE(Pad()->GetLightColour(0), frame) << "the next frame 7 ms later";
    EXPECT_EQ(Pad()->GetLightColour(0), MouseDevice().GetLightColour(14));

    // A hand-made change takes the mouse out; the pad stays in step.
    MouseDevice().SetSynchronised(false);
    host.RunPending();
    EXPECT_FALSE(TileOf(&MouseDevice())->IsSynchroSelected());
    MouseDevice().StepLighting(6000);
    sync.Step(6007);
    EXPECT_NE(MouseDevice().GetLightColour(0), Pad()->GetLightColour(0));

    // Clearing the pad tile's synchronised mark takes the pad out: nobody is left in step.
    auto* padMark = static_cast<COptionUI*>(window->GetPaintManager().FindSubControlByName(TileOf(Pad()), "synchro_device_select")->GetInterface("Option"));
    ASSERT_TRUE(padMark->IsVisible());
    padMark->Selected(false);
    host.RunPending();
    EXPECT_FALSE(Pad()->IsSynchronised());
    EXPECT_EQ(sync.Step(6500), LightSyncEffect::kNoWake);

    // With one product left, synchronised lighting ends.
    window->StartSynchronisedLighting();
    host.RunPending();
    ASSERT_TRUE(Pad()->IsSynchronised());
    sim->Unplug("mouse");
    ScanOnce();
    EXPECT_FALSE(Pad()->IsSynchronised());
    EXPECT_EQ(sync.Step(7000), LightSyncEffect::kNoWake);
}

TEST_F(Lighting, SameModeFromAnUnmappedModeChangesNothing)
{
    Connect();
    SetMouseLighting(4, 4); // ring ripple has no synchronised form
    window->StartSynchronisedLighting();
    host.RunPending();
    EXPECT_FALSE(MouseDevice().IsSynchronised());
    EXPECT_FALSE(Pad()->IsSynchronised());
}
