#include "ui/CDeviceProfileUI.h"

#include "toolkit/ComboUI.h"
#include "toolkit/EditUI.h"
#include "toolkit/ListLabelElementUI.h"
#include "toolkit/OptionUI.h"
#include "toolkit/PaintManagerUI.h"

#include <iterator>

namespace {

constexpr int kItemHeight = 30;

// The function tabs by SelectTab number (1-based).
const char* const kTabNames[] = {"deng_Op_tab",   "key_Op_tab",        "macro_Op_tab",
                                 "system_Op_tab", "cursor_Op_tab",     "6533_voice_Op_tab",
                                 "magic_Op_tab",  "Virtual7.1_Op_tab", "otherset_Op_tab"};
constexpr int kTabCount = static_cast<int>(std::size(kTabNames));

// Tabs a device kind has not (hidden) and those only it has (shown); other tabs keep the skin's
// visibility.
struct KindTabs {
    int kind;
    std::vector<const char*> hidden;
    std::vector<const char*> shown;
};

const KindTabs kKindTabs[] = {
    {1, {"cursor_Op_tab"}, {}},
    {3, {"cursor_Op_tab", "macro_Op_tab", "system_Op_tab", "key_Op_tab"}, {}},
    {4, {"cursor_Op_tab", "macro_Op_tab", "key_Op_tab"}, {}},
    {5, {"cursor_Op_tab", "macro_Op_tab", "system_Op_tab", "key_Op_tab"}, {}},
    {7,
     {"cursor_Op_tab", "macro_Op_tab", "system_Op_tab", "key_Op_tab"},
     {"6533_voice_Op_tab", "magic_Op_tab", "Virtual7.1_Op_tab"}},
};

} // namespace

void* CDeviceProfileUI::GetInterface(std::string_view name)
{
    if (name == "DeviceProfile")
        return this;
    return CHorizontalLayoutUI::GetInterface(name);
}

void CDeviceProfileUI::SetKind(int kind)
{
    m_kind = kind;
    m_library.SetKind(kind);
}

void CDeviceProfileUI::SetFolders(const std::string& profileFolder, const std::string& defaultProfilePath)
{
    m_library.SetFolders(profileFolder, defaultProfilePath);
}

int CDeviceProfileUI::Init()
{
    int result = m_library.Init();
    FillCombo();
    ShowSelection(false);
    ApplyTabVisibility();
    return result;
}

CControlUI* CDeviceProfileUI::FindInPanel(const char* name) const
{
    return m_pManager ? m_pManager->FindSubControlByName(const_cast<CDeviceProfileUI*>(this), name) : nullptr;
}

CControlUI* CDeviceProfileUI::FindInPage(const char* name) const
{
    if (!m_pManager)
        return nullptr;
    // Every page has its own tabs of the same names: look no further than the panel's page.
    CControlUI* page = const_cast<CDeviceProfileUI*>(this);
    while (page->GetParent() && !page->GetInterface("OrlithUSBDevice"))
        page = page->GetParent();
    return m_pManager->FindSubControlByName(page, name);
}

CComboUI* CDeviceProfileUI::Combo() const
{
    CControlUI* combo = FindInPanel("device_profile_combo");
    return combo ? static_cast<CComboUI*>(combo->GetInterface("Combo")) : nullptr;
}

COptionUI* CDeviceProfileUI::Tab(int n) const
{
    CControlUI* tab = n >= 1 && n <= kTabCount ? FindInPage(kTabNames[n - 1]) : nullptr;
    return tab ? static_cast<COptionUI*>(tab->GetInterface("Option")) : nullptr;
}

void CDeviceProfileUI::FillCombo()
{
    CComboUI* combo = Combo();
    if (!combo)
        return;
    combo->RemoveAll();
    for (const std::string& name : m_library.Names()) {
        auto* item = new CListLabelElementUI;
        item->SetText(name);
        item->SetUserData(name);
        item->SetToolTip(name);
        item->SetFixedHeight(kItemHeight);
        combo->Add(item);
    }
}

void CDeviceProfileUI::ShowSelection(bool notify)
{
    int index = m_library.CurrentIndex();
    if (CComboUI* combo = Combo(); combo && index >= 0)
        combo->SelectItem(index, false, notify);
    std::vector<std::string> names = m_library.Names();
    SetNameEditText(index >= 0 ? names[static_cast<size_t>(index)] : std::string());
}

void CDeviceProfileUI::Select(int index, bool notify)
{
    m_library.Select(index);
    ShowSelection(notify);
}

int CDeviceProfileUI::CurrentIndex() const
{
    CComboUI* combo = Combo();
    return combo ? combo->GetCurSel() : -1;
}

std::vector<std::string> CDeviceProfileUI::ProfileNames() const
{
    std::vector<std::string> names;
    if (CComboUI* combo = Combo()) {
        for (int i = 0; i < combo->GetCount(); ++i)
            names.push_back(combo->GetItemAt(i)->GetText());
    }
    return names;
}

std::string CDeviceProfileUI::NameEditText() const
{
    CControlUI* edit = FindInPanel("device_profile_name_edit");
    return edit ? std::string(edit->GetText()) : std::string();
}

void CDeviceProfileUI::SetNameEditText(const std::string& text)
{
    if (CControlUI* edit = FindInPanel("device_profile_name_edit"))
        edit->SetText(text);
}

void CDeviceProfileUI::ShowMenu(bool visible)
{
    CControlUI* menu = FindInPanel("profile_menu_layout");
    if (!menu || menu->IsVisible() == visible)
        return;
    if (m_closedHeight < 0)
        m_closedHeight = GetFixedHeight() - (menu->IsVisible() ? menu->GetFixedHeight() + menu->GetPadding().top : 0);
    menu->SetVisible(visible);
    // The panel sits in a column of fixed rows: it grows by the menu's height to show it.
    SetFixedHeight(m_closedHeight + (visible ? menu->GetFixedHeight() + menu->GetPadding().top : 0));
}

bool CDeviceProfileUI::IsMenuVisible() const
{
    CControlUI* menu = FindInPanel("profile_menu_layout");
    return menu && menu->IsVisible();
}

int CDeviceProfileUI::ShowList(int result, bool announceSelection)
{
    FillCombo();
    ShowSelection(announceSelection);
    return result;
}

int CDeviceProfileUI::Add()
{
    return ShowList(m_library.Add(), false);
}

int CDeviceProfileUI::Copy()
{
    return ShowList(m_library.Copy(), false);
}

int CDeviceProfileUI::Import(const std::string& path)
{
    return ShowList(m_library.Import(path), false);
}

int CDeviceProfileUI::Delete()
{
    int result = m_library.Delete();
    // The combo announces the profile that takes the deleted one's place, so it is applied.
    return ShowList(result, result == kProfileDone);
}

int CDeviceProfileUI::Rename(const std::string& name)
{
    return ShowList(m_library.Rename(name), false);
}

void CDeviceProfileUI::SelectTab(int n)
{
    COptionUI* tabs[kTabCount];
    for (int i = 0; i < kTabCount; ++i) {
        tabs[i] = Tab(i + 1);
        if (!tabs[i])
            return;
    }
    for (int i = 0; i < kTabCount; ++i)
        tabs[i]->Selected(i + 1 == n, false);
}

void CDeviceProfileUI::ApplyTabVisibility()
{
    for (const KindTabs& row : kKindTabs) {
        if (row.kind != m_kind)
            continue;
        for (const char* name : row.hidden)
            if (CControlUI* tab = FindInPage(name))
                tab->SetVisible(false);
        for (const char* name : row.shown)
            if (CControlUI* tab = FindInPage(name))
                tab->SetVisible(true);
    }
}
