#include "panels/CLightControlUI.h"

#include "device/COrlithUSBDevice.h"
#include "device/DeviceKind.h"
#include "profile/LightConfigFile.h"
#include "profile/StringUtils.h"
#include "toolkit/ColorPaletteUI.h"
#include "toolkit/ComboUI.h"
#include "toolkit/ListLabelElementUI.h"
#include "toolkit/OptionUI.h"
#include "toolkit/ResourceManager.h"
#include "toolkit/SliderUI.h"
#include "toolkit/TabLayoutUI.h"
#include "toolkit/UIParse.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

constexpr int kModeItemHeight = 30;

// What a layout row does to a group: leave it as the first step set it, enable or disable it.
enum class Group : uint8_t { Keep, On, Off };
constexpr Group K = Group::Keep, ON = Group::On, OFF = Group::Off;

// The groups every table switches, in column order.
constexpr const char* kGroupNames[] = {
    "deng_7color_check",  // M
    "deng_color_layout",  // C
    "colorpallet_layout", // P
    "deng_light_layout",  // B
    "deng_speed_layout",  // S
    "deng_fx_layout",     // D
};
constexpr size_t kGroups = std::size(kGroupNames);

// One row of a layout table. modes ends at the first -1; a row without modes is the rule for
// every value no other row names. The keyboard rows also switch its own groups and texts.
struct LayoutRow {
    int modes[12];
    Group groups[kGroups];
    bool sameMode;
    bool speedHidden = false;
    bool colourGroupOff = false;
    bool zzccShown = false;
    bool customShown = false;
    bool audioShown = false;
    const char* leftText = nullptr; // "deng_FXL_check", then "deng_FXR_check"
    const char* rightText = nullptr;
};

constexpr LayoutRow kMouseRows[] = {
    {{0, -1}, {OFF, ON, ON, ON, OFF, OFF}, true},
    {{1, 6, 7, -1}, {ON, ON, ON, ON, ON, OFF}, true},
    {{2, 4, -1}, {ON, ON, ON, ON, ON, K}, false},
    {{3, -1}, {OFF, OFF, OFF, ON, ON, OFF}, true},
    {{5, 8, -1}, {OFF, OFF, OFF, ON, ON, OFF}, false},
    {{10, -1}, {OFF, OFF, OFF, OFF, OFF, OFF}, true},
    {{-1}, {OFF, OFF, OFF, OFF, OFF, OFF}, false},
};

constexpr LayoutRow kPadRows[] = {
    {{0, -1}, {ON, ON, ON, ON, ON, K}, false},
    {{1, -1}, {OFF, OFF, OFF, ON, ON, OFF}, true},
    {{2, 4, -1}, {ON, ON, ON, ON, ON, OFF}, true},
    {{3, -1}, {OFF, ON, ON, ON, OFF, OFF}, true},
    {{8, -1}, {OFF, OFF, OFF, OFF, OFF, OFF}, true},
    {{-1}, {OFF, OFF, OFF, OFF, OFF, OFF}, false},
};

constexpr LayoutRow kKeyboardRows[] = {
    {{1, 2, -1}, {ON, ON, ON, ON, ON, K}, false},
    {{3, 24, -1}, {ON, ON, ON, ON, ON, K}, false, false, false, false, false, false, "light_set_clockwise_text", "light_set_anticlockwise_text"},
    {{4, -1}, {OFF, OFF, OFF, ON, ON, OFF}, true, false, true},
    {{5, 23, -1}, {ON, ON, ON, ON, ON, OFF}, true},
    {{6, -1}, {ON, ON, ON, ON, OFF, OFF}, true},
    {{7, 8, 9, 10, 13, 14, 15, 22, 25, -1}, {ON, ON, ON, ON, ON, OFF}, false},
    {{11, 26, -1}, {OFF, OFF, OFF, ON, ON, OFF}, false, false, true},
    {{12, -1}, {OFF, OFF, OFF, ON, ON, K}, false, false, false, false, false, false, "light_set_down_to_up_text", "light_set_up_to_down_text"},
    {{16, -1}, {ON, ON, ON, ON, OFF, OFF}, false},
    {{17, -1}, {OFF, OFF, OFF, ON, ON, OFF}, false, true, true, true},
    {{18, -1}, {OFF, OFF, OFF, ON, OFF, ON}, false, false, true, false, false, false, "light_set_outside_to_inside_text", "light_set_inside_to_outside_text"},
    {{20, -1}, {OFF, ON, ON, ON, OFF, OFF}, false, true, false, false, true},
    {{21, -1}, {ON, ON, ON, ON, ON, K}, false, false, false, false, false, false, "light_set_up_to_down_text", "light_set_down_to_up_text"},
    {{27, -1}, {OFF, OFF, OFF, ON, ON, OFF}, false},
    {{28, -1}, {OFF, OFF, OFF, OFF, OFF, OFF}, true},
    {{29, -1}, {ON, ON, ON, ON, OFF, K}, false, true, false, false, false, true},
    {{30, -1}, {OFF, OFF, OFF, ON, OFF, OFF}, false, false, true},
    {{-1}, {OFF, OFF, OFF, OFF, OFF, OFF}, false},
};

template <size_t N>
const LayoutRow& RowFor(const LayoutRow (&rows)[N], int mode)
{
    for (const LayoutRow& row : rows) {
        for (int m : row.modes) {
            if (m < 0)
                break;
            if (m == mode)
                return row;
        }
    }
    return rows[N - 1];
}

DWORD Colour(int red, int green, int blue)
{
    return 0xFF000000u | static_cast<DWORD>(red) << 16 | static_cast<DWORD>(green) << 8 | static_cast<DWORD>(blue);
}

uint8_t Red(DWORD argb) { return static_cast<uint8_t>(argb >> 16); }
uint8_t Green(DWORD argb) { return static_cast<uint8_t>(argb >> 8); }
uint8_t Blue(DWORD argb) { return static_cast<uint8_t>(argb); }

// A component edit's text as a number: digits only count, empty or none is 0, at most 255.
int ComponentOf(const std::string& text)
{
    long value = 0;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            break;
        value = std::min(value * 10 + (c - '0'), 1000L);
    }
    return static_cast<int>(std::min<long>(value, CLightControlUI::kMaxComponent));
}

// Leading and trailing spaces of a typed name.
std::string Trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// The light item is one byte: the custom effects fill what the modes leave of it.
constexpr int kMaxLightItems = 256;

// The step mode of a custom frame that shows a built-in mode, by the mode's name.
struct StepModeOf {
    const char* modeName;
    uint8_t stepMode;
};
constexpr uint8_t kStepBreathing = 0, kStepStatic = 1, kStepBlink = 2, kStepWave = 4, kStepSpectrum = 5;
constexpr StepModeOf kStepModes[] = {
    {"light_mode_breathing", kStepBreathing}, {"light_mode_static", kStepStatic},    {"light_mode_blink", kStepBlink},
    {"light_mode_wave", kStepWave},           {"light_mode_spectrum", kStepSpectrum},
};

} // namespace

struct CLightControlUI::Handler {
    const char* type;
    const char* name;
    void (*run)(CLightControlUI& panel, COrlithUSBDevice& device);
};

const CLightControlUI::Handler CLightControlUI::kHandlers[] = {
    {"itemselect", "light_combo_modeSelect", [](CLightControlUI& p, COrlithUSBDevice& d) { p.OnModeSelect(d); }},
    {"valuechanged", "deng_light_slider", [](CLightControlUI& p, COrlithUSBDevice& d) { p.OnBrightness(d); }},
    {"valuechanged", "deng_speed_slider", [](CLightControlUI& p, COrlithUSBDevice& d) { p.OnSpeed(d); }},
    {"selectchanged", "deng_7color_check", [](CLightControlUI& p, COrlithUSBDevice& d) { p.OnMultiColour(d); }},
    {"selectchanged", "deng_FXL_check", [](CLightControlUI& p, COrlithUSBDevice& d) { p.OnDirection(d, 1); }},
    {"selectchanged", "deng_FXR_check", [](CLightControlUI& p, COrlithUSBDevice& d) { p.OnDirection(d, 0); }},
    {"colorchanged", "deng_Color_Pallet", [](CLightControlUI& p, COrlithUSBDevice& d) { p.OnPalette(d); }},
    {"killfocus", "deng_edit_R", [](CLightControlUI& p, COrlithUSBDevice& d) { p.OnComponentEdit(d, "deng_edit_R"); }},
    {"killfocus", "deng_edit_G", [](CLightControlUI& p, COrlithUSBDevice& d) { p.OnComponentEdit(d, "deng_edit_G"); }},
    {"killfocus", "deng_edit_B", [](CLightControlUI& p, COrlithUSBDevice& d) { p.OnComponentEdit(d, "deng_edit_B"); }},
    {"click", "deng_colordp_btn", [](CLightControlUI& p, COrlithUSBDevice& d) { p.OnColourButton(d); }},
    {"itemselect", "light_combo_ZZCCmodeSelect", [](CLightControlUI& p, COrlithUSBDevice& d) { p.OnZzccSelect(d); }},
    {"click", "light_effect_save_btn", [](CLightControlUI& p, COrlithUSBDevice& d) { p.OnSaveEffect(d); }},
    {"click", "light_effect_delete_btn", [](CLightControlUI& p, COrlithUSBDevice& d) { p.OnDeleteEffect(d); }},
};

void* CLightControlUI::GetInterface(std::string_view name)
{
    if (name == "LightControl")
        return this;
    if (name == LightPanelView::kInterface)
        return static_cast<LightPanelView*>(this);
    return CHorizontalLayoutUI::GetInterface(name);
}

// ---- controls

CControlUI* CLightControlUI::Part(const std::string& name) const
{
    if (auto known = m_parts.find(name); known != m_parts.end())
        return known->second;
    CControlUI* found = nullptr;
    std::function<void(CControlUI*)> visit = [&](CControlUI* control) {
        auto* container = static_cast<CContainerUI*>(control->GetInterface("Container"));
        for (int i = 0; container && !found && i < container->GetCount(); ++i) {
            CControlUI* child = container->GetItemAt(i);
            if (child->GetName() == name.c_str())
                found = child;
            else
                visit(child);
        }
    };
    visit(const_cast<CLightControlUI*>(this));
    if (found)
        m_parts.emplace(name, found);
    return found;
}

template <typename T>
T* CLightControlUI::PartAs(const std::string& name, const char* interface) const
{
    CControlUI* control = Part(name);
    return control ? static_cast<T*>(control->GetInterface(interface)) : nullptr;
}

void CLightControlUI::FillModeList(const std::vector<std::string>& names, const std::vector<int>& visible, int maxBrightness,
                                   int maxSpeed)
{
    auto* combo = PartAs<CComboUI>("light_combo_modeSelect", "Combo");
    if (!combo)
        return;
    combo->RemoveAll();
    m_modeNames = names;
    m_modeCount = static_cast<int>(names.size());
    for (size_t i = 0; i < names.size(); ++i) {
        auto* item = new CListLabelElementUI;
        item->SetFixedHeight(kModeItemHeight);
        item->SetText(("%[" + names[i] + "]").c_str());
        item->SetUserData(names[i].c_str());
        // Hidden modes keep their place, so the item index stays the mode number.
        item->SetVisible(i < visible.size() && visible[i] != 0);
        combo->Add(item);
    }
    if (auto* brightness = PartAs<CSliderUI>("deng_light_slider", "Slider")) {
        brightness->SetMaxValue(maxBrightness);
        if (auto* speed = PartAs<CSliderUI>("deng_speed_slider", "Slider"))
            speed->SetMaxValue(maxSpeed);
    }
}

void CLightControlUI::FillCustomEffects(const std::vector<std::string>& names)
{
    auto* combo = PartAs<CComboUI>("light_combo_modeSelect", "Combo");
    if (!combo)
        return;
    while (combo->GetCount() > m_modeCount)
        combo->RemoveAt(combo->GetCount() - 1);
    for (const std::string& name : names) {
        if (combo->GetCount() >= kMaxLightItems)
            break;
        auto* item = new CListLabelElementUI;
        item->SetFixedHeight(kModeItemHeight);
        // The user's own name, shown as typed (a text that looks like a key stays text).
        item->SetText(name.rfind("%[", 0) == 0 ? (" " + name).c_str() : name.c_str());
        item->SetUserData(name.c_str());
        combo->Add(item);
    }
}

void CLightControlUI::ShowLightInfo(const LightInfo& settings)
{
    SelectLightMode(settings.selectItem);
    SetBrightness(settings.brightness);
    SetSpeed(settings.speed);
    SetRedText(std::to_string(settings.red));
    SetGreenText(std::to_string(settings.green));
    SetBlueText(std::to_string(settings.blue));
    SetPaletteColour(Colour(settings.red, settings.green, settings.blue));
    SetMultiColour(settings.multiColor);
    SelectZzccMode(settings.zzccMode);
    SetDirection(settings.direction);
    UpdateLayout(m_kind, settings.selectItem);
}

void CLightControlUI::SetSameModeAvailable(bool available)
{
    m_sameModeAvailable = available;
    UpdateLayout(m_kind, GetLightMode());
}

void CLightControlUI::SelectLightMode(int mode)
{
    if (auto* combo = PartAs<CComboUI>("light_combo_modeSelect", "Combo"))
        combo->SelectItem(mode, false, false);
    UpdateLayout(m_kind, mode);
}

int CLightControlUI::GetLightMode() const
{
    auto* combo = PartAs<CComboUI>("light_combo_modeSelect", "Combo");
    return combo ? combo->GetCurSel() : -1;
}

void CLightControlUI::SelectCustomGroup(int index)
{
    if (auto* combo = PartAs<CComboUI>("light_combo_custommodeSelect", "Combo"))
        combo->SelectItem(index, false, false);
}

int CLightControlUI::GetCustomGroup() const
{
    auto* combo = PartAs<CComboUI>("light_combo_custommodeSelect", "Combo");
    return combo ? combo->GetCurSel() : -1;
}

void CLightControlUI::SelectZzccMode(int index)
{
    if (auto* combo = PartAs<CComboUI>("light_combo_ZZCCmodeSelect", "Combo"))
        combo->SelectItem(index, false, false);
}

int CLightControlUI::GetZzccMode() const
{
    auto* combo = PartAs<CComboUI>("light_combo_ZZCCmodeSelect", "Combo");
    return combo ? combo->GetCurSel() : -1;
}

void CLightControlUI::SetBrightness(int value)
{
    if (auto* slider = PartAs<CSliderUI>("deng_light_slider", "Slider"))
        slider->SetValue(value);
}

int CLightControlUI::GetBrightness() const
{
    auto* slider = PartAs<CSliderUI>("deng_light_slider", "Slider");
    return slider ? slider->GetValue() : 0;
}

void CLightControlUI::SetSpeed(int value)
{
    if (auto* slider = PartAs<CSliderUI>("deng_speed_slider", "Slider"))
        slider->SetValue(value);
}

int CLightControlUI::GetSpeed() const
{
    auto* slider = PartAs<CSliderUI>("deng_speed_slider", "Slider");
    return slider ? slider->GetValue() : 0;
}

void CLightControlUI::SetRedText(const std::string& text)
{
    if (CControlUI* edit = Part("deng_edit_R"))
        edit->SetText(text.c_str());
}

void CLightControlUI::SetGreenText(const std::string& text)
{
    if (CControlUI* edit = Part("deng_edit_G"))
        edit->SetText(text.c_str());
}

void CLightControlUI::SetBlueText(const std::string& text)
{
    if (CControlUI* edit = Part("deng_edit_B"))
        edit->SetText(text.c_str());
}

std::string CLightControlUI::GetRedText() const
{
    CControlUI* edit = Part("deng_edit_R");
    return edit ? std::string(edit->GetText()) : std::string();
}

std::string CLightControlUI::GetGreenText() const
{
    CControlUI* edit = Part("deng_edit_G");
    return edit ? std::string(edit->GetText()) : std::string();
}

std::string CLightControlUI::GetBlueText() const
{
    CControlUI* edit = Part("deng_edit_B");
    return edit ? std::string(edit->GetText()) : std::string();
}

void CLightControlUI::SetPaletteColour(DWORD argb)
{
    if (auto* palette = PartAs<CColorPaletteUI>("deng_Color_Pallet", "ColorPalette"))
        palette->SetSelectColor(argb);
    SetColourButton(argb);
}

DWORD CLightControlUI::GetPaletteColour() const
{
    auto* palette = PartAs<CColorPaletteUI>("deng_Color_Pallet", "ColorPalette");
    return palette ? palette->GetSelectColor() : kNoPaletteColour;
}

void CLightControlUI::SetColourButton(DWORD argb)
{
    if (CControlUI* button = Part("deng_colordp_btn"))
        button->SetBkColor(argb);
}

DWORD CLightControlUI::GetColourOption(int n) const
{
    CControlUI* option = Part("color_option_" + std::to_string(n));
    return option ? option->GetBkColor() : 0;
}

void CLightControlUI::SetMultiColour(int flag)
{
    if (auto* check = PartAs<COptionUI>("deng_7color_check", "Option"))
        check->Selected(flag != 0, false);
}

int CLightControlUI::GetMultiColour() const
{
    auto* check = PartAs<COptionUI>("deng_7color_check", "Option");
    return check && check->IsSelected() ? 1 : 0;
}

void CLightControlUI::SetDirection(int flag)
{
    auto* left = PartAs<COptionUI>("deng_FXL_check", "Option");
    auto* right = PartAs<COptionUI>("deng_FXR_check", "Option");
    if (!left || !right)
        return;
    left->Selected(flag != 0, false);
    right->Selected(flag == 0, false);
}

void CLightControlUI::ShowSameModeButton(int flag)
{
    ShowPart("deng_same_mode", flag != 0 && m_sameModeAvailable);
}

// ---- layout rules

void CLightControlUI::SetGroup(const char* name, bool enabled)
{
    if (CControlUI* group = Part(name))
        group->SetEnabled(enabled);
}

void CLightControlUI::ShowPart(const char* name, bool visible)
{
    if (CControlUI* part = Part(name))
        part->SetVisible(visible);
}

void CLightControlUI::UpdateLayout(int kind, int mode)
{
    const bool keyboard = kind == kDeviceKeyboard;
    const bool mouse = kind == kDeviceMouse;
    if (!keyboard && !mouse && kind != kDeviceMousePad && kind != kDeviceHs6533)
        return;
    if (keyboard) {
        ShowPart("lightcustom_layout", false);
        ShowPart("deng_speed_layout", true);
        ShowPart("light_combo_ZZCCmodeSelectLayout", false);
        SetGroup("light_color_layout", true);
        ShowPart("light_combo_AudiomodeSelectLayout", false);
        if (auto* tabs = PartAs<CTabLayoutUI>("light_color_tablayout", "TabLayout"))
            tabs->SelectItem(0);
    }
    ShowSameModeButton(0);
    SetGroup("deng_fx_layout", true);
    SetGroup("lighteffect_layout", true);

    const LayoutRow& row = keyboard ? RowFor(kKeyboardRows, mode) : mouse ? RowFor(kMouseRows, mode) : RowFor(kPadRows, mode);
    for (size_t g = 0; g < kGroups; ++g) {
        if (row.groups[g] != Group::Keep)
            SetGroup(kGroupNames[g], row.groups[g] == Group::On);
    }
    if (keyboard) {
        const char* left = row.leftText ? row.leftText : "light_set_right_to_left_text";
        const char* right = row.rightText ? row.rightText : "light_set_left_to_right_text";
        if (CControlUI* check = Part("deng_FXL_check"))
            check->SetText((std::string("%[") + left + "]").c_str());
        if (CControlUI* check = Part("deng_FXR_check"))
            check->SetText((std::string("%[") + right + "]").c_str());
        if (row.speedHidden)
            ShowPart("deng_speed_layout", false);
        if (row.colourGroupOff)
            SetGroup("light_color_layout", false);
        if (row.zzccShown)
            ShowPart("light_combo_ZZCCmodeSelectLayout", true);
        if (row.customShown)
            ShowPart("lightcustom_layout", true);
        if (row.audioShown) {
            ShowPart("light_combo_AudiomodeSelectLayout", true);
            if (auto* tabs = PartAs<CTabLayoutUI>("light_color_tablayout", "TabLayout"))
                tabs->SelectItem(1);
        }
    }
    if (row.sameMode)
        ShowSameModeButton(1);
    ShowCustomEffectButtons(mode);
}

void CLightControlUI::ShowCustomEffectButtons(int mode)
{
    // Only an effect of the user's own can be deleted.
    SetGroup("light_effect_delete_btn", mode >= m_modeCount && m_modeCount > 0);
}

// ---- notification handlers

bool CLightControlUI::HandleNotify(TNotifyUI& msg, COrlithUSBDevice& device)
{
    if (!msg.pSender)
        return false;
    const std::string name = msg.pSender->GetName();
    const std::string type = msg.sType;
    std::string prefix;
    int index = -1;
    if (type == "click" && SplitNameIndex(name, prefix, index) && index >= 0 && EqualsNoCase(prefix, "color_option_")) {
        OnColourOption(device, index);
        return true;
    }
    for (const Handler& handler : kHandlers) {
        if (type == handler.type && EqualsNoCase(name, handler.name)) {
            // The keyboard alone has the "ZZCC" sub-modes.
            if (std::strcmp(handler.name, "light_combo_ZZCCmodeSelect") == 0 && device.Kind() != kDeviceKeyboard)
                return false;
            handler.run(*this, device);
            return true;
        }
    }
    return false;
}

void CLightControlUI::Apply(COrlithUSBDevice& device, bool syncOff, const std::function<void(LightInfo&)>& change,
                            const std::function<void()>& panelUpdate)
{
    if (syncOff)
        device.SetSynchronised(false);
    LightInfo settings = device.GetLightSettings();
    change(settings);
    device.SetLightSettings(settings);
    device.SaveProfile();
    device.LoadLightState();
    if (panelUpdate)
        panelUpdate();
    device.WriteProfileRecord(0, 0);
}

void CLightControlUI::OnModeSelect(COrlithUSBDevice& device)
{
    const int mode = GetLightMode();
    if (mode < 0)
        return;
    SelectLightMode(mode);
    Apply(device, true, [mode](LightInfo& s) { s.selectItem = static_cast<uint8_t>(mode); });
}

void CLightControlUI::OnBrightness(COrlithUSBDevice& device)
{
    const int value = GetBrightness();
    SetBrightness(value);
    Apply(device, true, [value](LightInfo& s) { s.brightness = static_cast<uint8_t>(value); });
}

void CLightControlUI::OnSpeed(COrlithUSBDevice& device)
{
    const int value = GetSpeed();
    SetSpeed(value);
    Apply(device, true, [value](LightInfo& s) { s.speed = static_cast<uint8_t>(value); });
}

void CLightControlUI::OnMultiColour(COrlithUSBDevice& device)
{
    const int flag = GetMultiColour();
    SetMultiColour(flag);
    Apply(device, true, [flag](LightInfo& s) { s.multiColor = static_cast<uint8_t>(flag); });
}

void CLightControlUI::OnDirection(COrlithUSBDevice& device, int direction)
{
    SetDirection(direction);
    Apply(device, true, [direction](LightInfo& s) { s.direction = static_cast<uint8_t>(direction); });
}

void CLightControlUI::ShowComponents(DWORD argb)
{
    SetRedText(std::to_string(Red(argb)));
    SetGreenText(std::to_string(Green(argb)));
    SetBlueText(std::to_string(Blue(argb)));
}

void CLightControlUI::ApplyColour(COrlithUSBDevice& device, DWORD argb, bool syncOff)
{
    Apply(
        device, syncOff,
        [argb](LightInfo& s) {
            s.red = Red(argb);
            s.green = Green(argb);
            s.blue = Blue(argb);
            s.multiColor = 0;
        },
        [this, argb] {
            ShowComponents(argb);
            SetMultiColour(0);
            SetPaletteColour(argb);
        });
}

void CLightControlUI::OnPalette(COrlithUSBDevice& device)
{
    ApplyColour(device, GetPaletteColour(), true);
}

void CLightControlUI::OnComponentEdit(COrlithUSBDevice& device, const std::string& name)
{
    CControlUI* edit = Part(name);
    if (!edit)
        return;
    const int value = ComponentOf(std::string(edit->GetText()));
    // The edit shows the value taken: "255" for anything above, "0" for an empty edit.
    edit->SetText(std::to_string(value).c_str());
    const LightInfo current = device.GetLightSettings();
    int red = current.red, green = current.green, blue = current.blue;
    (name == "deng_edit_R" ? red : name == "deng_edit_G" ? green : blue) = value;
    const DWORD argb = Colour(red, green, blue);
    Apply(
        device, true,
        [argb](LightInfo& s) {
            s.red = Red(argb);
            s.green = Green(argb);
            s.blue = Blue(argb);
            s.multiColor = 0;
        },
        [this, argb] {
            SetMultiColour(0);
            SetPaletteColour(argb);
        });
}

void CLightControlUI::OnColourOption(COrlithUSBDevice& device, int n)
{
    if (!Part("color_option_" + std::to_string(n)))
        return;
    // A preset keeps synchronised lighting as it is.
    ApplyColour(device, 0xFF000000u | GetColourOption(n), false);
}

void CLightControlUI::OnColourButton(COrlithUSBDevice& device)
{
    CControlUI* button = Part("deng_colordp_btn");
    if (!button || !m_colourDialog || m_colourDialogOpen)
        return;
    uint32_t argb = button->GetBkColor();
    // One dialog at a time: a click that reaches the page while it is open does nothing.
    m_colourDialogOpen = true;
    const bool chosen = m_colourDialog(argb);
    m_colourDialogOpen = false;
    if (!chosen)
        return;
    ApplyColour(device, 0xFF000000u | argb, true);
}

void CLightControlUI::OnZzccSelect(COrlithUSBDevice& device)
{
    const int zzcc = GetZzccMode();
    if (zzcc < 0)
        return;
    SelectZzccMode(zzcc);
    Apply(device, false, [zzcc](LightInfo& s) { s.zzccMode = static_cast<uint8_t>(zzcc); });
}

// ---- custom effects

std::vector<LightEffectStep> CLightControlUI::StepsFromSettings(const COrlithUSBDevice& device) const
{
    const LightInfo settings = device.GetLightSettings();
    const int mode = settings.selectItem;
    if (mode >= m_modeCount) {
        // A custom effect saved under another name keeps its frames.
        const LightConfigFile config(device.DeviceFolder());
        const auto effects = config.Effects(device.GetFamilyLightIndex());
        const size_t position = static_cast<size_t>(mode - m_modeCount);
        return position < effects.size() ? config.ReadSteps(effects[position].id) : std::vector<LightEffectStep>{};
    }
    LightEffectStep step;
    step.mode = kStepStatic;
    const std::string name = mode < static_cast<int>(m_modeNames.size()) ? m_modeNames[static_cast<size_t>(mode)] : std::string();
    for (const StepModeOf& known : kStepModes) {
        if (name == known.modeName)
            step.mode = known.stepMode;
    }
    step.brightness = name == "light_mode_off" ? 0 : settings.brightness;
    step.speed = settings.speed;
    step.direction = settings.direction;
    step.multiColor = settings.multiColor;
    step.red = settings.red;
    step.green = settings.green;
    step.blue = settings.blue;
    step.time = kSavedStepMs;
    step.cycles = 1;
    return {step};
}

void CLightControlUI::OnSaveEffect(COrlithUSBDevice& device)
{
    if (device.DeviceFolder().empty())
        return;
    LightConfigFile config(device.DeviceFolder());
    const int family = device.GetFamilyLightIndex();
    const size_t saved = config.Effects(family).size();
    if (m_modeCount + static_cast<int>(saved) >= kMaxLightItems)
        return;
    CControlUI* edit = Part("light_effect_name_edit");
    std::string name = edit ? Trimmed(std::string(edit->GetText())) : std::string();
    if (name.empty())
        name = std::string(CResourceManager::GetInstance().GetText("light_effect_default_name")) + " " + std::to_string(saved + 1);
    const int index = config.SaveEffect(family, name, StepsFromSettings(device));
    if (index < 0)
        return;
    if (edit)
        edit->SetText("");
    device.FillLightPanel();
    const int mode = m_modeCount + index;
    SelectLightMode(mode);
    Apply(device, true, [mode](LightInfo& s) { s.selectItem = static_cast<uint8_t>(mode); });
}

void CLightControlUI::OnDeleteEffect(COrlithUSBDevice& device)
{
    const int mode = GetLightMode();
    if (mode < m_modeCount)
        return;
    LightConfigFile config(device.DeviceFolder());
    if (config.RemoveEffect(device.GetFamilyLightIndex(), mode - m_modeCount) != 0)
        return;
    device.FillLightPanel();
    SelectLightMode(0);
    Apply(device, true, [](LightInfo& s) { s.selectItem = 0; });
}
