#include "ui/CUpdateInfoListItemUI.h"

#include "toolkit/DialogBuilder.h"
#include "toolkit/OptionUI.h"

#include <iterator>
#include <string>

namespace {

struct StateLook {
    const char* textKey;
    bool busy;
    bool done;
    bool checkable;
    bool highlighted; // accent text: the component needs or is getting an update
};

constexpr StateLook kLooks[] = {
    {"LessUpdateText", false, false, false, false},   {"NeedUpdateText", false, false, true, true},
    {"NeedUpdateText", false, false, true, true},     {"DownloadWaitText", false, false, false, true},
    {"DownloadIngText", true, false, false, true},    {"DownloadOkText", false, true, false, true},
    {"UpdateIngText", true, false, false, true},      {"UpdateOkText", false, false, false, false},
    {"UpdateFailText", false, false, true, true},
};

constexpr DWORD kPlainText = 0xFFE6E8EE;
constexpr DWORD kPlainDisabledText = 0xFF5E6677;
constexpr DWORD kAccentText = 0xFF2EC5FF;
constexpr DWORD kAccentDisabledText = 0xFF1FA3D6;

} // namespace

void* CUpdateInfoListItemUI::GetInterface(std::string_view name)
{
    if (name == "UpdateInfoListItem")
        return this;
    return CListContainerElementUI::GetInterface(name);
}

bool CUpdateInfoListItemUI::Build(CPaintManagerUI* manager)
{
    CDialogBuilder builder;
    if (!builder.Create(kLayoutFile, nullptr, nullptr, manager, this))
        return false;
    SetFixedHeight(kHeight);
    return CheckBox() != nullptr;
}

CControlUI* CUpdateInfoListItemUI::Part(const char* name) const
{
    const std::string wanted = name;
    return const_cast<CUpdateInfoListItemUI*>(this)->FindControl(
        [](CControlUI* control, void* data) -> CControlUI* {
            return control->GetName() == *static_cast<const std::string*>(data) ? control : nullptr;
        },
        const_cast<std::string*>(&wanted), UIFIND_ALL);
}

COptionUI* CUpdateInfoListItemUI::CheckBox() const
{
    CControlUI* control = Part("check_name_select");
    return control ? static_cast<COptionUI*>(control->GetInterface("Option")) : nullptr;
}

bool CUpdateInfoListItemUI::IsChecked() const
{
    // Only unchosen rows hide their box, so the selection alone tells (the list may sit on a
    // hidden page while the user confirms).
    COptionUI* box = CheckBox();
    return box && box->IsSelected();
}

void CUpdateInfoListItemUI::Fill(const UpdateEntry& entry)
{
    m_entry = entry;
    if (COptionUI* box = CheckBox())
        box->SetText(entry.CheckBoxText());
    if (CControlUI* current = Part("OldRev"))
        current->SetText(entry.CurrentVersionText());
    if (CControlUI* next = Part("updateRev")) {
        next->SetText("");
        next->SetVisible(false);
    }
    SetState(kUpdated);
}

void CUpdateInfoListItemUI::SetState(int state)
{
    if (state == m_state || state < 0 || state >= static_cast<int>(std::size(kLooks)))
        return;
    m_state = state;
    const StateLook& look = kLooks[state];
    if (CControlUI* text = Part("update_status_text"))
        text->SetText(std::string("%[") + look.textKey + "]");
    for (const char* name : {"update_status_ing", "update_progress_value"}) {
        if (CControlUI* busy = Part(name))
            busy->SetVisible(look.busy);
    }
    if (CControlUI* done = Part("update_status_ok"))
        done->SetVisible(look.done);
    if (COptionUI* box = CheckBox()) {
        box->SetEnabled(look.checkable);
        box->SetTextColor(look.highlighted ? kAccentText : kPlainText);
        box->SetSelectedTextColor(look.highlighted ? kAccentText : kPlainText);
        box->SetDisabledTextColor(look.highlighted ? kAccentDisabledText : kPlainDisabledText);
    }
}

void CUpdateInfoListItemUI::SetProgress(int percent)
{
    if (CControlUI* value = Part("update_progress_value"))
        value->SetText(std::to_string(percent) + "%");
}
