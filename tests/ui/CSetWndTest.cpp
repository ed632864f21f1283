#include "ui/CSetWnd.h"

#include "profile/JsonFile.h"
#include "toolkit/OptionUI.h"
#include "toolkit/TabLayoutUI.h"
#include "toolkit/ToolkitFixture.h"
#include "ui/CUpdateInfoListItemUI.h"
#include "ui/LanguageManager.h"
#include "ui/ProgramVersion.h"

#include <filesystem>
#include <memory>

namespace {

// The shipped settings skin with a private user data folder; the rows come from the list worker.
class CSetWndTest : public ToolkitTest {
protected:
    CSetWndTest()
        : m_data("XDG_DATA_HOME", skin / "user"), m_program("QV742_DATA_DIR", QV742_TEST_SOURCE_DIR "/data")
    {
        CPaintManagerUI::SetResourcePath(QV742_TEST_SOURCE_DIR "/data/skin");
        EXPECT_TRUE(CResourceManager::GetInstance().LoadResource("res.xml"));
        CResourceManager::GetInstance().LoadLanguage(QV742_TEST_SOURCE_DIR "/data/DefaultData/lan_en.xml");
    }
    ~CSetWndTest() override
    {
        if (window)
            window->DestroyWindow();
    }

    static UpdateEntry Mouse()
    {
        UpdateEntry entry;
        entry.hexVersion = true;
        entry.versionNumber = 0x0102;
        entry.component = "QZ20M31B";
        entry.displayName = "MS";
        return entry;
    }
    static UpdateEntry Program()
    {
        UpdateEntry entry;
        entry.versionNumber = 100;
        entry.component = "ALL";
        entry.displayName = "AP";
        entry.versionText = "V0100";
        return entry;
    }

    CSetWnd& Open(std::vector<UpdateEntry> entries)
    {
        const int rows = static_cast<int>(entries.size());
        window = std::make_unique<CSetWnd>();
        window->SetUpdateEntries(std::move(entries));
        window->SetLanguageIndex(1);
        window->Create(nullptr, "SetWnd", WS_POPUP, WS_EX_TOOLWINDOW, 0, 0, CSetWnd::kWidth, CSetWnd::kHeight);
        window->ShowWindow(true);
        host.RunUntil([&] { return window->RowCount() == rows; });
        host.RunPending();
        return *window;
    }
    CControlUI* Find(const char* name) { return window->GetPaintManager().FindControl(name); }
    // Marks rows as needing an update, as the updater's check would.
    void OfferUpdate(int row, const char* newVersion)
    {
        window->Row(row)->SetState(CUpdateInfoListItemUI::kNeedUpdate);
        window->Row(row)->Part("updateRev")->SetText(newVersion);
        window->Row(row)->Part("updateRev")->SetVisible(true);
    }

    testsupport::ScopedEnv m_data, m_program;
    std::unique_ptr<CSetWnd> window;
};

TEST_F(CSetWndTest, RowsShowEachComponentsCurrentVersionAndStartUpToDate)
{
    Open({Mouse(), Program()});
    ASSERT_EQ(window->RowCount(), 2);
    CUpdateInfoListItemUI* mouse = window->Row(0);
    EXPECT_EQ(mouse->Part("OldRev")->GetText(), "V0102") << "hex versions show as V%04x";
    EXPECT_EQ(mouse->CheckBox()->GetText(), "Mouse");
    EXPECT_FALSE(mouse->CheckBox()->IsEnabled());
    EXPECT_FALSE(mouse->Part("updateRev")->IsVisible());
    EXPECT_EQ(mouse->GetState(), CUpdateInfoListItemUI::kUpdated);
    EXPECT_EQ(window->Row(1)->Part("OldRev")->GetText(), "V0100");
    EXPECT_EQ(window->Row(1)->CheckBox()->GetText(), "QV742-CORE program");
    EXPECT_EQ(Find("Update_Status_text")->GetText(), "Waiting for update information");
}

TEST_F(CSetWndTest, AnEmptyListShowsTheWaitingStatusAndTheDateIsKept)
{
    Open({});
    EXPECT_EQ(window->RowCount(), 0);
    EXPECT_EQ(window->GetStatus(), CSetWnd::kGettingInfo);
    EXPECT_TRUE(Find("update_status_ring")->IsVisible());
    Json::Value stored = JsonFile().ReadJsonDocument(CSetWnd::UpdateTimePath());
    ASSERT_TRUE(stored["updatelasttime"]["value"].isString());
    const std::string today = stored["updatelasttime"]["value"].asString();
    EXPECT_EQ(today.find('-'), 4u) << today;

    testsupport::WriteFileBytes(CSetWnd::UpdateTimePath(), R"({"updatelasttime":{"value":"2025-7-1"}})");
    window->DestroyWindow();
    Open({});
    EXPECT_EQ(JsonFile().ReadJsonDocument(CSetWnd::UpdateTimePath())["updatelasttime"]["value"].asString(), "2025-7-1");
}

TEST_F(CSetWndTest, ADamagedDateFileIsKeptAsideBeforeTodayReplacesIt)
{
    std::filesystem::create_directories(skin / "user/QV742-CORE");
    testsupport::WriteFileBytes(CSetWnd::UpdateTimePath(), "{ not json");
    Open({});
    EXPECT_TRUE(JsonFile().ReadJsonDocument(CSetWnd::UpdateTimePath())["updatelasttime"]["value"].isString());
    int kept = 0;
    for (const auto& file : std::filesystem::directory_iterator(skin / "user/QV742-CORE"))
        kept += file.path().filename().string().find("updatetime.config.damaged") == 0;
    EXPECT_EQ(kept, 1);
}

TEST_F(CSetWndTest, ChosenUpdatesRunThroughTheUpdaterProgressAndHoldTheWindowOpen)
{
    Open({Mouse(), Program()});
    OfferUpdate(0, "V0103");
    OfferUpdate(1, "V0101");
    EXPECT_TRUE(window->Row(0)->CheckBox()->IsEnabled());
    EXPECT_FALSE(Find("update_fw_and_ap")->IsVisible());
    window->Row(0)->CheckBox()->Selected(true);
    EXPECT_TRUE(Find("update_fw_and_ap")->IsVisible());

    host.RunPending();
    synthetic::Click(Find("update_fw_and_ap"));
    EXPECT_EQ(static_cast<CTabLayoutUI*>(Find("get_update_tab_layout"))->GetCurSel(), 1);
    host.RunPending();
    synthetic::Click(Find("update_OK_btn"));
    host.RunPending();
    EXPECT_EQ(static_cast<CTabLayoutUI*>(Find("get_update_tab_layout"))->GetCurSel(), 0);
    EXPECT_EQ(window->Row(0)->GetState(), CUpdateInfoListItemUI::kDownloadWait);
    EXPECT_FALSE(window->Row(1)->CheckBox()->IsVisible()) << "rows not chosen hide their check box";
    EXPECT_FALSE(Find("update_fw_and_ap")->IsVisible());
    EXPECT_TRUE(CSetWnd::UpdateRequested());

    window->OnUpdaterProgress(CSetWnd::kPercent, 37);
    EXPECT_EQ(window->Row(0)->Part("update_progress_value")->GetText(), "37%");
    EXPECT_TRUE(window->Row(0)->Part("update_status_ing")->IsVisible());

    window->Close(IDOK);
    host.RunPending();
    ASSERT_TRUE(window->GetHWND()) << "a download in progress keeps the window open";

    window->OnUpdaterProgress(CSetWnd::kComponentDone, 0);
    EXPECT_EQ(window->Row(0)->GetState(), CUpdateInfoListItemUI::kUpdated);
    EXPECT_EQ(window->Row(0)->Part("OldRev")->GetText(), "V0103");
    EXPECT_FALSE(window->Row(0)->CheckBox()->IsSelected());
    EXPECT_TRUE(window->Row(1)->CheckBox()->IsVisible()) << "the other offer comes back";
    EXPECT_EQ(window->GetStatus(), CSetWnd::kHaveUpdate);

    window->Close(IDOK);
    host.RunPending();
    EXPECT_FALSE(window->GetHWND());
}

TEST_F(CSetWndTest, TheLastComponentDoneShowsTheProgramVersionAgainAfterALanguageChange)
{
    Open({Mouse()});
    OfferUpdate(0, "V0103");
    window->Row(0)->CheckBox()->Selected(true);
    host.RunPending();
    synthetic::Click(Find("update_fw_and_ap"));
    host.RunPending();
    synthetic::Click(Find("update_OK_btn"));
    window->OnUpdaterProgress(CSetWnd::kComponentDone, 0);
    EXPECT_EQ(window->GetStatus(), CSetWnd::kLatest);
    EXPECT_EQ(Find("Update_Status_text")->GetText(), "Everything is up to date: " + ProgramVersionText());

    CResourceManager::GetInstance().LoadLanguage(QV742_TEST_SOURCE_DIR "/data/DefaultData/lan_cn.xml");
    window->SendMessage(LanguageChangedMessage, 0, 0);
    EXPECT_EQ(Find("Update_Status_text")->GetText(), "已是最新版本： " + ProgramVersionText());
}

TEST(UpdateInfoListItem, StatesSetTheirTextIndicatorAndCheckBox)
{
    const struct {
        int state;
        const char* key;
        bool busy, done, checkable;
    } cases[] = {
        {0, "LessUpdateText", false, false, false}, {2, "NeedUpdateText", false, false, true},
        {4, "DownloadIngText", true, false, false}, {5, "DownloadOkText", false, true, false},
        {6, "UpdateIngText", true, false, false},   {8, "UpdateFailText", false, false, true},
    };
    CHeadlessHost host;
    CPaintManagerUI::SetResourcePath(QV742_TEST_SOURCE_DIR "/data/skin");
    CPaintManagerUI manager;
    for (const auto& c : cases) {
        CUpdateInfoListItemUI row;
        ASSERT_TRUE(row.Build(&manager));
        row.SetState(c.state);
        EXPECT_EQ(row.Part("update_status_text")->GetTextRaw(), std::string("%[") + c.key + "]") << c.state;
        EXPECT_EQ(row.Part("update_status_ing")->IsVisible(), c.busy) << c.state;
        EXPECT_EQ(row.Part("update_progress_value")->IsVisible(), c.busy) << c.state;
        EXPECT_EQ(row.Part("update_status_ok")->IsVisible(), c.done) << c.state;
        EXPECT_EQ(row.CheckBox()->IsEnabled(), c.checkable) << c.state;
    }
}

} // namespace
