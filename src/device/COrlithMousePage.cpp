// The mouse page: what each control of "mousedevice.xml" does, and how RefreshPage shows the
// profile. Every change follows one order: working copy, profile object, profile file, device.
//
// Index: notification dispatch · resolution stages · other settings · showing the page · key
// and lighting information.

#include "device/COrlithMouseDevice.h"

#include "device/DeviceKind.h"
#include "device/DeviceMessages.h"
#include "macro/KeyCodeTable.h"
#include "macro/MacroConfigFile.h"
#include "profile/StringUtils.h"
#include "toolkit/ComboUI.h"
#include "toolkit/EditUI.h"
#include "toolkit/LabelUI.h"
#include "toolkit/ListContainerElementUI.h"
#include "toolkit/ListUI.h"
#include "toolkit/OptionUI.h"
#include "toolkit/PaintManagerUI.h"
#include "toolkit/SliderUI.h"
#include "toolkit/TabLayoutUI.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kStages = static_cast<int>(CMouseProfiledata::kMaxDpiStages);
constexpr int kReportRateOptions = 5;
constexpr int kTwoWayOptions = 2;
constexpr int kStoredLogoModeOfItem2 = 6;
constexpr int kTavixMin = 200;
constexpr int kTavixMax = 6500;
constexpr int kButtonRows = 11;
constexpr DWORD kKeyTitleColour = 0xFFFFFFFF;
constexpr DWORD kKeyTextColour = 0xFF0099FF;

template <typename T>
T* As(CControlUI* control, const char* interface)
{
    return control ? static_cast<T*>(control->GetInterface(interface)) : nullptr;
}

std::string Indexed(const char* prefix, int index)
{
    return prefix + std::to_string(index);
}

// A decimal text; empty or anything else reads as 0.
int NumberOf(const std::string& text)
{
    return std::atoi(text.c_str());
}

// The option rows of the system words that a choice of N sets.
struct OptionRow {
    const char* prefix;
    MouseSystemSettings::Word word;
    int count;
};
constexpr OptionRow kOptionRows[] = {
    {"polling_rate_option_", MouseSystemSettings::ReportRate, kReportRateOptions},
    {"Silent_Altitude_option_", MouseSystemSettings::SilentAltitude, kTwoWayOptions},
    {"Linear_Calibration_option_", MouseSystemSettings::LinearCalibration, kTwoWayOptions},
    {"Ripple_option_", MouseSystemSettings::Ripple, kTwoWayOptions},
};

// Combos whose item user data is the stored number, and those whose item index is.
struct ComboRow {
    const char* name;
    MouseSystemSettings::Word word;
    bool byUserData;
};
constexpr ComboRow kComboRows[] = {
    {"ble_sleep1_combo", MouseSystemSettings::BleSleep1, true},
    {"ble_sleep2_combo", MouseSystemSettings::BleSleep2, true},
    {"device_sleep1_combo", MouseSystemSettings::DeviceSleep1, true},
    {"device_sleep2_combo", MouseSystemSettings::DeviceSleep2, true},
    {"Anti_Shake_combo_timeSelect", MouseSystemSettings::KeyDebounceTime, false},
    {"logo_led_mode_combo", MouseSystemSettings::LogoLedMode, false},
};

// The pointer preferences: stored in the profile only, never sent to the mouse.
struct SliderRow {
    const char* name;
    MouseSystemSettings::Word word;
};
constexpr SliderRow kSliderRows[] = {
    {"double_click_slider", MouseSystemSettings::DoubleClickTime},
    {"pointer_speed_slider", MouseSystemSettings::MouseSpeed},
    {"scroll_speed_slider", MouseSystemSettings::WheelScrollLines},
};

void SelectQuietly(COptionUI* option, bool selected)
{
    if (option && option->IsSelected() != selected)
        option->Selected(selected, false);
}

DWORD StageColour(const DpiStage& stage)
{
    return 0xFF000000u | static_cast<DWORD>(stage.red) << 16 | static_cast<DWORD>(stage.green) << 8 | stage.blue;
}

} // namespace

CControlUI* COrlithMouseDevice::Control(const std::string& name)
{
    CPaintManagerUI* manager = GetManager();
    return manager ? manager->FindSubControlByName(this, name.c_str()) : nullptr;
}

std::string COrlithMouseDevice::Translate(const std::string& key)
{
    CLabelUI* translator = As<CLabelUI>(Control("text_test"), "Label");
    if (!translator)
        return key;
    translator->SetText(("%[" + key + "]").c_str());
    return translator->GetText();
}

void COrlithMouseDevice::OnPageNotify(TNotifyUI& msg)
{
    if (!msg.pSender)
        return;
    const std::string name = msg.pSender->GetName();
    const std::string& type = msg.sType;
    std::string prefix;
    int index = -1;
    const bool indexed = SplitNameIndex(name, prefix, index) && index >= 0;
    const bool selected = As<COptionUI>(msg.pSender, "Option") && As<COptionUI>(msg.pSender, "Option")->IsSelected();

    if (indexed && index < kStages) {
        if (type == "selectchanged" && prefix == "DPI_select_check_" && selected)
            return OnDpiSelect(index);
        if (type == "selectchanged" && prefix == "DPI_enable_check_")
            return OnDpiEnable(index);
        if ((type == "valuechanged" || type == "movevaluechanged") && prefix == "DPI_slider_")
            return OnDpiSlider(index, type == "movevaluechanged");
        if (type == "killfocus" && prefix == "DPI_edit_")
            return OnDpiEdit(index);
        if (type == "click" && prefix == "DPI_color_option_")
            return OnDpiColour(index);
        if (type == "killfocus" && prefix == "tavix_DPI_edit_")
            return OnTavixEdit(index);
        if (type == "movevaluechanged" && prefix == "tavix_DPI_slider_") {
            if (CControlUI* edit = Control(Indexed("tavix_DPI_edit_", index)))
                edit->SetText(std::to_string(As<CSliderUI>(msg.pSender, "Slider")->GetValue()).c_str());
            return;
        }
    }
    if (type == "selectchanged" && indexed) {
        if (prefix == "mouse_device_seting_option_" && selected)
            return OnSettingsPart(index);
        for (const OptionRow& row : kOptionRows) {
            if (prefix == row.prefix && selected && index < row.count)
                return OnSystemWord(row.word, index, true);
        }
    }
    if (type == "selectchanged" && name == "pointer_precision_check")
        return OnSystemWord(MouseSystemSettings::PointerPrecision, selected ? 1 : 0, false);
    if (type == "selectchanged" && name == "scrolls_page_check")
        return OnSystemWord(MouseSystemSettings::ScrollPage, selected ? 1 : 0, false);
    if (type == "valuechanged") {
        for (const SliderRow& row : kSliderRows) {
            if (name == row.name) {
                if (row.word == MouseSystemSettings::WheelScrollLines) {
                    // A line count chosen means scrolling by lines, not by pages.
                    SelectQuietly(As<COptionUI>(Control("scrolls_page_check"), "Option"), false);
                    MouseSystemSettings system = m_profile.GetMouseSystem();
                    system.words[MouseSystemSettings::ScrollPage] = 0;
                    m_profile.SetMouseSystem(system);
                }
                return OnSystemWord(row.word, As<CProgressUI>(msg.pSender, "Progress")->GetValue(), false);
            }
        }
    }
    if (type == "itemselect")
        OnComboSelect(msg.pSender, name);
}

// ---- resolution stages

std::vector<DpiStage> COrlithMouseDevice::StagesWith(int stage)
{
    std::vector<DpiStage> stages = m_profile.GetDpiStages();
    if (static_cast<int>(stages.size()) <= stage)
        stages.resize(static_cast<size_t>(stage) + 1);
    return stages;
}

void COrlithMouseDevice::ShowStageValue(int stage, int index)
{
    if (CControlUI* edit = Control(Indexed("DPI_edit_", stage)))
        edit->SetText(std::to_string(m_commands.Sensor().IndexToDpi(index)).c_str());
}

void COrlithMouseDevice::OnDpiSelect(int stage)
{
    m_profile.SetActiveStage(stage);
    ShowStageChecks(stage);
    std::vector<DpiStage> stages = StagesWith(stage);
    for (int i = 0; i < kStages; ++i) {
        auto* slider = As<CSliderUI>(Control(Indexed("DPI_slider_", i)), "Slider");
        if (!slider)
            continue;
        if (static_cast<int>(stages.size()) <= i)
            stages.resize(static_cast<size_t>(i) + 1);
        m_commands.Sensor().StoreIndex(stages[static_cast<size_t>(i)], slider->GetValue());
    }
    m_profile.SetDpiStages(stages);
    StoreAndWrite();
}

void COrlithMouseDevice::OnDpiSlider(int stage, bool moving)
{
    auto* slider = As<CSliderUI>(Control(Indexed("DPI_slider_", stage)), "Slider");
    if (!slider)
        return;
    ShowStageValue(stage, slider->GetValue());
    if (moving) {
        ShowStageChecks(m_profile.GetActiveStage());
        return;
    }
    std::vector<DpiStage> stages = StagesWith(stage);
    m_commands.Sensor().StoreIndex(stages[static_cast<size_t>(stage)], slider->GetValue());
    m_profile.SetDpiStages(stages);
    StoreAndWrite();
}

void COrlithMouseDevice::OnDpiEdit(int stage)
{
    CControlUI* edit = Control(Indexed("DPI_edit_", stage));
    if (!edit)
        return;
    const int typed = std::max(NumberOf(edit->GetText()), static_cast<int>(MouseSensor::kMinTypedDpi));
    const int index = m_commands.Sensor().DpiToIndex(typed);
    if (auto* slider = As<CSliderUI>(Control(Indexed("DPI_slider_", stage)), "Slider"))
        slider->SetValue(index);
    ShowStageValue(stage, index);
    std::vector<DpiStage> stages = StagesWith(stage);
    m_commands.Sensor().StoreIndex(stages[static_cast<size_t>(stage)], index);
    m_profile.SetDpiStages(stages);
    StoreAndWrite();
}

void COrlithMouseDevice::OnDpiEnable(int stage)
{
    auto* check = As<COptionUI>(Control(Indexed("DPI_enable_check_", stage)), "Option");
    if (!check)
        return;
    const bool enabled = check->IsSelected();
    if (CControlUI* layout = Control(Indexed("DPI_layout_", stage)))
        layout->SetEnabled(enabled);
    std::vector<COptionUI*> selectedChecks;
    for (int i = 0; i < kStages; ++i) {
        auto* each = As<COptionUI>(Control(Indexed("DPI_enable_check_", i)), "Option");
        if (!each)
            continue;
        if (enabled)
            each->SetEnabled(i != m_profile.GetActiveStage());
        if (each->IsSelected())
            selectedChecks.push_back(each);
    }
    // The last enabled stage cannot be switched off.
    if (!enabled && selectedChecks.size() == 1)
        selectedChecks.front()->SetEnabled(false);
    std::vector<DpiStage> stages = StagesWith(stage);
    stages[static_cast<size_t>(stage)].enabled = enabled ? 1 : 0;
    m_profile.SetDpiStages(stages);
    StoreAndWrite();
}

void COrlithMouseDevice::OnDpiColour(int stage)
{
    CControlUI* option = Control(Indexed("DPI_color_option_", stage));
    if (!option || !m_colourDialog || m_colourDialogOpen)
        return;
    uint32_t colour = option->GetBkColor();
    m_colourDialogOpen = true;
    const bool chosen = m_colourDialog(colour);
    m_colourDialogOpen = false;
    if (!chosen)
        return;
    option->SetBkColor(0xFF000000u | colour);
    std::vector<DpiStage> stages = StagesWith(stage);
    DpiStage& changed = stages[static_cast<size_t>(stage)];
    changed.red = static_cast<uint8_t>(colour >> 16);
    changed.green = static_cast<uint8_t>(colour >> 8);
    changed.blue = static_cast<uint8_t>(colour);
    m_profile.SetDpiStages(stages);
    StoreAndWrite();
}

void COrlithMouseDevice::OnTavixEdit(int stage)
{
    CControlUI* edit = Control(Indexed("tavix_DPI_edit_", stage));
    if (!edit)
        return;
    const int value = std::clamp(NumberOf(edit->GetText()), kTavixMin, kTavixMax);
    edit->SetText(std::to_string(value).c_str());
    if (auto* slider = As<CSliderUI>(Control(Indexed("tavix_DPI_slider_", stage)), "Slider"))
        slider->SetValue(value);
}

// ---- other settings

void COrlithMouseDevice::OnSystemWord(int word, int value, bool writeDevice)
{
    MouseSystemSettings system = m_profile.GetMouseSystem();
    system.words[word] = static_cast<uint16_t>(std::max(value, 0));
    m_profile.SetMouseSystem(system);
    if (writeDevice)
        StoreAndWrite();
    else
        SaveProfile();
}

void COrlithMouseDevice::OnComboSelect(CControlUI* sender, const std::string& name)
{
    auto* combo = As<CComboUI>(sender, "Combo");
    if (!combo || combo->GetCurSel() < 0)
        return;
    for (const ComboRow& row : kComboRows) {
        if (name != row.name)
            continue;
        const int item = combo->GetCurSel();
        int value = item;
        if (row.byUserData)
            value = NumberOf(combo->GetItemAt(item)->GetUserData());
        else if (row.word == MouseSystemSettings::LogoLedMode && item == 2)
            value = kStoredLogoModeOfItem2;
        OnSystemWord(row.word, value, true);
        if (row.word == MouseSystemSettings::DeviceSleep1 || row.word == MouseSystemSettings::DeviceSleep2)
            ArmTileTimer(kTimerKeepAlive, 50);
        return;
    }
}

void COrlithMouseDevice::OnSettingsPart(int part)
{
    auto* parts = As<CTabLayoutUI>(Control("mouse_device_seting_layout"), "TabLayout");
    if (parts)
        parts->SelectItem(part < parts->GetCount() ? part : 0);
}

// ---- showing the page

void COrlithMouseDevice::RefreshPage()
{
    std::optional<MouseNoticeEffect> notice;
    {
        std::lock_guard guard(m_noticeLock);
        notice.swap(m_pendingNotice);
    }
    if (notice)
        m_commands.ApplyNoticeEffect(*notice);
    if (!GetManager())
        return;
    ShowSliderRanges();
    ShowStages();
    ShowSystemSettings();
    ShowKeyInformation();
    ShowLightingInformation();
}

void COrlithMouseDevice::ShowSliderRanges()
{
    const std::optional<DpiSliderRange> range = m_commands.Sensor().SliderRange();
    for (int i = 0; i < kStages; ++i) {
        if (auto* slider = As<CSliderUI>(Control(Indexed("DPI_slider_", i)), "Slider"); slider && range) {
            slider->SetMinValue(range->min);
            slider->SetMaxValue(range->max);
        }
        if (auto* edit = As<CEditUI>(Control(Indexed("DPI_edit_", i)), "Edit"))
            edit->SetNumberRange(0, MouseSensor::kMaxTypedDpi);
    }
}

void COrlithMouseDevice::ShowStages()
{
    const std::vector<DpiStage> stages = m_profile.GetDpiStages();
    for (int i = 0; i < kStages && i < static_cast<int>(stages.size()); ++i) {
        const DpiStage& stage = stages[static_cast<size_t>(i)];
        if (CControlUI* layout = Control(Indexed("DPI_layout_", i)))
            layout->SetEnabled(stage.enabled != 0);
        SelectQuietly(As<COptionUI>(Control(Indexed("DPI_enable_check_", i)), "Option"), stage.enabled != 0);
        const int index = m_commands.Sensor().StageIndex(stage);
        if (auto* slider = As<CSliderUI>(Control(Indexed("DPI_slider_", i)), "Slider"))
            slider->SetValue(index);
        ShowStageValue(i, index);
        if (CControlUI* colour = Control(Indexed("DPI_color_option_", i)))
            colour->SetBkColor(StageColour(stage));
    }
    ShowStageChecks(m_profile.GetActiveStage());
}

void COrlithMouseDevice::ShowStageChecks(int current)
{
    for (int i = 0; i < kStages; ++i) {
        SelectQuietly(As<COptionUI>(Control(Indexed("DPI_select_check_", i)), "Option"), i == current);
        // The current stage cannot be disabled.
        if (CControlUI* enable = Control(Indexed("DPI_enable_check_", i)))
            enable->SetEnabled(i != current);
    }
}

void COrlithMouseDevice::ShowSystemSettings()
{
    const MouseSystemSettings system = m_profile.GetMouseSystem();
    for (const OptionRow& row : kOptionRows) {
        int choice = system.words[row.word];
        // A stored choice without an option shows the first option.
        if (choice >= row.count)
            choice = 0;
        for (int n = 0; n < row.count; ++n)
            SelectQuietly(As<COptionUI>(Control(Indexed(row.prefix, n)), "Option"), n == choice);
    }
    for (const ComboRow& row : kComboRows) {
        auto* combo = As<CComboUI>(Control(row.name), "Combo");
        if (!combo)
            continue;
        const int stored = system.words[row.word];
        int item = stored;
        if (row.byUserData) {
            // The item with the stored number, or the nearest one when the device holds a
            // number the list does not offer.
            item = -1;
            for (int i = 0, best = 0; i < combo->GetCount(); ++i) {
                int distance = std::abs(NumberOf(combo->GetItemAt(i)->GetUserData()) - stored);
                if (item < 0 || distance < best) {
                    item = i;
                    best = distance;
                }
            }
        } else if (row.word == MouseSystemSettings::LogoLedMode && stored == kStoredLogoModeOfItem2) {
            item = 2;
        }
        if (item >= 0 && item < combo->GetCount())
            combo->SelectItem1(item, false, false);
    }
    for (const SliderRow& row : kSliderRows) {
        if (auto* slider = As<CSliderUI>(Control(row.name), "Slider"))
            slider->SetValue(system.words[row.word]);
    }
    SelectQuietly(As<COptionUI>(Control("pointer_precision_check"), "Option"), system.words[MouseSystemSettings::PointerPrecision] != 0);
    SelectQuietly(As<COptionUI>(Control("scrolls_page_check"), "Option"), system.words[MouseSystemSettings::ScrollPage] != 0);
}

// ---- key and lighting information

void COrlithMouseDevice::ShowKeyInformation()
{
    auto* list = As<CListUI>(Control("device_setkeyinfo_list"), "List");
    if (!list)
        return;
    list->RemoveAll();
    const std::vector<KeyAssignment> keys = m_profile.GetKeyList();
    const auto& buttons = MouseButtonMap::Buttons();
    for (int i = 0; i < kButtonRows && i < static_cast<int>(keys.size()); ++i) {
        const KeyFunction function = keys[static_cast<size_t>(i)].current.function;
        const std::string display = FunctionName(function);
        const std::string title = Translate(buttons[static_cast<size_t>(i)].nameKey);
        CControlUI* button = i < static_cast<int>(KeyButtons().size()) ? KeyButtons()[static_cast<size_t>(i)] : nullptr;
        if (button)
            button->SetToolTip((title + "\n" + display).c_str());

        auto* row = new CListContainerElementUI;
        row->SetFixedHeight(25);
        auto* name = new CLabelUI;
        name->SetFixedWidth(100);
        name->SetTextColor(kKeyTitleColour);
        name->SetText(title.c_str());
        auto* text = new CLabelUI;
        text->SetFixedWidth(180);
        text->SetTextColor(kKeyTextColour);
        text->SetAttribute("endellipsis", "true");
        text->SetText(display.c_str());
        row->Add(name);
        row->Add(text);
        row->SetVisible(!button || button->IsVisible());
        list->Add(row);
    }
}

// The name of a function in the vocabulary of the key assignment panel: a keyboard key that no
// row names whole is its modifier and key joined by "+"; a macro shows its name.
std::string COrlithMouseDevice::FunctionName(const KeyFunction& function)
{
    // Macro 0 played once has both code bytes 0 too: it is named before the disabled rule.
    if (function.type == MouseButtonMap::kMacroRepeatMode || function.type == MouseButtonMap::kMacroRepeatCount) {
        MacroConfigFile macros;
        macros.Read(DeviceFolder() + "/macro.config");
        if (function.high < macros.entries.size())
            return Translate("keyset_category_macro") + ": " + macros.entries[function.high].name;
    }
    if (function.high == 0 && function.low == 0)
        return Translate("close_text");
    if (const char* name = KeyCodeTable::NameOf(function))
        return Translate(name);
    for (const auto& button : MouseButtonMap::Buttons()) {
        if (button.factoryCode == function)
            return Translate(button.nameKey);
    }
    if (function.type == KeyCodeTable::kKeyboardType) {
        const char* modifier = KeyCodeTable::ModifierLabel(function.high);
        const char* key = KeyCodeTable::KeyLabel(function.low);
        if (modifier && key)
            return Translate(modifier) + " + " + Translate(key);
    }
    char code[16];
    std::snprintf(code, sizeof code, "%02X %02X %02X", function.type, function.high, function.low);
    return code;
}

void COrlithMouseDevice::ShowLightingInformation()
{
    CControlUI* logo = Control("logo");
    if (!logo)
        return;
    const LightInfo light = m_profile.GetLightInfo();
    std::string mode;
    if (light.selectItem < 12 && light.selectItem < m_lightModeNames.size())
        mode = Translate(m_lightModeNames[light.selectItem]);
    else if (light.selectItem >= 12)
        mode = "custom " + std::to_string(light.selectItem - 12);
    logo->SetToolTip(("Logo\n" + Translate("Light_Set") + "\n" + Translate("Overall_Light_Set") + " " + mode).c_str());
}
