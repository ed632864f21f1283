#include "AppFixture.h"

#include "app/FirmwareUpdater.h"
#include "log/LogFile.h"
#include "platform/SettingsStore.h"
#include "toolkit/ComboUI.h"
#include "toolkit/headless/SyntheticInput.h"
#include "ui/CAboutWnd.h"
#include "ui/CSetWnd.h"
#include "ui/CSkinFrame.h"
#include "ui/CUpdateInfoListItemUI.h"
#include "ui/LanguageList.h"
#include "ui/ProgramVersion.h"
#include "ui/SkinSettingsFile.h"

#include <filesystem>
#include <functional>
#include <sys/stat.h>

namespace {

// The main window's own windows: settings, about, the background picker and the firmware
// question. A modal window runs its own loop; WhileModal hands it to the test once it is up.
class ShellWindows : public AppTest {
protected:
    // Runs action from inside the next modal loop (a queue timer due in 10 ms).
    void WhileModal(std::function<void()> action)
    {
        CMessageQueue::Instance().SetTimer(this, 1, 10, [this, action] {
            CMessageQueue::Instance().KillTimer(this, 1);
            action();
        });
    }
    static CWindowWnd* OpenWindowOfClass(const char* className)
    {
        for (CPaintManagerUI* manager : CPaintManagerUI::GetPaintManagers())
            if (manager->GetName() == className)
                return manager->GetWindow();
        return nullptr;
    }
    static CControlUI* FindIn(const char* className, const char* control)
    {
        CWindowWnd* window = OpenWindowOfClass(className);
        auto* impl = dynamic_cast<WindowImplBase*>(window);
        return impl ? impl->GetPaintManager().FindControl(control) : nullptr;
    }
    void CloseAfter(const char* className)
    {
        if (CWindowWnd* window = OpenWindowOfClass(className))
            window->Close(IDOK);
    }
    std::string MainIni() { return testsupport::ReadFileBytes(dir / "data/QV742-CORE/main.ini"); }
    std::string RootImage() { return std::string(Find("root")->GetBkImage()); }
};

TEST_F(ShellWindows, ALanguageChosenInSettingsSwitchesEveryOpenWindowAtOnce)
{
    Open();
    sim->Plug("mouse");
    ScanOnce();
    ASSERT_EQ(window->Languages().CurrentIndex(), 0) << "the locale-less test starts in the first language";
    std::string settingsTitle, aboutVersion, statusLine, mainCaption;
    int settingsIndex = -1;
    WhileModal([&] {
        CSetWnd* settings = window->SettingsWindow();
        ASSERT_TRUE(settings);
        settings->SetStatus(CSetWnd::kLatest);
        synthetic::Click(FindIn("SetWnd", "about_btn"));
    });
    // Inside the about window (over the settings window): the user picks English in settings.
    CMessageQueue::Instance().SetTimer(&settingsIndex, 2, 30, [&] {
        CMessageQueue::Instance().KillTimer(&settingsIndex, 2);
        auto* combo = static_cast<CComboUI*>(FindIn("SetWnd", "Language_combox_info"));
        ASSERT_TRUE(combo && OpenWindowOfClass("AboutWnd"));
        combo->SelectItem(1, false, true);
        host.RunPending();
        settingsTitle = FindIn("SetWnd", "Update_Status_text")->GetText();
        aboutVersion = FindIn("AboutWnd", "software_ver_label")->GetText();
        mainCaption = Find("title_caption")->GetText();
        settingsIndex = window->SettingsWindow()->LanguageIndex();
        CloseAfter("AboutWnd");
        CMessageQueue::Instance().SetTimer(&settingsIndex, 3, 10, [&] {
            CMessageQueue::Instance().KillTimer(&settingsIndex, 3);
            CloseAfter("SetWnd");
        });
    });
    synthetic::Click(Find("setbtn"));
    EXPECT_EQ(window->Languages().CurrentIndex(), 1);
    EXPECT_EQ(settingsIndex, 1);
    EXPECT_EQ(mainCaption, "Device Center");
    EXPECT_EQ(aboutVersion, "Software version");
    EXPECT_EQ(settingsTitle, "Everything is up to date: " + ProgramVersionText()) << "the version line is rebuilt";
    platform::SettingsStore settings(platform::SettingsStore::DefaultPath());
    EXPECT_EQ(settings.QueryDword(LanguageList::kSettingsKey, LanguageList::kSettingsValue).value_or(0), 1033u);
    EXPECT_EQ(window->SettingsWindow(), nullptr);
}

TEST_F(ShellWindows, TheUpdateListNamesTheConnectedMouseAndTheProgram)
{
    Open();
    EXPECT_EQ(window->BuildUpdateEntries().size(), 1u) << "only the program without devices";
    sim->Plug("mouse");
    ScanOnce();
    std::vector<UpdateEntry> entries = window->BuildUpdateEntries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].component, "QZ20M31B");
    EXPECT_EQ(entries[0].versionNumber, 0x0103);
    EXPECT_TRUE(entries[0].hexVersion);
    EXPECT_EQ(entries[1].component, "ALL");
    EXPECT_EQ(entries[1].versionNumber, ProgramVersionNumber());

    int rows = 0;
    WhileModal([&] {
        host.RunUntil([&] { return window->SettingsWindow()->RowCount() == 2; });
        rows = window->SettingsWindow()->RowCount();
        window->SendMessage(CMainWnd::kMsgOpenSettingsCentred, 0, 0); // a second one is refused
        CloseAfter("SetWnd");
    });
    synthetic::Click(Find("setbtn"));
    EXPECT_EQ(rows, 2);
}

TEST_F(ShellWindows, UpdaterProgressReachesTheOpenSettingsWindow)
{
    Open();
    sim->Plug("mouse");
    ScanOnce();
    std::string percent;
    WhileModal([&] {
        CSetWnd* settings = window->SettingsWindow();
        host.RunUntil([&] { return settings->RowCount() == 2; });
        settings->Row(0)->SetState(CUpdateInfoListItemUI::kDownloadWait);
        window->SendMessage(window->Messages().updateRelay, CSetWnd::kPercent, 37);
        percent = settings->Row(0)->Part("update_progress_value")->GetText();
        window->SendMessage(window->Messages().updateRelay, CSetWnd::kComponentDone, 0);
        CloseAfter("SetWnd");
    });
    synthetic::Click(Find("setbtn"));
    EXPECT_EQ(percent, "37%");
}

TEST_F(ShellWindows, AnUnknownSkinInMainIniFallsBackToTheDefaultBackground)
{
    const struct {
        const char* ini;
        const char* image;
        DWORD colour;
    } cases[] = {
        {"[SKINIMAGE]\nFLAGS=1\nIMAGE=skin/bg_ember.svg\n", "skin/bg_ember.svg", 0},
        {"[SKINIMAGE]\nFLAGS=1\nIMAGE=skin/no_such_look.png\n", "common/background.png", 0},
        {"[SKINIMAGE]\nFLAGS=1\nIMAGE=../../../etc/passwd\n", "common/background.png", 0},
        {"[SKINIMAGE]\nFLAGS=9\n", "common/background.png", 0},
        {"[SKINIMAGE]\nFLAGS=2\nCOLOR=#FF201417\n", "", 0xFF201417},
    };
    std::filesystem::create_directories(dir / "data/QV742-CORE");
    for (const auto& c : cases) {
        testsupport::WriteFileBytes(dir / "data/QV742-CORE/main.ini", c.ini);
        Open();
        EXPECT_EQ(RootImage(), c.image) << c.ini;
        EXPECT_EQ(Find("root")->GetBkColor(), c.colour) << c.ini;
        EXPECT_EQ(MainIni(), c.ini) << "reading never rewrites the file";
        window->DestroyWindow();
        window.reset();
    }
}

TEST_F(ShellWindows, ABackgroundChosenInThePickerSurvivesARestart)
{
    Open();
    synthetic::Click(Find("skinbtn"));
    host.RunPending();
    CSkinFrame* picker = CSkinFrame::Current();
    ASSERT_TRUE(picker);
    std::vector<CControlUI*> presets;
    picker->GetPaintManager().GetRoot()->FindControl(
        [](CControlUI* control, void* found) -> CControlUI* {
            if (control->GetName() == "skin_image_btn")
                static_cast<std::vector<CControlUI*>*>(found)->push_back(control);
            return nullptr;
        },
        &presets, UIFIND_ALL);
    ASSERT_GE(presets.size(), 2u) << "at least two looks";
    synthetic::Click(presets[2]);
    const std::string chosen = presets[2]->GetBkImage();
    EXPECT_EQ(RootImage(), chosen);
    EXPECT_NE(MainIni().find("FLAGS=1\nIMAGE=" + chosen), std::string::npos) << MainIni();

    // Focus elsewhere closes the picker without a change.
    picker->SendMessage(WM_KILLFOCUS, 0, 0);
    host.RunPending();
    EXPECT_EQ(CSkinFrame::Current(), nullptr);
    EXPECT_EQ(RootImage(), chosen);

    window->DestroyWindow();
    Open();
    EXPECT_EQ(RootImage(), chosen);
}

TEST_F(ShellWindows, ColoursResetAndACancelledPictureDialogInThePicker)
{
    Open();
    synthetic::Click(Find("skinbtn"));
    host.RunPending();
    CPaintManagerUI& picker = CSkinFrame::Current()->GetPaintManager();
    synthetic::Click(picker.FindControl("skin_color"));
    host.RunPending();
    CControlUI* swatch = picker.FindControl("skin_color_btn");
    synthetic::Click(swatch);
    EXPECT_EQ(Find("root")->GetBkColor(), swatch->GetBkColor());
    EXPECT_EQ(RootImage(), "") << "a colour clears the picture";

    host.RunPending();
    synthetic::Click(picker.FindControl("skin_reset"));
    EXPECT_EQ(RootImage(), "common/background.png");
    EXPECT_EQ(Find("root")->GetBkColor(), 0u);
    std::optional<SkinChangedParam> stored = SkinSettingsFile(dir / "data/QV742-CORE/main.ini").Read();
    ASSERT_TRUE(stored);
    EXPECT_FALSE(stored->isColour);
    EXPECT_EQ(stored->image, "common/background.png");

    host.SetFileDialogAnswer("");
    synthetic::Click(picker.FindControl("skin_Custom"));
    host.RunPending();
    EXPECT_EQ(RootImage(), "common/background.png") << "a cancelled dialog changes nothing";
    EXPECT_EQ(CSkinFrame::Current(), nullptr);
}

using LandedPages = AppTest;

TEST_F(LandedPages, TheProfileMenuOpensOverThePictureWithoutMovingIt)
{
    Open();
    sim->Plug("mouse");
    ScanOnce();
    host.Advance(500);
    CControlUI* picture = Find("mouse_device_key_light");
    const RECT before = picture->GetPos();
    synthetic::Click(Find("profile_fun_spread_btn"));
    host.RunPending();
    ASSERT_TRUE(Visible("profile_menu_layout"));
    const RECT after = picture->GetPos();
    EXPECT_EQ(after.top, before.top);
    EXPECT_EQ(after.bottom, before.bottom);
    const RECT menu = Find("profile_menu_layout")->GetPos();
    EXPECT_GT(menu.bottom, menu.top + 40) << "the menu has its full height";
    EXPECT_EQ(window->GetPaintManager().FindControl(POINT{(menu.left + menu.right) / 2, menu.bottom - 8}) ==
                  picture,
              false) << "the menu is hit before the picture under it";
}

TEST_F(LandedPages, OnlyProductsWithABatteryShowThePowerCard)
{
    Open();
    const struct {
        const char* product;
        bool card;
    } cases[] = {{"pad", false}, {"headset", false}, {"mouse", true}};
    for (const auto& c : cases) {
        sim->Plug(c.product);
        ScanOnce();
        ASSERT_TRUE(window->SelectedDevice() && window->SelectedDevice()->IsConnected()) << c.product;
        EXPECT_EQ(Visible("device_power_switch"), c.card) << c.product;
        sim->Unplug(c.product);
        ScanOnce();
    }
}

// A program folder with the shipped default data and, when asked, an updater that writes down
// how it was started.
class FirmwareQuestion : public ShellWindows {
protected:
    FirmwareQuestion() : m_programFolder("QV742_DATA_DIR", dir / "program")
    {
        std::filesystem::create_directories(dir / "program");
        std::filesystem::create_directory_symlink(std::string(QV742_TEST_SOURCE_DIR) + "/data/DefaultData",
                                                  dir / "program/DefaultData");
    }
    void InstallUpdater()
    {
        std::filesystem::create_directories(dir / "program/Update");
        const std::string script = dir / (std::string("program/Update/") + FirmwareUpdater::kFileName);
        testsupport::WriteFileBytes(script, "#!/bin/sh\n{ pwd; printf '%s|' \"$@\"; } > \"" + std::string(dir / "started") +
                                                ".tmp\" && mv \"" + std::string(dir / "started") + ".tmp\" \"" +
                                                std::string(dir / "started") + "\"\n");
        chmod(script.c_str(), 0755);
    }
    // Reports version for the plugged mouse and answers the question with the button named.
    void ReportVersion(uint16_t version, const char* answer)
    {
        if (answer)
            WhileModal([this, answer] {
                questionShown = FindIn("MsgWnd", "MessageText") ? FindIn("MsgWnd", "MessageText")->GetTextRaw() : "";
                if (CControlUI* button = FindIn("MsgWnd", answer))
                    synthetic::Click(button);
                WhileModal([this] {
                    // A notice after the launch, if any.
                    notice = FindIn("MsgWnd", "MessageText") ? FindIn("MsgWnd", "MessageText")->GetTextRaw() : "";
                    if (CControlUI* ok = FindIn("MsgWnd", "confirm_btn"))
                        synthetic::Click(ok);
                });
            });
        window->SendMessage(kMsgFirmwareVersion, 0x22A4, version);
        host.RunPending();
    }

    testsupport::ScopedEnv m_programFolder;
    std::string questionShown;
    std::string notice;
    int exitCode = -1;
};

TEST_F(FirmwareQuestion, ACurrentFirmwareAsksNothingAndLetsTheMouseAnswer)
{
    Open();
    sim->Plug("mouse");
    ScanOnce();
    for (uint16_t version : {0x0103, 0x0104}) {
        Mouse()->Channel().SetSuspended(true);
        ReportVersion(version, nullptr);
        EXPECT_FALSE(Mouse()->Channel().IsSuspended()) << version;
        EXPECT_EQ(window->FirmwareUpdateFlag(), 0);
    }
}

TEST_F(FirmwareQuestion, ConfirmingStartsTheUpdaterInItsFolderAndQuietsTheMouse)
{
    InstallUpdater();
    Open();
    sim->Plug("mouse");
    ScanOnce();
    window->SetProcessExit([this](int code) { exitCode = code; });
    ReportVersion(0x0102, "confirm_btn");
    EXPECT_EQ(questionShown, "%[UpdateTiShiText]");
    EXPECT_EQ(window->FirmwareUpdateFlag(), 1);
    EXPECT_TRUE(Visible("No_device_Link"));
    EXPECT_TRUE(Mouse()->Channel().IsSuspended());
    EXPECT_EQ(exitCode, -1);
    ASSERT_TRUE(host.RunUntil([&] { return std::filesystem::exists(dir / "started"); }, 5000));
    std::string started = testsupport::ReadFileBytes(dir / "started");
    EXPECT_EQ(started, std::filesystem::canonical(dir / "program/Update").string() + "\nOn the upgrade|");
    EXPECT_EQ(notice, "") << "no notice after a launch";
    EXPECT_NE(testsupport::ReadFileBytes(dir / "data/QV742-CORE/Vintor.log").find("UpdateMacroKbDevice>pNoDeviceLinkLyout    true"),
              std::string::npos);
}

TEST_F(FirmwareQuestion, WithoutAnUpdaterTheUserIsToldAndTheMouseKeepsAnswering)
{
    Open();
    sim->Plug("mouse");
    ScanOnce();
    window->SetProcessExit([this](int code) { exitCode = code; });
    ReportVersion(0x0102, "confirm_btn");
    EXPECT_EQ(notice, "%[UpdaterMissingText]");
    EXPECT_FALSE(Mouse()->Channel().IsSuspended());
    EXPECT_EQ(exitCode, -1);
}

TEST_F(FirmwareQuestion, DecliningEndsTheProgramWithCodeZero)
{
    Open();
    window->SetProcessExit([this](int code) { exitCode = code; });
    ReportVersion(0x0102, "cancel_btn");
    EXPECT_EQ(exitCode, 0);
}

} // namespace
