#include "ui/ColorSelectWnd.h"

#include "profile/JsonFile.h"
#include "toolkit/ColorPaletteUI.h"
#include "toolkit/OptionUI.h"
#include "toolkit/ToolkitFixture.h"

#include <filesystem>
#include <memory>

namespace {

// The shipped dialog skin with a private user data folder and the shipped default data.
class ColorSelectWndTest : public ToolkitTest {
protected:
    ColorSelectWndTest()
        : m_data("XDG_DATA_HOME", skin / "user"), m_program("QV742_DATA_DIR", QV742_TEST_SOURCE_DIR "/data")
    {
        CPaintManagerUI::SetResourcePath(QV742_TEST_SOURCE_DIR "/data/skin");
        EXPECT_TRUE(CResourceManager::GetInstance().LoadResource("res.xml"));
    }
    ~ColorSelectWndTest() override { Close(); }

    CColorSelectWnd& Open()
    {
        Close();
        dialog = std::make_unique<CColorSelectWnd>();
        dialog->Create(nullptr, "PalletDialog", WS_POPUP, WS_EX_TOOLWINDOW, 0, 0, 800, 572);
        dialog->ShowWindow(true);
        host.RunPending();
        return *dialog;
    }
    void Close()
    {
        if (dialog)
            dialog->DestroyWindow();
        dialog.reset();
    }

    CControlUI* Find(const std::string& name) { return dialog->GetPaintManager().FindControl(name.c_str()); }
    COptionUI* Option(const std::string& name) { return static_cast<COptionUI*>(Find(name)->GetInterface("Option")); }
    void Type(const char* edit, const char* text)
    {
        Find(edit)->SetText(text);
        dialog->GetPaintManager().SendNotify(Find(edit), "textchanged");
    }

    testsupport::ScopedEnv m_data, m_program;
    std::unique_ptr<CColorSelectWnd> dialog;
};

TEST_F(ColorSelectWndTest, FirstRunCopiesTheDefaultSwatchesAndShowsThem)
{
    ASSERT_FALSE(std::filesystem::exists(CColorSelectWnd::ConfigPath()));
    Open();
    EXPECT_TRUE(std::filesystem::exists(CColorSelectWnd::ConfigPath()));
    EXPECT_EQ(Find("color_option_0")->GetBkColor(), 0xFFFF0000u);
    EXPECT_EQ(dialog->SelectedUserSwatch(), -1) << "no user swatch is a target on opening";

    Option("color_option_1")->Selected(true);
    EXPECT_EQ(dialog->GetCurrentColour(), 0xFFFF5000u);
    EXPECT_EQ(std::string(Find("color_edit_g")->GetText()), "80");
    EXPECT_EQ(dialog->SelectedPreset(), 1);
}

TEST_F(ColorSelectWndTest, ChannelEditsClampAndCountEmptyAsZero)
{
    Open();
    dialog->SetCurrentColour(0xFF102030);
    const struct {
        const char* edit;
        const char* typed;
        const char* shown;
        DWORD colour;
    } cases[] = {
        {"color_edit_r", "300", "255", 0xFFFF2030},
        {"color_edit_g", "", "0", 0xFFFF0030},
        {"color_edit_b", "7", "7", 0xFFFF0007},
    };
    for (const auto& c : cases) {
        Type(c.edit, c.typed);
        EXPECT_EQ(std::string(Find(c.edit)->GetText()), c.shown) << c.edit;
        EXPECT_EQ(dialog->GetCurrentColour(), c.colour) << c.edit;
    }
    EXPECT_EQ(Find("color_show_btn")->GetBkColor(), 0xFFFF0007u);
}

TEST_F(ColorSelectWndTest, PaletteColourFillsTheSelectedUserSwatchAcrossOpenings)
{
    Open();
    Option("collect_color_option_3")->Selected(true);
    auto* palette = static_cast<CColorPaletteUI*>(Find("Pallet")->GetInterface("ColorPalette"));
    palette->SetSelectColor(0xFF00FF00);
    dialog->GetPaintManager().SendNotify(palette, "colorchanged");
    EXPECT_EQ(Find("collect_color_option_3")->GetBkColor(), 0xFF00FF00u);
    EXPECT_EQ(std::string(Find("color_edit_g")->GetText()), "255");

    Open();
    EXPECT_EQ(Find("collect_color_option_3")->GetBkColor(), 0xFF00FF00u);
    EXPECT_EQ(std::string(Find("collect_color_option_3")->GetUserData()), "1");
    EXPECT_EQ(Find("collect_color_option_4")->GetBkColor(), 0xFFFFFFFFu) << "an empty slot shows white";
    EXPECT_EQ(dialog->SelectedUserSwatch(), -1);
    JsonFile json;
    const Json::Value document = json.ReadJsonDocument(CColorSelectWnd::ConfigPath());
    EXPECT_EQ(document["coloroptioninfo"]["palletDialogcollectcoloroption"][3]["color"].asString(), "FF00FF00");
}

TEST_F(ColorSelectWndTest, ADamagedSwatchFileIsKeptAsideAndNothingThrowsOnAClick)
{
    const std::string damaged = R"({"coloroptioninfo":{"palletDialogcoloroption":"x","palletDialogcollectcoloroption":[1,{"color":5}]}})";
    std::filesystem::create_directories(std::filesystem::path(CColorSelectWnd::ConfigPath()).parent_path());
    testsupport::WriteFileBytes(CColorSelectWnd::ConfigPath(), damaged);
    Open();
    EXPECT_EQ(Find("color_option_0")->GetBkColor(), 0xFFFF0000u) << "the default swatches replace the damaged ones";
    Option("color_option_2")->Selected(true);
    Option("collect_color_option_1")->Selected(true);
    Type("color_edit_r", "12");

    const Json::Value document = JsonFile().ReadJsonDocument(CColorSelectWnd::ConfigPath());
    EXPECT_EQ(document["coloroptioninfo"]["palletDialogcoloroption_selectitem"], 2);
    EXPECT_EQ(document["coloroptioninfo"]["palletDialogcollectcoloroption"][1]["UserData"], "1");
    int copies = 0;
    for (const auto& item : std::filesystem::directory_iterator(std::filesystem::path(CColorSelectWnd::ConfigPath()).parent_path()))
        copies += testsupport::ReadFileBytes(item.path().string()) == damaged;
    EXPECT_EQ(copies, 1);
}

TEST_F(ColorSelectWndTest, HiddenSevenColourChoiceIsNeverOn)
{
    Open();
    dialog->SetSevenColour(true);
    EXPECT_TRUE(Option("7color")->IsSelected());
    dialog->ShowSevenColour(false);
    EXPECT_FALSE(Find("7color_layout")->IsVisible());
    EXPECT_FALSE(Option("7color")->IsSelected());
    EXPECT_FALSE(dialog->IsSevenColour());
}

} // namespace
