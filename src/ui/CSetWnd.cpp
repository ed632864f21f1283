#include "ui/CSetWnd.h"

#include "platform/AtomicFile.h"
#include "platform/Folders.h"
#include "profile/JsonFieldReader.h"
#include "profile/JsonFile.h"
#include "toolkit/ComboUI.h"
#include "toolkit/ListLabelElementUI.h"
#include "toolkit/ListUI.h"
#include "toolkit/MessageQueue.h"
#include "toolkit/OptionUI.h"
#include "toolkit/ResourceManager.h"
#include "toolkit/TabLayoutUI.h"
#include "ui/CAboutWnd.h"
#include "ui/CUpdateInfoListItemUI.h"
#include "ui/LanguageList.h"
#include "ui/LanguageManager.h"
#include "ui/ProgramVersion.h"
#include "ui/WindowDpi.h"

#include <atomic>
#include <ctime>

namespace {

constexpr int kWorkerStopMs = 500;
const char kUpdaterProgressName[] = "{4695579F-999A-41d4-9FAF-EFFCE93EBF15}";
std::atomic<bool> g_updateRequested{false};

struct StatusLook {
    const char* textKey;
    bool ring;
};
constexpr StatusLook kStatusLooks[] = {
    {"GetUpdateInfoText", true}, {"HaveUpdateInfoText", false}, {"NoUpdateInfoText", false},
    {"ISUpdateINGText", true},   {"UpdateIsLastText", false},
};

std::string TodayText()
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return std::to_string(local.tm_year + 1900) + "-" + std::to_string(local.tm_mon + 1) + "-" +
           std::to_string(local.tm_mday);
}

bool IsWaitingOrBusy(int state)
{
    return state == CUpdateInfoListItemUI::kDownloadWait || state == CUpdateInfoListItemUI::kDownloading ||
           state == CUpdateInfoListItemUI::kDownloaded || state == CUpdateInfoListItemUI::kUpdating;
}

} // namespace

CSetWnd::CSetWnd() = default;

CSetWnd::~CSetWnd()
{
    StopWorkers();
}

bool CSetWnd::UpdateRequested()
{
    return g_updateRequested;
}

std::string CSetWnd::UpdateTimePath()
{
    return platform::Folders::UserDataFolder() + "/updatetime.config";
}

void CSetWnd::SetDpi(int dpi)
{
    m_dpi = AcceptWindowDpi(dpi, kDpiError);
    m_pm.SetDPI(m_dpi);
}

void CSetWnd::InitWindow()
{
    FillLanguageCombo();
    SetLanguageIndex(m_languageIndex);
    KeepUpdateTime();
    StartListWorker();
}

void CSetWnd::FillLanguageCombo()
{
    auto* combo = Control("Language_combox_info") ? static_cast<CComboUI*>(Control("Language_combox_info")->GetInterface("Combo")) : nullptr;
    if (!combo)
        return;
    LanguageList list;
    list.Load(platform::Folders::ProgramFolder() + "/DefaultData/Language.config");
    combo->RemoveAll();
    for (const LanguageEntry& entry : list.Entries()) {
        auto* item = new CListLabelElementUI;
        item->SetText(entry.text);
        combo->Add(item);
    }
}

void CSetWnd::SetLanguageIndex(int index)
{
    m_languageIndex = index;
    auto* combo = Control("Language_combox_info") ? static_cast<CComboUI*>(Control("Language_combox_info")->GetInterface("Combo")) : nullptr;
    if (combo && index >= 0 && index < combo->GetCount())
        combo->SelectItem(index, false, false);
}

void CSetWnd::OnLanguageChosen(int index)
{
    if (index < 0 || index == m_languageIndex)
        return;
    m_languageIndex = index;
    if (m_owner)
        ::SendMessage(m_owner, LanguageChangedMessage, static_cast<WPARAM>(index), 0);
}

void CSetWnd::KeepUpdateTime()
{
    JsonFile json;
    const std::string path = UpdateTimePath();
    Json::Value document = json.ReadJsonDocument(path);
    Json::Value* last = JsonFieldReader::Member(document, "updatelasttime");
    Json::Value* value = last ? JsonFieldReader::Member(*last, "value") : nullptr;
    if (value && value->isString() && !value->asString().empty())
        return;
    // A file that is there but unusable is kept beside the fresh one.
    if (platform::Folders::FileExists(path) && platform::AtomicFile::KeepAside(path).empty())
        return;
    if (!document.isObject())
        document = Json::Value(Json::objectValue);
    JsonFieldReader::ObjectMember(document, "updatelasttime")["value"] = TodayText();
    platform::Folders::EnsureUserDataFolder();
    json.WriteJsonDocument(path, document);
}

void CSetWnd::StartListWorker()
{
    SetStatus(kGettingInfo);
    HWND window = GetHWND();
    const int count = static_cast<int>(m_entries.size());
    // The worker only paces the rows; the UI thread builds each one when its message arrives.
    m_listWorker.Start([window, count](platform::Event& stop) {
        for (int i = 0; i < count && !stop.IsSet(); ++i)
            ::PostMessage(window, kMsgAddUpdateRow, static_cast<WPARAM>(i), 0);
    });
}

void CSetWnd::StopWorkers()
{
    m_listWorker.Stop(kWorkerStopMs);
}

void CSetWnd::AddRow(int entryIndex)
{
    auto* list = Control("device_update_list_info") ? static_cast<CListUI*>(Control("device_update_list_info")->GetInterface("List")) : nullptr;
    if (!list || entryIndex < 0 || entryIndex >= static_cast<int>(m_entries.size()))
        return;
    auto* row = new CUpdateInfoListItemUI;
    if (!row->Build(&m_pm)) {
        delete row;
        return;
    }
    list->Add(row);
    row->Fill(m_entries[entryIndex]);
    if (COptionUI* box = row->CheckBox())
        box->SetEnabled(false);
}

int CSetWnd::RowCount() const
{
    auto* list = Control("device_update_list_info") ? static_cast<CListUI*>(Control("device_update_list_info")->GetInterface("List")) : nullptr;
    return list ? list->GetCount() : 0;
}

CUpdateInfoListItemUI* CSetWnd::Row(int index) const
{
    auto* list = Control("device_update_list_info") ? static_cast<CListUI*>(Control("device_update_list_info")->GetInterface("List")) : nullptr;
    CControlUI* item = list && index >= 0 && index < list->GetCount() ? list->GetItemAt(index) : nullptr;
    return item ? static_cast<CUpdateInfoListItemUI*>(item->GetInterface("UpdateInfoListItem")) : nullptr;
}

bool CSetWnd::IsUpdateBusy() const
{
    for (int i = 0; i < RowCount(); ++i) {
        if (CUpdateInfoListItemUI* row = Row(i); row && IsWaitingOrBusy(row->GetState()))
            return true;
    }
    return false;
}

void CSetWnd::SetStatus(int status)
{
    if (status < 0 || status >= static_cast<int>(std::size(kStatusLooks)))
        return;
    m_status = status;
    const StatusLook& look = kStatusLooks[status];
    if (CControlUI* ring = Control("update_status_ring"))
        ring->SetVisible(look.ring);
    if (CControlUI* image = Control("update_status_image"))
        image->SetVisible(!look.ring);
    if (CControlUI* text = Control("Update_Status_text")) {
        // The version follows the translated text, so this status is rendered again on a
        // language change.
        if (status == kLatest)
            text->SetText(CResourceManager::GetInstance().GetText(look.textKey) + " " + ProgramVersionText());
        else
            text->SetText(std::string("%[") + look.textKey + "]");
    }
}

void CSetWnd::ShowUpdateButton()
{
    bool any = false;
    for (int i = 0; i < RowCount(); ++i)
        any = any || (Row(i) && Row(i)->IsChecked());
    if (CControlUI* button = Control("update_fw_and_ap")) {
        button->SetVisible(any);
        button->SetEnabled(any);
    }
}

void CSetWnd::ConfirmUpdate()
{
    for (int i = 0; i < RowCount(); ++i) {
        CUpdateInfoListItemUI* row = Row(i);
        if (!row || (row->GetState() != CUpdateInfoListItemUI::kNeedUpdate &&
                     row->GetState() != CUpdateInfoListItemUI::kNeedUpdateToo))
            continue;
        if (row->IsChecked())
            row->SetState(CUpdateInfoListItemUI::kDownloadWait);
        else if (COptionUI* box = row->CheckBox())
            box->SetVisible(false);
    }
    if (CControlUI* button = Control("update_fw_and_ap"))
        button->SetVisible(false);
    g_updateRequested = true;
    if (auto* tabs = Control("get_update_tab_layout") ? static_cast<CTabLayoutUI*>(Control("get_update_tab_layout")->GetInterface("TabLayout")) : nullptr)
        tabs->SelectItem(0);
}

CUpdateInfoListItemUI* CSetWnd::CurrentRow() const
{
    // The updater works through the chosen rows in list order.
    for (int i = 0; i < RowCount(); ++i) {
        CUpdateInfoListItemUI* row = Row(i);
        if (row && IsWaitingOrBusy(row->GetState()))
            return row;
    }
    return nullptr;
}

void CSetWnd::OnUpdaterProgress(WPARAM what, LPARAM value)
{
    switch (static_cast<int>(what)) {
    case kComponentDone:
        OnComponentDone();
        break;
    case kRelay2:
    case kRelay3:
        if (m_owner)
            ::SendMessage(m_owner, RegisterWindowMessage(kUpdaterProgressName), what, value);
        break;
    case kPercent:
        if (CUpdateInfoListItemUI* row = CurrentRow()) {
            if (row->GetState() == CUpdateInfoListItemUI::kDownloadWait)
                row->SetState(CUpdateInfoListItemUI::kDownloading);
            row->SetProgress(static_cast<int>(value));
        }
        break;
    default:
        break;
    }
}

void CSetWnd::OnComponentDone()
{
    CUpdateInfoListItemUI* current = CurrentRow();
    if (current) {
        CControlUI* next = current->Part("updateRev");
        if (CControlUI* old = current->Part("OldRev"); old && next && !next->GetText().empty())
            old->SetText(next->GetText());
        if (next) {
            next->SetText("");
            next->SetVisible(false);
        }
        current->SetState(CUpdateInfoListItemUI::kUpdated);
        if (COptionUI* box = current->CheckBox())
            box->Selected(false, false);
    }
    for (int i = 0; i < RowCount(); ++i) {
        CUpdateInfoListItemUI* row = Row(i);
        if (row && row->IsChecked() && row->GetState() != CUpdateInfoListItemUI::kUpdated)
            return;
    }
    bool pending = false;
    for (int i = 0; i < RowCount(); ++i) {
        CUpdateInfoListItemUI* row = Row(i);
        if (!row || row->GetState() == CUpdateInfoListItemUI::kUpdated)
            continue;
        pending = true;
        if (COptionUI* box = row->CheckBox())
            box->SetVisible(true);
    }
    SetStatus(pending ? kHaveUpdate : kLatest);
}

void CSetWnd::Notify(TNotifyUI& msg)
{
    const std::string name = msg.pSender ? std::string(msg.pSender->GetName()) : std::string();
    if (msg.sType == "click") {
        if (name == "update_fw_and_ap") {
            if (auto* tabs = Control("get_update_tab_layout") ? static_cast<CTabLayoutUI*>(Control("get_update_tab_layout")->GetInterface("TabLayout")) : nullptr)
                tabs->SelectItem(1);
        } else if (name == "update_OK_btn") {
            ConfirmUpdate();
        } else if (name == "update_cancel_btn") {
            if (auto* tabs = Control("get_update_tab_layout") ? static_cast<CTabLayoutUI*>(Control("get_update_tab_layout")->GetInterface("TabLayout")) : nullptr)
                tabs->SelectItem(0);
        } else if (name == "set_in_update_wnd_btn") {
            if (CControlUI* tip = Control("update_tishi_layout"))
                tip->SetVisible(false);
            SetWindowPos(0, 0, m_pm.GetDPIObj()->Scale(kWidth), m_pm.GetDPIObj()->Scale(kHeight), SWP_NOMOVE | SWP_NOZORDER);
        } else if (name == "about_btn") {
            ShowAboutWindow(GetHWND(), m_dpi);
        } else if (name == "closebtn" || name == "laterbtn") {
            Close(IDOK);
        } else if (name == "minbtn") {
            SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
        } else if (name == "maxbtn") {
            SendMessage(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
        } else if (name == "restorebtn") {
            SendMessage(WM_SYSCOMMAND, SC_RESTORE, 0);
        }
    } else if (msg.sType == "selectchanged" && name == "check_name_select") {
        ShowUpdateButton();
    } else if (msg.sType == "itemselect" && name == "Language_combox_info") {
        OnLanguageChosen(static_cast<int>(msg.wParam));
    }
    WindowImplBase::Notify(msg);
}

LRESULT CSetWnd::HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled)
{
    bHandled = TRUE;
    if (uMsg == kMsgAddUpdateRow) {
        AddRow(static_cast<int>(wParam));
    } else if (uMsg == LanguageChangedMessage) {
        if (m_status == kLatest)
            SetStatus(kLatest);
        m_pm.Invalidate();
        if (CControlUI* root = m_pm.GetRoot())
            root->NeedUpdate();
    } else if (uMsg == WM_CLOSE && IsUpdateBusy()) {
        // An update in progress keeps the window open.
    } else if (uMsg == WM_CLOSE || (uMsg == WM_SYSCOMMAND && wParam == SC_CLOSE)) {
        StopWorkers();
        bHandled = FALSE;
    } else if (uMsg == WM_DPICHANGED) {
        m_dpi = ApplyDpiChange(*this, m_pm, wParam, lParam, kDpiError);
    } else {
        bHandled = FALSE;
    }
    return 0;
}
