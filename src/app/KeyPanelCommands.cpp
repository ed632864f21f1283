#include "app/KeyPanelCommands.h"

#include "app/ProfileCommands.h"
#include "device/COrlithUSBDevice.h"
#include "device/DeviceKind.h"
#include "macro/KeyCodeTable.h"
#include "panels/CKeySetControlUI.h"
#include "profile/StringUtils.h"
#include "toolkit/ComboUI.h"
#include "toolkit/MessageQueue.h"
#include "toolkit/OptionUI.h"
#include "toolkit/PaintManagerUI.h"
#include "toolkit/custom/DeviceKeyButtonUI.h"
#include "ui/LanguageText.h"

namespace {

// The page's function panel type of the buttons tab (mouse) and the keys tab (keyboard).
constexpr int kMouseKeyPanel = 2;
constexpr int kKeyboardKeyPanel = 1;
constexpr KeyFunction kLeftButton{0x10, 0x01, 0};

const char* const kApplyOnFocusLoss[] = {
    "keyset_mouseswing_num_edit", "keyset_mouseswing_delay_edit", "keyset_mouseswing_speed_edit",
    "keyset_mousewheel_num_edit", "keyset_mousewheel_delay_edit", "keyset_mousewheel_speed_edit",
    "keyset_mousefire_interval_edit", "keyset_mousefire_num_edit", "keyset_macro_cycle_edit"};

bool IsOneOf(const std::string& name, const char* const* names, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        if (name == names[i])
            return true;
    }
    return false;
}

// The picture marks the key whose function the panel shows.
void MarkSelectedKey(COrlithUSBDevice& device)
{
    const std::vector<CControlUI*>& buttons = device.KeyButtons();
    for (size_t i = 0; i < buttons.size(); ++i) {
        auto* button = buttons[i] ? static_cast<CDeviceKeyButtonUI*>(buttons[i]->GetInterface("DeviceKeyButton")) : nullptr;
        if (button)
            button->SetKeySetMarkHidden(static_cast<int>(i) != device.SelectedKey());
    }
}

} // namespace

CKeySetControlUI* KeyPanelCommands::PanelOf(COrlithUSBDevice* device)
{
    CPaintManagerUI* manager = device ? device->GetManager() : nullptr;
    CControlUI* item = manager ? manager->FindSubControlByName(device, CKeySetControlUI::kItemName) : nullptr;
    return item ? static_cast<CKeySetControlUI*>(item->GetInterface("KeySetControl")) : nullptr;
}

IProfileDialogs& KeyPanelCommands::Dialogs()
{
    return m_profiles.Dialogs();
}

void KeyPanelCommands::Prepare(COrlithUSBDevice* device, const std::vector<std::string>& macroNames)
{
    CKeySetControlUI* panel = PanelOf(device);
    if (!panel)
        return;
    panel->InitControls();
    panel->SetDeviceKind(WiredKindOf(device->Kind()));
    panel->FillMacroList(macroNames);
    panel->EnableEditButtons(false);
    // The first key is shown from the start, so the panel is never empty.
    std::vector<KeyAssignment> keys = device->KeyAssignments();
    if (!keys.empty()) {
        device->SelectKey(0);
        panel->SetAssignment(keys.front());
        MarkSelectedKey(*device);
    }
}

void KeyPanelCommands::OnNotify(TNotifyUI& msg, COrlithUSBDevice* device)
{
    CKeySetControlUI* panel = PanelOf(device);
    if (!panel || !msg.pSender)
        return;
    const std::string name = msg.pSender->GetName();
    const std::string& type = msg.sType;
    std::string prefix;
    int index = -1;
    const bool indexed = SplitNameIndex(name, prefix, index) && index >= 0;
    if (type == "click" && indexed && EqualsNoCase(prefix, "key_"))
        return OnKeyClick(index, *device);
    if (type == "click") {
        if (EqualsNoCase(name, "key_butt_keysave"))
            return Apply(*panel, *device);
        if (EqualsNoCase(name, "key_butt_keydefalut")) {
            panel->ShowDefaultFunction();
            panel->EnableEditButtons(true);
        } else if (EqualsNoCase(name, "key_butt_keycancel")) {
            panel->ShowCurrentFunction();
            panel->EnableEditButtons(false);
        } else if (EqualsNoCase(name, "key_butt_prosave")) {
            SaveToDevice(*panel, *device);
        }
        return;
    }
    if (type == "selectchanged" && indexed && EqualsNoCase(prefix, "key_ComBox_check_")) {
        auto* option = static_cast<COptionUI*>(msg.pSender->GetInterface("Option"));
        if (!option || !option->IsSelected())
            return;
        panel->SelectModifier(index);
        return Apply(*panel, *device);
    }
    if (type == "itemselect") {
        if (EqualsNoCase(name, "keyset_function_combo")) {
            const int category = panel->SelectedCategory();
            panel->ShowCategoryPage(category);
            if (category == kCategoryKeyboard) {
                panel->ShowKeyName("");
                panel->SelectModifier(-1);
            }
        } else if (EqualsNoCase(name, "keyset_macro_over_combo")) {
            panel->ShowRepeatCount();
        }
        return Apply(*panel, *device);
    }
    if (type == "killfocus" && IsOneOf(name, kApplyOnFocusLoss, std::size(kApplyOnFocusLoss)))
        return Apply(*panel, *device);
    // The key name edit catches one key from the keyboard while it has the focus.
    if (name == "keyset_keyboard_text_edit" && (type == "setfocus" || type == "killfocus")) {
        if (HWND window = m_manager.GetPaintWindow())
            ::SendMessage(window, kMsgSingleKeyCapture, type == "setfocus" ? 1 : 0, 0);
    }
}

bool KeyPanelCommands::IsOnlyLeftButton(const std::vector<KeyAssignment>& keys, int key)
{
    if (keys.at(static_cast<size_t>(key)).current.function != kLeftButton)
        return false;
    int holders = 0;
    for (const KeyAssignment& each : keys)
        holders += each.current.function == kLeftButton ? 1 : 0;
    return holders == 1;
}

void KeyPanelCommands::OnKeyClick(int key, COrlithUSBDevice& device)
{
    CKeySetControlUI* panel = PanelOf(&device);
    const int kind = WiredKindOf(device.Kind());
    const int wanted = kind == kDeviceKeyboard ? kKeyboardKeyPanel : kMouseKeyPanel;
    if (!panel || device.GetFunctionPanel() != wanted)
        return;
    const std::vector<KeyAssignment> keys = device.KeyAssignments();
    if (key >= static_cast<int>(keys.size()))
        return;
    if (kind == kDeviceMouse && IsOnlyLeftButton(keys, key)) {
        Dialogs().Notice("message_text_6", true);
        return;
    }
    device.SelectKey(key);
    MarkSelectedKey(device);
    panel->SetAssignment(keys[static_cast<size_t>(key)]);
    panel->EnableEditButtons(false);
}

void KeyPanelCommands::Apply(CKeySetControlUI& panel, COrlithUSBDevice& device)
{
    const KeyFunction function = panel.ReadKeyFunction();
    std::vector<KeyAssignment> keys = device.KeyAssignments();
    const int key = device.SelectedKey();
    if (key < 0 || key >= static_cast<int>(keys.size()))
        return;
    // The page opens on the first key, so this guards the left button as a key click does.
    if (WiredKindOf(device.Kind()) == kDeviceMouse && IsOnlyLeftButton(keys, key) && function != kLeftButton) {
        Dialogs().Notice("message_text_6", true);
        panel.ShowCurrentFunction();
        panel.EnableEditButtons(false);
        return;
    }
    keys[static_cast<size_t>(key)].current.function = function;
    device.SetKeyAssignments(keys);
    panel.EnableEditButtons(true);
}

void KeyPanelCommands::SaveToDevice(CKeySetControlUI& panel, COrlithUSBDevice& device)
{
    const int result = device.WriteKeyTable();
    if (result <= 0) {
        if (result == -1)
            Dialogs().Notice("message_text_7", true);
        device.RefreshPage();
        panel.EnableEditButtons(false);
        return;
    }
    long number = 0;
    const std::string key = ProfileCommands::UploadNoticeKey(result, device.MacroMemoryUnits(), false, number);
    Dialogs().Notice(LanguageText::Format(&m_manager, key, number), false);
    // The macros do not fit: the key goes back to its factory function.
    panel.ShowDefaultFunction();
    Apply(panel, device);
}

void KeyPanelCommands::OnKeyCaptured(COrlithUSBDevice* device, uint32_t scanCode, bool extended)
{
    CKeySetControlUI* panel = PanelOf(device);
    if (!panel)
        return;
    const int row = KeyCodeTable::FindCaptured(scanCode, extended);
    if (row < 0 || KeyCodeTable::Rows()[static_cast<size_t>(row)].function.type != KeyCodeTable::kKeyboardType)
        return;
    panel->TakeCapturedKey(row);
    const KeyFunction function = panel->Assignment().current.function;
    std::vector<KeyAssignment> keys = device->KeyAssignments();
    const int key = device->SelectedKey();
    if (key < 0 || key >= static_cast<int>(keys.size()))
        return;
    keys[static_cast<size_t>(key)].current.function = function;
    device->SetKeyAssignments(keys);
    panel->EnableEditButtons(true);
}
