#include "panels/CKeySetControlUI.h"

#include "macro/KeyCodeTable.h"
#include "toolkit/ComboUI.h"
#include "toolkit/EditUI.h"
#include "toolkit/ListLabelElementUI.h"
#include "toolkit/OptionUI.h"
#include "toolkit/PaintManagerUI.h"
#include "toolkit/ResourceManager.h"
#include "toolkit/TabLayoutUI.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

constexpr uint8_t kTypeMouseButton = 0x10;
constexpr uint8_t kTypePointerMove = 0x11;
constexpr uint8_t kTypeWheel = 0x12;
constexpr uint8_t kTypeDpi = 0x13;
constexpr uint8_t kTypeRapidFire = 0x14;
constexpr uint8_t kTypeKeyboard = 0x20;
constexpr uint8_t kTypeMedia = 0x30;
constexpr uint8_t kTypeSystem = 0x40;
constexpr uint8_t kTypeMacroMode = 0x70;
constexpr uint8_t kTypeMacroCount = 0x71;
constexpr uint8_t kTypeRecoil = 0x72;
constexpr uint8_t kTypeShortcut = 0xB0;
// A keyboard function whose high byte is above this is an editing shortcut, not a modifier.
constexpr uint8_t kMaxModifierHigh = 8;
constexpr int kMacroItemHeight = 30;

int CategoryOfFunction(const KeyFunction& function)
{
    switch (function.type) {
    case kTypeMouseButton: return kCategoryMouseButton;
    case kTypePointerMove: return kCategoryPointerMove;
    case kTypeWheel: return kCategoryWheel;
    case kTypeDpi: return kCategoryDpi;
    case kTypeRapidFire: return kCategoryRapidFire;
    case kTypeKeyboard: return function.high > kMaxModifierHigh ? kCategoryShortcut : kCategoryKeyboard;
    case kTypeMedia: return kCategoryMedia;
    case kTypeSystem: return kCategorySystem;
    case kTypeMacroMode:
    case kTypeMacroCount: return kCategoryMacro;
    case kTypeRecoil: return kCategoryRecoil;
    case kTypeShortcut: return kCategoryShortcut;
    default: return -1;
    }
}

std::span<const NamedKeyFunction> TableOfType(uint8_t type)
{
    switch (type) {
    case kTypeMouseButton: return KeyCodeTable::MouseButtons();
    case kTypeDpi: return KeyCodeTable::DpiActions();
    case kTypeMedia: return KeyCodeTable::MediaKeys();
    case kTypeSystem: return KeyCodeTable::SystemKeys();
    default: return KeyCodeTable::ShortcutKeys();
    }
}

// The function of row index of a table; previous when the row does not exist.
KeyFunction RowOr(std::span<const NamedKeyFunction> table, int index, const KeyFunction& previous)
{
    if (index < 0 || index >= static_cast<int>(table.size()))
        return previous;
    return table[static_cast<size_t>(index)].function;
}

std::string Translate(const std::string& key)
{
    return CResourceManager::GetInstance().ResolveText("%[" + key + "]");
}

} // namespace

void* CKeySetControlUI::GetInterface(std::string_view name)
{
    if (name == "KeySetControl")
        return this;
    return CHorizontalLayoutUI::GetInterface(name);
}

// ---- setup

CControlUI* CKeySetControlUI::Find(const char* name) const
{
    return m_pManager ? m_pManager->FindSubControlByName(const_cast<CKeySetControlUI*>(this), name) : nullptr;
}

CComboUI* CKeySetControlUI::Combo(const char* name) const
{
    CControlUI* control = Find(name);
    return control ? static_cast<CComboUI*>(control->GetInterface("Combo")) : nullptr;
}

CEditUI* CKeySetControlUI::Edit(const char* name) const
{
    CControlUI* control = Find(name);
    return control ? static_cast<CEditUI*>(control->GetInterface("Edit")) : nullptr;
}

void CKeySetControlUI::InitControls()
{
    // Controls are looked up by name when used, so a page without some of them still works.
    ResetSelectors();
    SelectCombo("keyset_macro_over_combo", 0);
}

void CKeySetControlUI::SetDeviceKind(int kind)
{
    m_kind = kind;
    CComboUI* combo = Combo("keyset_function_combo");
    if (!combo || kind != 1)
        return;
    for (int category : {kCategoryDpi, kCategoryRecoil}) {
        if (int item = FindCategoryItem(category); item >= 0)
            combo->GetItemAt(item)->SetVisible(false);
    }
}

void CKeySetControlUI::SetAssignment(const KeyAssignment& assignment)
{
    m_assignment = assignment;
    ShowKeyFunction(m_assignment.current.function);
}

void CKeySetControlUI::ShowDefaultFunction()
{
    ShowKeyFunction(m_assignment.defaults.function);
}

void CKeySetControlUI::ShowCurrentFunction()
{
    ShowKeyFunction(m_assignment.current.function);
}

// ---- showing a function

void CKeySetControlUI::ShowKeyFunction(const KeyFunction& function)
{
    int category = function == m_assignment.defaults.function ? kCategoryDefault : CategoryOfFunction(function);
    switch (function.type) {
    case kTypeMouseButton:
        ShowTableRow("keyset_mousekey_combo", function.type, function);
        break;
    case kTypeDpi:
        ShowTableRow("keyset_mousedpi_combo", function.type, function);
        break;
    case kTypeMedia:
        ShowTableRow("keyset_media_combo", function.type, function);
        break;
    case kTypeSystem:
        ShowTableRow("keyset_system_combo", function.type, function);
        break;
    case kTypePointerMove:
        SetEditNumber("keyset_mouseswing_delay_edit", function.high >> 4);
        SetEditNumber("keyset_mouseswing_speed_edit", function.high & 0x0F);
        SetEditNumber("keyset_mouseswing_num_edit", function.low & 0x7F);
        SelectCombo("keyset_mouseswing_combo", function.low >> 7);
        break;
    case kTypeWheel:
        SetEditNumber("keyset_mousewheel_delay_edit", function.high >> 4);
        SetEditNumber("keyset_mousewheel_speed_edit", function.high & 0x0F);
        // Bit 7 set: a downward amount stored as -n in a signed byte.
        if (function.low & 0x80) {
            SetEditNumber("keyset_mousewheel_num_edit", 128 - (function.low & 0x7F));
            SelectCombo("keyset_mousewheel_combo", 1);
        } else {
            SetEditNumber("keyset_mousewheel_num_edit", function.low);
            SelectCombo("keyset_mousewheel_combo", 0);
        }
        break;
    case kTypeRapidFire:
        SetEditNumber("keyset_mousefire_interval_edit", function.high);
        SetEditNumber("keyset_mousefire_num_edit", function.low);
        break;
    case kTypeKeyboard:
        if (function.high > kMaxModifierHigh)
            ShowTableRow("keyset_combokey_combo", kTypeShortcut, function);
        else
            ShowKeyboardFunction(function);
        break;
    case kTypeShortcut:
        ShowTableRow("keyset_combokey_combo", kTypeShortcut, function);
        break;
    case kTypeMacroMode:
    case kTypeMacroCount:
        ShowMacroFunction(function);
        break;
    case kTypeRecoil:
        SelectCombo("keyset_gunkey_combo", function.high);
        break;
    default:
        break;
    }
    CControlUI* layout = Find("keyset_layout");
    int item = category >= 0 ? FindCategoryItem(category) : -1;
    if (item < 0) {
        if (layout)
            layout->SetVisible(false);
        return;
    }
    if (layout)
        layout->SetVisible(true);
    if (CComboUI* combo = Combo("keyset_function_combo"))
        combo->SelectItem(item, false, false);
    ShowCategoryPage(category);
}

void CKeySetControlUI::ShowTableRow(const char* comboName, uint8_t type, const KeyFunction& function)
{
    std::span<const NamedKeyFunction> table = TableOfType(type);
    int row = KeyCodeTable::FindIn(table, function);
    if (CComboUI* combo = Combo(comboName))
        combo->SelectItem(row, false, false);
}

void CKeySetControlUI::ShowKeyboardFunction(const KeyFunction& function)
{
    const auto rows = KeyCodeTable::Rows();
    if (function.high == 0) {
        int row = KeyCodeTable::FindPlainKey(function.low);
        if (row >= 0) {
            SelectModifier(0);
            ShowKeyName(rows[static_cast<size_t>(row)].labelKey);
        } else {
            SelectModifier(-1);
            ShowKeyName("");
            m_assignment.current.function.high = 0;
            m_assignment.current.function.low = 0;
        }
        return;
    }
    int option = 0;
    for (int i = 0; i < 4; ++i) {
        if (rows[static_cast<size_t>(i)].function.high == function.high) {
            option = i + 1;
            break;
        }
    }
    SelectModifier(option);
    const char* label = function.low == 0 ? nullptr : KeyCodeTable::KeyLabel(function.low);
    ShowKeyName(label ? label : "");
}

void CKeySetControlUI::ShowMacroFunction(const KeyFunction& function)
{
    const bool known = function.high < MacroCount();
    CComboUI* macros = Combo("keyset_macro_combo");
    CComboUI* mode = Combo("keyset_macro_over_combo");
    CControlUI* cycle = Find("keyset_macro_cycle_layout");
    if (macros)
        macros->SelectItem(known ? function.high : -1, false, false);
    if (function.type == kTypeMacroMode) {
        if (mode)
            mode->SelectItem(known ? function.low : -1, false, false);
        if (cycle)
            cycle->SetVisible(false);
        return;
    }
    if (cycle)
        cycle->SetVisible(known);
    SetEditNumber("keyset_macro_cycle_edit", function.low);
    if (mode)
        mode->SelectItem(kRepeatCountItem, false, false);
}

// ---- reading a function

uint8_t CKeySetControlUI::ModifierBitOfOption(int option)
{
    if (option < 1 || option > 4)
        return 0;
    return KeyCodeTable::Rows()[static_cast<size_t>(option - 1)].function.high;
}

KeyFunction CKeySetControlUI::ReadKeyFunction()
{
    KeyFunction result = m_assignment.current.function;
    switch (SelectedCategory()) {
    case kCategoryDefault:
        result = m_assignment.defaults.function;
        break;
    case kCategoryMouseButton:
        result = RowOr(KeyCodeTable::MouseButtons(), ComboIndex("keyset_mousekey_combo"), result);
        break;
    case kCategoryPointerMove: {
        int amount = EditNumber("keyset_mouseswing_num_edit") & 0x7F;
        if (ComboIndex("keyset_mouseswing_combo") == 1)
            amount |= 0x80;
        result = {kTypePointerMove,
                  static_cast<uint8_t>((EditNumber("keyset_mouseswing_delay_edit") & 0x0F) << 4 |
                                       (EditNumber("keyset_mouseswing_speed_edit") & 0x0F)),
                  static_cast<uint8_t>(amount)};
        break;
    }
    case kCategoryWheel: {
        int amount = EditNumber("keyset_mousewheel_num_edit");
        // Downwards: -amount as a signed byte, bit 7 set.
        int low = ComboIndex("keyset_mousewheel_combo") == 1 ? ((128 - (amount & 0x7F)) | 0x80) : (amount & 0x7F);
        result = {kTypeWheel,
                  static_cast<uint8_t>((EditNumber("keyset_mousewheel_delay_edit") & 0x0F) << 4 |
                                       (EditNumber("keyset_mousewheel_speed_edit") & 0x0F)),
                  static_cast<uint8_t>(low)};
        break;
    }
    case kCategoryDpi:
        result = RowOr(KeyCodeTable::DpiActions(), ComboIndex("keyset_mousedpi_combo"), result);
        break;
    case kCategoryRapidFire: {
        int interval = EditNumber("keyset_mousefire_interval_edit");
        if (interval < kMinFireInterval) {
            interval = kMinFireInterval;
            SetEditNumber("keyset_mousefire_interval_edit", interval);
        }
        result = {kTypeRapidFire, static_cast<uint8_t>(interval), static_cast<uint8_t>(EditNumber("keyset_mousefire_num_edit"))};
        break;
    }
    case kCategoryKeyboard: {
        CEditUI* name = Edit("keyset_keyboard_text_edit");
        const bool empty = !name || name->GetText().empty();
        result = {kTypeKeyboard, ModifierBitOfOption(SelectedModifier()),
                  static_cast<uint8_t>(empty ? 0 : m_assignment.current.function.low)};
        break;
    }
    case kCategoryMedia:
        result = RowOr(KeyCodeTable::MediaKeys(), ComboIndex("keyset_media_combo"), result);
        break;
    case kCategorySystem:
        result = RowOr(KeyCodeTable::SystemKeys(), ComboIndex("keyset_system_combo"), result);
        break;
    case kCategoryMacro:
        result = ReadMacroFunction(result);
        break;
    case kCategoryRecoil:
        result = {kTypeRecoil, static_cast<uint8_t>(std::max(ComboIndex("keyset_gunkey_combo"), 0)), 0};
        break;
    case kCategoryShortcut:
        result = RowOr(KeyCodeTable::ShortcutKeys(), ComboIndex("keyset_combokey_combo"), result);
        break;
    default:
        break;
    }
    m_assignment.current.function = result;
    return result;
}

KeyFunction CKeySetControlUI::ReadMacroFunction(KeyFunction previous) const
{
    int macro = ComboIndex("keyset_macro_combo");
    if (macro < 0 || MacroCount() == 0)
        return previous;
    int mode = ComboIndex("keyset_macro_over_combo");
    if (mode == kRepeatCountItem)
        return {kTypeMacroCount, static_cast<uint8_t>(macro), static_cast<uint8_t>(EditNumber("keyset_macro_cycle_edit"))};
    return {kTypeMacroMode, static_cast<uint8_t>(macro), static_cast<uint8_t>(std::max(mode, 0))};
}

void CKeySetControlUI::TakeCapturedKey(int row)
{
    const auto rows = KeyCodeTable::Rows();
    if (row < 0 || row >= KeyCodeTable::kCaptureRows || rows[static_cast<size_t>(row)].function.type != kTypeKeyboard)
        return;
    const KeyCodeRow& key = rows[static_cast<size_t>(row)];
    if (row < KeyCodeTable::kModifierRows) {
        // Both Ctrl keys select option 1, both Shift keys 2, both Alt keys 3, both Windows keys 4.
        SelectModifier((row + 1) % kModifierOptions + (row + 1) / kModifierOptions);
        ReadKeyFunction();
        ShowKeyName("");
        m_assignment.current.function = {kTypeKeyboard, key.function.high, 0};
        return;
    }
    if (SelectedModifier() < 0)
        SelectModifier(0);
    ShowKeyName(key.labelKey);
    m_assignment.current.function = {kTypeKeyboard, ModifierBitOfOption(SelectedModifier()), key.function.low};
}

// ---- macro list

void CKeySetControlUI::FillMacroList(const std::vector<std::string>& names)
{
    for (const std::string& name : names)
        AddMacroItem(name);
    if (CComboUI* combo = Combo("keyset_macro_combo"))
        combo->SelectItem(-1, false, false);
}

void CKeySetControlUI::AddMacroItem(const std::string& name)
{
    CComboUI* combo = Combo("keyset_macro_combo");
    if (!combo)
        return;
    auto* item = new CListLabelElementUI;
    item->SetFixedHeight(kMacroItemHeight);
    item->SetText(name.c_str());
    item->SetToolTip(name.c_str());
    combo->Add(item);
}

void CKeySetControlUI::RemoveMacroItem(int index)
{
    CComboUI* combo = Combo("keyset_macro_combo");
    if (combo && index >= 0 && index < combo->GetCount())
        combo->RemoveAt(index);
}

void CKeySetControlUI::RenameMacroItem(int index, const std::string& name)
{
    CComboUI* combo = Combo("keyset_macro_combo");
    if (!combo || index < 0 || index >= combo->GetCount() || name.empty())
        return;
    combo->GetItemAt(index)->SetText(name.c_str());
    combo->GetItemAt(index)->SetToolTip(name.c_str());
}

int CKeySetControlUI::MacroCount() const
{
    CComboUI* combo = Combo("keyset_macro_combo");
    return combo ? combo->GetCount() : 0;
}

// ---- small control access

void CKeySetControlUI::ShowKeyName(const std::string& labelKey)
{
    if (CEditUI* edit = Edit("keyset_keyboard_text_edit"))
        edit->SetText(labelKey.empty() ? std::string() : Translate(labelKey));
}

void CKeySetControlUI::SelectModifier(int option)
{
    for (int i = 0; i < kModifierOptions; ++i) {
        CControlUI* control = Find(("key_ComBox_check_" + std::to_string(i)).c_str());
        auto* check = control ? static_cast<COptionUI*>(control->GetInterface("Option")) : nullptr;
        if (check)
            check->Selected(i == option, false);
    }
}

int CKeySetControlUI::SelectedModifier() const
{
    for (int i = 0; i < kModifierOptions; ++i) {
        CControlUI* control = Find(("key_ComBox_check_" + std::to_string(i)).c_str());
        auto* check = control ? static_cast<COptionUI*>(control->GetInterface("Option")) : nullptr;
        if (check && check->IsSelected())
            return i;
    }
    return -1;
}

void CKeySetControlUI::ResetSelectors()
{
    for (const char* name : {"keyset_mousekey_combo", "keyset_mouseswing_combo", "keyset_mousewheel_combo",
                             "keyset_mousedpi_combo", "keyset_media_combo", "keyset_system_combo",
                             "keyset_gunkey_combo", "keyset_combokey_combo"})
        SelectCombo(name, 0);
}

void CKeySetControlUI::EnableEditButtons(bool enable)
{
    for (const char* name : {"key_butt_keysave", "key_butt_keycancel", "key_butt_prosave"}) {
        if (CControlUI* button = Find(name))
            button->SetEnabled(enable);
    }
}

int CKeySetControlUI::FindCategoryItem(int category) const
{
    CComboUI* combo = Combo("keyset_function_combo");
    if (!combo)
        return -1;
    for (int i = 0; i < combo->GetCount(); ++i) {
        if (CategoryOfItem(i) == category)
            return i;
    }
    return -1;
}

int CKeySetControlUI::CategoryOfItem(int index) const
{
    CComboUI* combo = Combo("keyset_function_combo");
    CControlUI* item = combo && index >= 0 && index < combo->GetCount() ? combo->GetItemAt(index) : nullptr;
    if (!item || item->GetUserData().empty())
        return -1;
    return std::atoi(item->GetUserData().c_str());
}

int CKeySetControlUI::SelectedCategory() const
{
    CComboUI* combo = Combo("keyset_function_combo");
    return combo ? CategoryOfItem(combo->GetCurSel()) : -1;
}

void CKeySetControlUI::ShowCategoryPage(int category)
{
    CControlUI* control = Find("function_switch_tablayout");
    auto* tabs = control ? static_cast<CTabLayoutUI*>(control->GetInterface("TabLayout")) : nullptr;
    if (tabs && category >= 0 && category < tabs->GetCount())
        tabs->SelectItem(category);
}

void CKeySetControlUI::ShowRepeatCount()
{
    if (CControlUI* cycle = Find("keyset_macro_cycle_layout"))
        cycle->SetVisible(ComboIndex("keyset_macro_over_combo") == kRepeatCountItem);
}

int CKeySetControlUI::ComboIndex(const char* name) const
{
    CComboUI* combo = Combo(name);
    return combo ? combo->GetCurSel() : -1;
}

void CKeySetControlUI::SelectCombo(const char* name, int index)
{
    if (CComboUI* combo = Combo(name))
        combo->SelectItem(index >= 0 && index < combo->GetCount() ? index : -1, false, false);
}

int CKeySetControlUI::EditNumber(const char* name) const
{
    CEditUI* edit = Edit(name);
    // Text that is no number reads 0.
    return edit ? static_cast<int>(std::strtol(edit->GetText().c_str(), nullptr, 10)) : 0;
}

void CKeySetControlUI::SetEditNumber(const char* name, int value)
{
    if (CEditUI* edit = Edit(name))
        edit->SetText(std::to_string(value));
}
