#include "app/MacroPanelCommands.h"

#include "app/KeyPanelCommands.h"
#include "app/ProfileCommands.h"
#include "device/COrlithUSBDevice.h"
#include "device/DeviceKind.h"
#include "panels/CKeySetControlUI.h"
#include "platform/DebugOutput.h"
#include "profile/CBasicProfiledata.h"
#include "toolkit/MenuWnd.h"
#include "toolkit/MessageQueue.h"
#include "toolkit/PaintManagerUI.h"
#include "toolkit/UIHost.h"
#include "toolkit/UIParse.h"
#include "ui/CDeviceProfileUI.h"
#include "ui/LanguageText.h"

namespace {

constexpr uint8_t kMacroRepeatMode = 0x70;
constexpr uint8_t kMacroRepeatCount = 0x71;
constexpr const char* kActionMenu = "XML\\Menus\\macro_action_menu.xml";

bool UsesMacro(const KeyFunction& function)
{
    return function.type == kMacroRepeatMode || function.type == kMacroRepeatCount;
}

// Key assignments after macro m is gone: those that used m take their default, those that used
// a later macro follow it down by one. True when one changed.
bool RenumberAfterDelete(std::vector<KeyAssignment>& keys, int deleted)
{
    bool changed = false;
    for (KeyAssignment& key : keys) {
        KeyFunction& function = key.current.function;
        if (!UsesMacro(function))
            continue;
        if (function.high == deleted) {
            function = key.defaults.function;
            changed = true;
        } else if (function.high > deleted) {
            --function.high;
            changed = true;
        }
    }
    return changed;
}

// The menu items that insert mouse buttons: name, message, forward/back for X buttons.
struct ButtonItem {
    const char* name;
    uint16_t down;
    int variant;
};
constexpr ButtonItem kButtonItems[] = {
    {"left", 0x0201, 0}, {"middle", 0x0207, 0}, {"right", 0x0204, 0}, {"forward", 0x020B, 1}, {"back", 0x020B, 0},
};

struct RecordItem {
    const char* name;
    int timing; // 0: the panel's choice of recorded or fixed time
    CaptureMode mode;
};
constexpr RecordItem kRecordItems[] = {
    {"redio_previous_record_time", 0, CaptureMode::InsertBefore},
    {"redio_previous_constant_time", static_cast<int>(TimingMode::ConstantDelay), CaptureMode::InsertBefore},
    {"redio_previous_ignore_time", static_cast<int>(TimingMode::IgnoreDelay), CaptureMode::InsertBefore},
    {"redio_later_record_time", 0, CaptureMode::InsertAfter},
    {"redio_later_constant_time", static_cast<int>(TimingMode::ConstantDelay), CaptureMode::InsertAfter},
    {"redio_later_ignore_time", static_cast<int>(TimingMode::IgnoreDelay), CaptureMode::InsertAfter},
    {"macro_action_edit", static_cast<int>(TimingMode::IgnoreDelay), CaptureMode::ReplaceKey},
};

TimingMode ChosenTiming(CMacroControlUI& panel)
{
    return panel.IsConstantTime() ? TimingMode::ConstantDelay : TimingMode::RecordDelay;
}

} // namespace

CaptureMessages CaptureMessages::Register()
{
    CaptureMessages ids;
    ids.singleKey = RegisterWindowMessage("WM_HOOK_KEY_SINGLEKEY_MSG");
    ids.keyAppend = RegisterWindowMessage("WM_HOOK_KEY_KBMACRO_MSG");
    ids.keyBefore = RegisterWindowMessage("WM_HOOK_KEY_KBMACROPREVIOUS_MSG");
    ids.keyAfter = RegisterWindowMessage("WM_HOOK_KEY_KBMACROLATER_MSG");
    ids.keyReplace = RegisterWindowMessage("WM_HOOK_KEY_KBMACROSINGLE_MSG");
    ids.mouseAppend = RegisterWindowMessage("WM_HOOK_KEY_MSMACRO_MSG");
    ids.mouseBefore = RegisterWindowMessage("WM_HOOK_KEY_MSMACROPREVIOUS_MSG");
    ids.mouseAfter = RegisterWindowMessage("WM_HOOK_KEY_MSMACROLATER_MSG");
    ids.mouseReplace = RegisterWindowMessage("WM_HOOK_KEY_MSMACROSINGLE_MSG");
    return ids;
}

MacroPanelCommands::MacroPanelCommands(CPaintManagerUI& manager, ProfileCommands& profiles)
    : m_manager(manager), m_profiles(profiles), m_messages(CaptureMessages::Register())
{
}

CMacroControlUI* MacroPanelCommands::PanelOf(COrlithUSBDevice* device)
{
    CPaintManagerUI* manager = device ? device->GetManager() : nullptr;
    CControlUI* item = manager ? manager->FindSubControlByName(device, CMacroControlUI::kItemName) : nullptr;
    return item ? static_cast<CMacroControlUI*>(item->GetInterface("MacroControl")) : nullptr;
}

IProfileDialogs& MacroPanelCommands::Dialogs()
{
    return m_profiles.Dialogs();
}

void MacroPanelCommands::Prepare(COrlithUSBDevice* device)
{
    CMacroControlUI* panel = PanelOf(device);
    if (!panel)
        return;
    panel->SetFolder(device->DeviceFolder());
    panel->LoadMacroList();
}

void MacroPanelCommands::OnNotify(TNotifyUI& msg, COrlithUSBDevice* device)
{
    CMacroControlUI* panel = PanelOf(device);
    if (!panel || !msg.pSender)
        return;
    const std::string name = msg.pSender->GetName();
    const std::string& type = msg.sType;
    if (type == "itemselect" && EqualsNoCase(name, "macro_name_list"))
        return panel->ShowSelectedMacro();
    // While the user types, an emptied delay stays empty in the edit; leaving it shows 0.
    if ((type == "textchanged" || type == "killfocus") && EqualsNoCase(name, "macro_delay"))
        return Save(*panel, type == "killfocus");
    if (type == "itemactivate" && name == "macro_action")
        return OpenActionMenu();
    if (type != "click")
        return;
    if (EqualsNoCase(name, "macro_btn_starredio"))
        StartRecording(ChosenTiming(*panel), CaptureMode::Append, *device);
    else if (EqualsNoCase(name, "macro_btn_stopredio"))
        StopRecording(*device);
    else if (EqualsNoCase(name, "macro_btn_name_add"))
        NewMacro(*panel, *device);
    else if (EqualsNoCase(name, "macro_btn_name_sub"))
        DeleteMacro(*panel, *device);
    else if (EqualsNoCase(name, "macro_btn_name_edit"))
        RenameMacro(*panel, *device);
    else if (EqualsNoCase(name, "macro_btn_save"))
        Save(*panel);
    else if (EqualsNoCase(name, "macro_btn_cancel"))
        panel->ShowSelectedMacro();
    else if (EqualsNoCase(name, "macro_btn_export"))
        ExportMacro(*panel);
    else if (EqualsNoCase(name, "macro_btn_import"))
        ImportMacro(*panel, *device);
    else if (EqualsNoCase(name, "macro_btn_up") || EqualsNoCase(name, "macro_btn_down") ||
             EqualsNoCase(name, "macro_btn_uptop") || EqualsNoCase(name, "macro_btn_downbottom")) {
        const RowMove move = EqualsNoCase(name, "macro_btn_up")     ? RowMove::Up
                             : EqualsNoCase(name, "macro_btn_down") ? RowMove::Down
                             : EqualsNoCase(name, "macro_btn_uptop") ? RowMove::Top
                                                                     : RowMove::Bottom;
        if (panel->MoveSelectedRow(move))
            Save(*panel);
    } else if (EqualsNoCase(name, "macro_btn_delete")) {
        if (panel->DeleteSelectedRow()) {
            Save(*panel);
            UploadMacros(*device);
        }
    } else if (EqualsNoCase(name, "macro_btn_deleteall")) {
        panel->DeleteAllRows();
        Save(*panel);
        UploadMacros(*device);
    } else {
        static const char* const kMoves[] = {"macro_inset_moveleftkey_btn", "macro_inset_moverightkey_btn",
                                             "macro_inset_moveupkey_btn", "macro_inset_movedownkey_btn"};
        for (int direction = 0; direction < 4; ++direction) {
            if (name == kMoves[direction]) {
                panel->InsertMouseStep(0, direction);
                Save(*panel);
            }
        }
    }
}

void MacroPanelCommands::OpenActionMenu()
{
    CMenuWnd::CloseAllMenus();
    CMenuWnd::CreateMenu(nullptr, kActionMenu, CursorPosition(), &m_manager, nullptr,
                         eMenuAlignment_Left | eMenuAlignment_Top);
}

bool MacroPanelCommands::OnMenuCommand(const std::string& item, COrlithUSBDevice* device)
{
    CMacroControlUI* panel = PanelOf(device);
    if (!panel)
        return false;
    for (const RecordItem& record : kRecordItems) {
        if (item == record.name) {
            const TimingMode timing = record.timing ? static_cast<TimingMode>(record.timing) : ChosenTiming(*panel);
            StartRecording(timing, record.mode, *device);
            return true;
        }
    }
    for (const ButtonItem& button : kButtonItems) {
        const std::string base = button.name;
        const bool down = item == base + "_down";
        const bool up = item == base + "_up";
        const bool click = item == base + "_click";
        if (!down && !up && !click)
            continue;
        // A release message is the press message plus one (two for the X buttons' pair).
        const uint16_t release = static_cast<uint16_t>(button.down + 1);
        if (down || click)
            panel->InsertMouseStep(button.down, button.variant);
        if (up || click)
            panel->InsertMouseStep(release, button.variant);
        Save(*panel);
        return true;
    }
    return false;
}

void MacroPanelCommands::Save(CMacroControlUI& panel, bool fillEmptyDelays)
{
    const int result = panel.SaveSelectedMacro(fillEmptyDelays);
    if (result == kMacroEventsDropped || result == kMacroFileError)
        Dialogs().Notice(MacroResultMessageKey(result), true);
}

void MacroPanelCommands::TakeAddedMacro(int result, const std::string& name, COrlithUSBDevice& device)
{
    if (result == kMacroDone) {
        if (CKeySetControlUI* keys = KeyPanelCommands::PanelOf(&device))
            keys->AddMacroItem(name);
        return;
    }
    const bool mouse = WiredKindOf(device.Kind()) == kDeviceMouse;
    if (result != kMacroListFull || mouse)
        if (const char* key = MacroResultMessageKey(result); key && *key)
            Dialogs().Notice(key, true);
}

void MacroPanelCommands::NewMacro(CMacroControlUI& panel, COrlithUSBDevice& device)
{
    if (!Dialogs().Confirm("message_text_29"))
        return;
    std::string name;
    const int result = panel.NewMacro(name);
    TakeAddedMacro(result, name, device);
}

void MacroPanelCommands::DeleteMacro(CMacroControlUI& panel, COrlithUSBDevice& device)
{
    if (!Dialogs().Confirm("message_text_4"))
        return;
    const int macro = panel.SelectedMacroIndex();
    if (macro < 0)
        return;
    std::vector<KeyAssignment> current = device.KeyAssignments();
    bool used = false;
    for (const KeyAssignment& key : current)
        used = used || (UsesMacro(key.current.function) && key.current.function.high == macro);
    if (used && !Dialogs().Confirm("message_text_2"))
        return;
    // The macro goes first: when its index cannot be rewritten, no profile is renumbered.
    if (panel.DeleteSelectedMacro() < 0) {
        Dialogs().Notice(MacroResultMessageKey(kMacroFileError), true);
        return;
    }
    for (const std::string& path : device.OtherProfilePaths()) {
        CBasicProfiledata other;
        other.LoadOtherProfile(path);
        std::vector<KeyAssignment> keys = other.GetOtherKeyList();
        if (RenumberAfterDelete(keys, macro)) {
            other.SetOtherKeyList(keys);
            other.SaveOtherProfile(path);
        }
    }
    const bool currentChanged = RenumberAfterDelete(current, macro);
    if (currentChanged)
        device.SetKeyAssignments(current);
    if (CKeySetControlUI* keys = KeyPanelCommands::PanelOf(&device)) {
        keys->RemoveMacroItem(macro);
        const int selected = device.SelectedKey();
        if (selected >= 0 && selected < static_cast<int>(current.size()))
            keys->SetAssignment(current[static_cast<size_t>(selected)]);
    }
    if (currentChanged) {
        device.WriteCurrentKeyAssignments();
        UploadMacros(device);
    }
}

void MacroPanelCommands::RenameMacro(CMacroControlUI& panel, COrlithUSBDevice& device)
{
    std::string name;
    const int index = panel.SelectedMacroIndex();
    const int result = panel.RenameSelectedMacro(name);
    if (result == kMacroNameTaken || result == kMacroFileError) {
        Dialogs().Notice(MacroResultMessageKey(result), true);
        return;
    }
    if (result != kMacroDone)
        return;
    if (CKeySetControlUI* keys = KeyPanelCommands::PanelOf(&device))
        keys->RenameMacroItem(index, name);
    device.RefreshPage();
    device.WriteCurrentKeyAssignments();
}

void MacroPanelCommands::ImportMacro(CMacroControlUI& panel, COrlithUSBDevice& device)
{
    std::string path;
    if (!Dialogs().ChooseFileOf(false, kFilterDescription, kFilterPattern, path) || path.empty())
        return;
    std::string name;
    const int result = panel.ImportMacro(path, name);
    TakeAddedMacro(result, name, device);
}

void MacroPanelCommands::ExportMacro(CMacroControlUI& panel)
{
    if (panel.SelectedMacroIndex() < 0)
        return;
    std::string path;
    if (!Dialogs().ChooseFileOf(true, kFilterDescription, kFilterPattern, path) || path.empty())
        return;
    const int result = panel.ExportSelectedMacro(path);
    if (const char* key = MacroResultMessageKey(result); key && *key)
        Dialogs().Notice(key, true);
}

void MacroPanelCommands::UploadMacros(COrlithUSBDevice& device)
{
    const int result = device.UploadUsedMacros();
    CKeySetControlUI* keys = KeyPanelCommands::PanelOf(&device);
    if (result <= 0) {
        if (result == -1)
            Dialogs().Notice("message_text_7", true);
        if (keys)
            keys->EnableEditButtons(false);
        return;
    }
    long number = 0;
    const std::string key = ProfileCommands::UploadNoticeKey(result, device.MacroMemoryUnits(), false, number);
    Dialogs().Notice(LanguageText::Format(&m_manager, key, number), false);
    if (keys) {
        keys->ShowCurrentFunction();
        keys->EnableEditButtons(true);
    }
    device.WriteCurrentKeyAssignments();
}

void MacroPanelCommands::StartRecording(TimingMode timing, CaptureMode mode, COrlithUSBDevice& device)
{
    CMacroControlUI* panel = PanelOf(&device);
    if (!panel)
        return;
    if (!panel->StartRecording(timing))
        Dialogs().Notice("message_text_36", true);
    SetRecordHook(mode, true, device);
}

void MacroPanelCommands::StopRecording(COrlithUSBDevice& device)
{
    CMacroControlUI* panel = PanelOf(&device);
    if (!panel)
        return;
    panel->StopRecording();
    SetRecordHook(CaptureMode::Append, false, device);
    Save(*panel);
    UploadMacros(device);
}

void MacroPanelCommands::SetRecordHook(CaptureMode mode, bool enable, COrlithUSBDevice& device)
{
    if (m_captureSwitch && m_captureSwitch(static_cast<int>(mode), enable) == 0 && enable)
        platform::DebugOutput("input hook could not start");
    if (CControlUI* selector = m_manager.FindControl("device_select_layout"))
        selector->SetEnabled(!enable);
    if (CDeviceProfileUI* profiles = ProfileCommands::PanelOf(&device))
        profiles->SetEnabled(!enable);
    if (CKeySetControlUI* keys = KeyPanelCommands::PanelOf(&device))
        keys->EnableEditButtons(enable);
}

bool MacroPanelCommands::IsCaptureMessage(UINT uMsg) const
{
    const CaptureMessages& m = m_messages;
    for (UINT id : {m.singleKey, m.keyAppend, m.keyBefore, m.keyAfter, m.keyReplace, m.mouseAppend, m.mouseBefore,
                    m.mouseAfter, m.mouseReplace}) {
        if (uMsg == id)
            return true;
    }
    return false;
}

bool MacroPanelCommands::OnCaptureMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, COrlithUSBDevice* device,
                                          POINT windowOrigin)
{
    struct Route {
        UINT id;
        CaptureMode mode;
        bool mouse;
    };
    const Route routes[] = {
        {m_messages.keyAppend, CaptureMode::Append, false},        {m_messages.keyBefore, CaptureMode::InsertBefore, false},
        {m_messages.keyAfter, CaptureMode::InsertAfter, false},    {m_messages.keyReplace, CaptureMode::ReplaceKey, false},
        {m_messages.mouseAppend, CaptureMode::Append, true},       {m_messages.mouseBefore, CaptureMode::InsertBefore, true},
        {m_messages.mouseAfter, CaptureMode::InsertAfter, true},   {m_messages.mouseReplace, CaptureMode::ReplaceKey, true},
    };
    if (uMsg == m_messages.singleKey) {
        const auto* record = reinterpret_cast<const KeyCaptureRecord*>(lParam);
        if (record && onSingleKey && (wParam == 0x0100 || wParam == 0x0104))
            onSingleKey(record->scanCode, (record->flags & 1) != 0);
        return true;
    }
    for (const Route& route : routes) {
        if (uMsg != route.id)
            continue;
        const int kind = device ? WiredKindOf(device->Kind()) : 0;
        CMacroControlUI* panel = kind == kDeviceMouse || kind == kDeviceKeyboard ? PanelOf(device) : nullptr;
        if (!panel || lParam == 0)
            return true;
        if (route.mouse) {
            if (route.mode == CaptureMode::Append)
                platform::DebugOutput("WM_HOOK_KEY_MSMACRO");
            const auto* record = reinterpret_cast<const MouseCaptureRecord*>(lParam);
            panel->OnMouseCapture(route.mode, static_cast<uint32_t>(wParam), POINT{record->x, record->y},
                                  static_cast<int>(record->buttonData >> 16), windowOrigin);
        } else {
            const auto* record = reinterpret_cast<const KeyCaptureRecord*>(lParam);
            panel->OnKeyCapture(route.mode, static_cast<uint32_t>(wParam), record->scanCode, (record->flags & 1) != 0);
        }
        return true;
    }
    return false;
}
