#include "panels/CMacroControlUI.h"

#include "macro/KeyCodeTable.h"
#include "profile/JsonFieldReader.h"
#include "profile/JsonFile.h"
#include "toolkit/EditUI.h"
#include "toolkit/LabelUI.h"
#include "toolkit/ListContainerElementUI.h"
#include "toolkit/ListLabelElementUI.h"
#include "toolkit/ListUI.h"
#include "toolkit/OptionUI.h"
#include "toolkit/PaintManagerUI.h"
#include "toolkit/UIHost.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kRowHeight = 30;
constexpr int kDelayEditHeight = 25;
constexpr int kDelayEditChars = 6;
constexpr DWORD kDelayEditColour = 0xFF15171C;
constexpr int kMaxShownDelay = 65535;
constexpr uint32_t kKeyDown = 0x0100;
constexpr uint32_t kSystemKeyDown = 0x0104;
// Mouse event rows: 0..5 left, right, middle; 6/7 forward; 8/9 back; 10..13 the moves.
constexpr int kForwardRow = 6;
constexpr int kBackRow = 8;
constexpr int kFirstMoveRow = 10;
constexpr int kPlainButtonRows = 6;

constexpr const char* kEditorControls[] = {"macro_action_layout", "mouse_move_layout", "macro_btn_export",
                                           "macro_btn_name_sub", "macro_btn_name_edit"};

// The edits holding the distances of the four moves, by direction (left, right, up, down).
constexpr const char* kMoveEdits[] = {"mouse_x_left_edit", "mouse_x_right_edit", "mouse_y_up_edit", "mouse_y_down_edit"};

bool IsMouseType(int type)
{
    return type != static_cast<int>(MacroEventType::Key) && type != static_cast<int>(MacroEventType::Modifier);
}

bool IsMoveType(int type)
{
    return type == static_cast<int>(MacroEventType::MoveHorizontal) || type == static_cast<int>(MacroEventType::MoveVertical);
}

// The language key naming a step's key or button, null when none does.
const char* LabelOfStep(int type, int button, bool down)
{
    const auto events = KeyCodeTable::MouseEvents();
    switch (static_cast<MacroEventType>(type)) {
    case MacroEventType::Key:
        return KeyCodeTable::KeyLabel(static_cast<uint8_t>(button));
    case MacroEventType::Modifier:
        return KeyCodeTable::ModifierLabel(static_cast<uint8_t>(button));
    case MacroEventType::MouseButton:
        for (int i = 0; i < kFirstMoveRow; ++i) {
            if (events[static_cast<size_t>(i)].button == button)
                return events[static_cast<size_t>(i)].labelKey;
        }
        return nullptr;
    case MacroEventType::MoveHorizontal:
    case MacroEventType::MoveVertical:
        for (size_t i = kFirstMoveRow; i < events.size(); ++i) {
            if (events[i].code == (down ? 0x80 : 0) + type)
                return events[i].labelKey;
        }
        return nullptr;
    default:
        return nullptr;
    }
}

Json::Value StepJson(const MacroEvent& event, int delay, bool numberDelay)
{
    Json::Value step = event.ToJson();
    if (numberDelay)
        step["Delay"] = delay;
    else
        step["Delay"] = std::to_string(delay);
    return step;
}

} // namespace

void* CMacroControlUI::GetInterface(std::string_view name)
{
    if (name == "MacroControl")
        return this;
    return CHorizontalLayoutUI::GetInterface(name);
}

void CMacroControlUI::DoEvent(TEventUI& event)
{
    if (event.Type == UIEVENT_TIMER && event.wParam == kTimerScroll) {
        if (m_pManager)
            m_pManager->KillTimer(this, kTimerScroll);
        if (CListUI* list = List("macro_action_list"); list && list->GetCurSel() >= 0)
            list->EnsureVisible(list->GetCurSel());
        return;
    }
    CHorizontalLayoutUI::DoEvent(event);
}

CControlUI* CMacroControlUI::Find(const char* name) const
{
    return m_pManager ? m_pManager->FindSubControlByName(const_cast<CMacroControlUI*>(this), name) : nullptr;
}

CListUI* CMacroControlUI::List(const char* name) const
{
    CControlUI* control = Find(name);
    return control ? static_cast<CListUI*>(control->GetInterface("List")) : nullptr;
}

// ---- macro list

void CMacroControlUI::LoadMacroList()
{
    m_library.LoadMacroList();
    CListUI* names = List("macro_name_list");
    if (!names)
        return;
    names->RemoveAll();
    for (const MacroEntry& entry : m_library.Entries()) {
        auto* item = new CListLabelElementUI;
        item->SetFixedHeight(kRowHeight);
        item->SetText(entry.name);
        item->SetToolTip(entry.name);
        item->SetUserData(entry.guid);
        names->Add(item);
    }
    // The first macro is open from the start, so the editor is never an empty frame.
    if (names->GetCount() > 0)
        names->SelectItem(0, false, false);
    ShowSelectedMacro();
}

int CMacroControlUI::SelectedMacroIndex() const
{
    CListUI* names = List("macro_name_list");
    if (!names || names->GetCount() == 0)
        return -1;
    int index = names->GetCurSel();
    return index < MacroCount() ? index : -1;
}

void CMacroControlUI::EnableEditor(bool enable)
{
    for (const char* name : kEditorControls) {
        if (CControlUI* control = Find(name))
            control->SetEnabled(enable);
    }
}

void CMacroControlUI::ShowSelectedMacro()
{
    CListUI* rows = List("macro_action_list");
    if (rows)
        rows->RemoveAll();
    const int index = SelectedMacroIndex();
    // A macro whose Guid cannot name a file of the folder is shown but not edited.
    if (index < 0 || m_library.MacroFilePath(index).empty()) {
        SetNameEditText("");
        EnableEditor(false);
        return;
    }
    EnableEditor(true);
    SetNameEditText(m_library.Entries()[static_cast<size_t>(index)].name);
    if (!rows)
        return;
    for (const MacroEvent& event : m_library.LoadMacro(index))
        rows->Add(MakeRow(StepJson(event, event.delay, false), false));
}

int CMacroControlUI::SaveSelectedMacro(bool fillEmptyDelays)
{
    const int index = SelectedMacroIndex();
    CListUI* rows = List("macro_action_list");
    if (index < 0 || !rows)
        return kMacroNoMacro;
    bool dropped = false;
    while (rows->GetCount() > kMaxRows) {
        rows->RemoveAt(kMaxRows);
        dropped = true;
    }
    std::vector<MacroEvent> events;
    JsonFieldReader fields;
    for (int row = 0; row < rows->GetCount(); ++row) {
        CControlUI* element = rows->GetItemAt(row);
        if (element->GetUserData().empty())
            break;
        std::string delayText = DelayTextAt(row);
        if (delayText.empty() && fillEmptyDelays)
            SetRowDelay(row, 0);
        const int delay = std::clamp(static_cast<int>(std::strtol(delayText.c_str(), nullptr, 10)), 0, kMaxShownDelay);
        Json::Value step = RowJson(row);
        step["Delay"] = std::to_string(delay);
        std::optional<MacroEvent> event = MacroEvent::FromJson(step, fields);
        if (!event)
            break;
        events.push_back(*event);
        element->SetUserData(step.toStyledString());
    }
    const int result = m_library.SaveMacro(index, events);
    return result == kMacroDone && dropped ? kMacroEventsDropped : result;
}

int CMacroControlUI::NewMacro(std::string& name)
{
    const int result = m_library.NewMacro(name);
    if (result == kMacroDone)
        LoadMacroListSelecting(MacroCount() - 1);
    return result;
}

int CMacroControlUI::ImportMacro(const std::string& path, std::string& name)
{
    if (path.empty())
        return kMacroNoMacro;
    const int result = m_library.ImportMacro(path, name);
    if (result == kMacroDone)
        LoadMacroListSelecting(MacroCount() - 1);
    return result;
}

int CMacroControlUI::ExportSelectedMacro(const std::string& path) const
{
    const int index = SelectedMacroIndex();
    if (path.empty() || index < 0)
        return kMacroNoMacro;
    return m_library.ExportMacro(index, path);
}

int CMacroControlUI::DeleteSelectedMacro()
{
    const int index = SelectedMacroIndex();
    if (index < 0 || m_library.DeleteMacro(index) != kMacroDone)
        return -1;
    LoadMacroListSelecting(MacroCount() > 0 ? std::min(index, MacroCount() - 1) : -1);
    return index;
}

int CMacroControlUI::RenameSelectedMacro(std::string& name)
{
    const int index = SelectedMacroIndex();
    if (index < 0)
        return kMacroNoMacro;
    name = NameEditText();
    const int result = m_library.RenameMacro(index, name);
    if (result == kMacroDone) {
        if (CListUI* names = List("macro_name_list")) {
            names->GetItemAt(index)->SetText(name);
            names->GetItemAt(index)->SetToolTip(name);
        }
        SetNameEditText(name);
    }
    return result;
}

void CMacroControlUI::LoadMacroListSelecting(int index)
{
    LoadMacroList();
    if (CListUI* names = List("macro_name_list"); names && index >= 0 && index < names->GetCount()) {
        names->SelectItem(index, false, false);
        ShowSelectedMacro();
    }
}

std::string CMacroControlUI::NameEditText() const
{
    CControlUI* edit = Find("macro_edit_macroname");
    return edit ? std::string(edit->GetText()) : std::string();
}

void CMacroControlUI::SetNameEditText(const std::string& text)
{
    if (CControlUI* edit = Find("macro_edit_macroname"))
        edit->SetText(text);
}

// ---- rows

int CMacroControlUI::RowCount() const
{
    CListUI* rows = List("macro_action_list");
    return rows ? rows->GetCount() : 0;
}

int CMacroControlUI::SelectedRow() const
{
    CListUI* rows = List("macro_action_list");
    return rows ? rows->GetCurSel() : -1;
}

void CMacroControlUI::SelectRow(int row)
{
    if (CListUI* rows = List("macro_action_list"))
        rows->SelectItem(row, false, false);
}

Json::Value CMacroControlUI::RowJson(int row) const
{
    CListUI* rows = List("macro_action_list");
    if (!rows || row < 0 || row >= rows->GetCount())
        return Json::Value();
    return JsonFile::ParseJson(rows->GetItemAt(row)->GetUserData());
}

std::optional<MacroEvent> CMacroControlUI::EventAt(int row) const
{
    Json::Value step = RowJson(row);
    if (step.isObject() && !DelayTextAt(row).empty())
        step["Delay"] = DelayTextAt(row);
    JsonFieldReader fields;
    return MacroEvent::FromJson(step, fields);
}

std::string CMacroControlUI::DelayTextAt(int row) const
{
    CListUI* rows = List("macro_action_list");
    if (!rows || row < 0 || row >= rows->GetCount())
        return {};
    CControlUI* edit = m_pManager ? m_pManager->FindSubControlByName(rows->GetItemAt(row), "macro_delay") : nullptr;
    return edit ? std::string(edit->GetText()) : std::string();
}

void CMacroControlUI::SetRowJson(int row, const Json::Value& step)
{
    CListUI* rows = List("macro_action_list");
    if (rows && row >= 0 && row < rows->GetCount())
        rows->GetItemAt(row)->SetUserData(step.toStyledString());
}

void CMacroControlUI::SetRowDelay(int row, int delay)
{
    CListUI* rows = List("macro_action_list");
    if (!rows || row < 0 || row >= rows->GetCount())
        return;
    CControlUI* element = rows->GetItemAt(row);
    if (CControlUI* edit = m_pManager ? m_pManager->FindSubControlByName(element, "macro_delay") : nullptr)
        edit->SetText(std::to_string(delay));
    Json::Value step = RowJson(row);
    if (step.isObject()) {
        step["Delay"] = std::to_string(delay);
        SetRowJson(row, step);
    }
}

CControlUI* CMacroControlUI::MakeRow(const Json::Value& step, bool numberDelay) const
{
    auto* row = new CListContainerElementUI;
    row->SetName("macro_action");
    row->SetAttribute("childvalign", "vcenter");
    row->SetFixedHeight(kRowHeight);
    auto* key = new CLabelUI;
    auto* action = new CLabelUI;
    auto* delay = new CEditUI;
    row->Add(key);
    row->Add(action);
    row->Add(delay);
    if (m_pManager)
        row->SetManager(m_pManager, nullptr, false);
    ShowRowLabels(row, step);
    delay->SetName("macro_delay");
    if (m_pManager)
        delay->ApplyAttributeList(m_pManager->GetDefaultAttributeList("macro_label_text_style"));
    delay->SetBkColor(kDelayEditColour);
    delay->SetFixedHeight(kDelayEditHeight);
    delay->SetMaxChar(kDelayEditChars);
    delay->SetNumberOnly(true);
    delay->SetNumberRange(0, kMaxShownDelay);
    JsonFieldReader fields;
    const int value = fields.IntOrDecimalText(step["Delay"], 0, kMaxShownDelay);
    delay->SetText(std::to_string(value));
    Json::Value stored = step;
    if (!numberDelay && !stored["Delay"].isString())
        stored["Delay"] = std::to_string(value);
    row->SetUserData(stored.toStyledString());
    return row;
}

CControlUI* CMacroControlUI::MakeBareRow() const
{
    auto* row = new CListContainerElementUI;
    row->SetName("macro_action");
    row->SetFixedHeight(kRowHeight);
    return row;
}

void CMacroControlUI::ShowRowLabels(CControlUI* row, const Json::Value& step) const
{
    auto* container = static_cast<CContainerUI*>(row->GetInterface("Container"));
    if (!container || container->GetCount() < 2)
        return;
    CControlUI* key = container->GetItemAt(0);
    CControlUI* action = container->GetItemAt(1);
    JsonFieldReader fields;
    const int type = fields.Int(step["Type"], 0, 0xFF);
    const int button = fields.Int(step["Button"], 0, 0xFF);
    const bool down = fields.Text(step["Action"]) == "down";
    auto applyStyle = [this](CControlUI* control, const char* style) {
        if (m_pManager)
            control->ApplyAttributeList(m_pManager->GetDefaultAttributeList(style));
    };
    applyStyle(key, IsMouseType(type) ? "macro_label_mouse_style" : "macro_label_keyboard_style");
    const char* label = LabelOfStep(type, button, down);
    key->SetText(label ? "%[" + std::string(label) + "]" : std::string());
    if (IsMoveType(type) || type == static_cast<int>(MacroEventType::Reserved2) ||
        type == static_cast<int>(MacroEventType::Reserved3)) {
        applyStyle(action, "macro_label_text_style");
        action->SetText(IsMoveType(type) ? std::to_string(button) : std::string());
    } else {
        applyStyle(action, down ? "macro_label_down_style" : "macro_label_up_style");
    }
}

void CMacroControlUI::StartScrollTimer()
{
    if (m_pManager) {
        m_pManager->KillTimer(this, kTimerScroll);
        m_pManager->SetTimer(this, kTimerScroll, 50);
    }
}

void CMacroControlUI::InsertMouseStep(uint16_t message, int variant)
{
    CListUI* rows = List("macro_action_list");
    if (!rows)
        return;
    MacroEvent event;
    const auto table = KeyCodeTable::MouseEvents();
    if (message != 0) {
        int found = -1;
        for (int i = 0; i < kFirstMoveRow && found < 0; ++i) {
            if (table[static_cast<size_t>(i)].message != message)
                continue;
            const bool xButton = message == kXDown || message == kXUp;
            const int pairStart = variant ? kForwardRow : kBackRow;
            if (!xButton || (i >= pairStart && i < pairStart + 2))
                found = i;
        }
        if (found < 0)
            return;
        event.type = MacroEventType::MouseButton;
        event.button = table[static_cast<size_t>(found)].button;
        event.down = (table[static_cast<size_t>(found)].code & 0x80) != 0;
    } else {
        if (variant < 0 || variant > 3)
            return;
        event.type = variant < 2 ? MacroEventType::MoveHorizontal : MacroEventType::MoveVertical;
        event.down = variant == 0 || variant == 2;
        CControlUI* edit = Find(kMoveEdits[variant]);
        long distance = edit ? std::strtol(std::string(edit->GetText()).c_str(), nullptr, 10) : 0;
        event.button = static_cast<uint8_t>(((distance % 256) + 256) % 256);
    }
    if (rows->GetCount() >= kMaxRows) {
        rows->Add(MakeBareRow());
        return;
    }
    const int selected = std::max(rows->GetCurSel(), 0);
    rows->SelectItem(-1, false, false);
    const int at = rows->GetCount() > 0 ? selected + 1 : 0;
    rows->AddAt(MakeRow(StepJson(event, m_fixedTime, false), false), at);
    rows->SelectItem(at, false, false);
    StartScrollTimer();
}

bool CMacroControlUI::MoveSelectedRow(RowMove move)
{
    CListUI* rows = List("macro_action_list");
    const int selected = rows ? rows->GetCurSel() : -1;
    if (selected < 0)
        return false;
    const int last = rows->GetCount() - 1;
    int target = selected;
    switch (move) {
    case RowMove::Up: target = selected - 1; break;
    case RowMove::Down: target = selected + 1; break;
    case RowMove::Top: target = 0; break;
    case RowMove::Bottom: target = last; break;
    }
    if (target < 0 || target > last || target == selected)
        return false;
    Json::Value step = RowJson(selected);
    const std::string delay = DelayTextAt(selected);
    rows->SelectItem(-1, false, false);
    rows->RemoveAt(selected);
    CControlUI* row = step.isObject() ? MakeRow(step, false) : MakeBareRow();
    rows->AddAt(row, target);
    if (step.isObject())
        SetRowDelay(target, static_cast<int>(std::strtol(delay.c_str(), nullptr, 10)));
    rows->SelectItem(target, false, false);
    StartScrollTimer();
    return true;
}

bool CMacroControlUI::DeleteSelectedRow()
{
    CListUI* rows = List("macro_action_list");
    const int selected = rows ? rows->GetCurSel() : -1;
    if (selected < 0)
        return false;
    rows->RemoveAt(selected);
    if (rows->GetCount() > 0)
        rows->SelectItem(std::min(selected, rows->GetCount() - 1), false, false);
    return true;
}

void CMacroControlUI::DeleteAllRows()
{
    if (CListUI* rows = List("macro_action_list"))
        rows->RemoveAll();
}

// ---- recording and capture

bool CMacroControlUI::IsConstantTime() const
{
    CControlUI* control = Find("macro_check_time");
    auto* check = control ? static_cast<COptionUI*>(control->GetInterface("Option")) : nullptr;
    return check && check->IsSelected();
}

bool CMacroControlUI::ReadFixedTime()
{
    CControlUI* edit = Find("macro_fixed_time_edit");
    if (!edit)
        return true;
    const std::string text = edit->GetText();
    unsigned long typed = std::strtoul(text.c_str(), nullptr, 10);
    bool accepted = true;
    if (typed > static_cast<unsigned long>(MacroEvent::kMaxDelay))
        typed = MacroEvent::kMaxDelay;
    if (typed < static_cast<unsigned long>(kMinFixedTime)) {
        typed = kMinFixedTime;
        accepted = false;
    }
    m_fixedTime = static_cast<int>(typed);
    edit->SetText(std::to_string(m_fixedTime));
    return accepted;
}

bool CMacroControlUI::StartRecording(TimingMode timing)
{
    const bool accepted = timing != TimingMode::ConstantDelay || ReadFixedTime();
    m_timing = timing;
    m_lastCaptureMs = UIHost() ? UIHost()->NowMs() : 0;
    m_recording = true;
    for (const char* name : {"macro_name_tab", "macro_action_list"}) {
        if (CControlUI* control = Find(name)) {
            control->SetMouseEnabled(false);
            control->SetAttribute("mousechild", "false");
        }
    }
    for (const char* name : {"macro_tab_macroaction_edit", "macro_tab_macrodelay_edit"}) {
        if (CControlUI* control = Find(name))
            control->SetEnabled(false);
    }
    if (CControlUI* start = Find("macro_btn_starredio"))
        start->SetVisible(false);
    if (CControlUI* stop = Find("macro_btn_stopredio"))
        stop->SetVisible(true);
    return accepted;
}

void CMacroControlUI::StopRecording()
{
    m_recording = false;
    for (const char* name : {"macro_name_tab", "macro_action_list"}) {
        if (CControlUI* control = Find(name)) {
            control->SetMouseEnabled(true);
            control->SetAttribute("mousechild", "true");
        }
    }
    for (const char* name : {"macro_tab_macroaction_edit", "macro_tab_macrodelay_edit"}) {
        if (CControlUI* control = Find(name))
            control->SetEnabled(true);
    }
    if (CControlUI* start = Find("macro_btn_starredio"))
        start->SetVisible(true);
    if (CControlUI* stop = Find("macro_btn_stopredio"))
        stop->SetVisible(false);
}

int CMacroControlUI::ModeSlot(CaptureMode mode)
{
    switch (mode) {
    case CaptureMode::Append: return 0;
    case CaptureMode::InsertBefore: return 1;
    case CaptureMode::InsertAfter: return 2;
    case CaptureMode::ReplaceKey: return 3;
    default: return -1;
    }
}

int CMacroControlUI::CaptureDelay()
{
    const uint64_t now = UIHost() ? UIHost()->NowMs() : 0;
    int delay = 0;
    if (m_timing == TimingMode::ConstantDelay)
        delay = m_fixedTime;
    else if (m_timing == TimingMode::RecordDelay)
        delay = now - m_lastCaptureMs > 65534 ? kMaxShownDelay : static_cast<int>(now - m_lastCaptureMs);
    m_lastCaptureMs = now;
    return delay;
}

void CMacroControlUI::OnKeyCapture(CaptureMode mode, uint32_t keyMessage, uint32_t scanCode, bool extended)
{
    const int slot = ModeSlot(mode);
    // Capture only feeds a recording: a stray message changes no macro.
    if (slot < 0 || !m_recording)
        return;
    const bool down = keyMessage == kKeyDown || keyMessage == kSystemKeyDown;
    KeyMemory& memory = m_keyMemory[static_cast<size_t>(slot)];
    const bool sameKey = memory.scanCode == scanCode && memory.extended == extended;
    if (down) {
        // A held key repeats its press: only the first one is a step.
        if (sameKey)
            return;
        memory = {scanCode, extended};
    } else if (sameKey) {
        memory = {};
    }
    const int row = KeyCodeTable::FindCaptured(scanCode, extended);
    if (row < 0)
        return;
    const KeyCodeRow& key = KeyCodeTable::Rows()[static_cast<size_t>(row)];
    Captured captured;
    captured.labelKey = key.labelKey;
    const bool modifier = row < KeyCodeTable::kModifierRows;
    captured.event.type = modifier ? MacroEventType::Modifier : MacroEventType::Key;
    captured.event.button = modifier ? key.function.high : key.function.low;
    captured.event.down = down;
    PlaceCaptured(mode, captured, true);
}

void CMacroControlUI::OnMouseCapture(CaptureMode mode, uint32_t mouseMessage, POINT screenPoint, int xButton,
                                     POINT windowOrigin)
{
    const int slot = ModeSlot(mode);
    if (slot < 0 || !m_recording)
        return;
    const auto table = KeyCodeTable::MouseEvents();
    int found = -1;
    for (int i = 0; i < kPlainButtonRows && found < 0; ++i) {
        if (table[static_cast<size_t>(i)].message == mouseMessage)
            found = i;
    }
    if (found < 0 && (mouseMessage == kXDown || mouseMessage == kXUp)) {
        const int pair = xButton == 2 ? kForwardRow : xButton == 1 ? kBackRow : -1;
        if (pair >= 0)
            found = pair + (mouseMessage == kXUp ? 1 : 0);
    }
    if (found < 0)
        return;
    const MouseEventRow& row = table[static_cast<size_t>(found)];
    uint32_t& memory = m_mouseMemory[static_cast<size_t>(slot)];
    if (memory == row.message)
        return;
    memory = row.message;
    if (mouseMessage == kLeftDown || mouseMessage == kLeftUp) {
        // The click that stops the recording is not a step of it.
        if (CControlUI* stop = Find("macro_btn_stopredio"); stop && stop->IsVisible()) {
            const RECT& pos = stop->GetPos();
            RECT rc{pos.left + windowOrigin.x, pos.top + windowOrigin.y, pos.right + windowOrigin.x,
                    pos.bottom + windowOrigin.y};
            if (PtInRect(&rc, screenPoint))
                return;
        }
    }
    Captured captured;
    captured.labelKey = row.labelKey;
    captured.event.type = MacroEventType::MouseButton;
    captured.event.button = row.button;
    captured.event.down = (row.code & 0x80) != 0;
    PlaceCaptured(mode, captured, mode != CaptureMode::ReplaceKey);
}

void CMacroControlUI::PlaceCaptured(CaptureMode mode, const Captured& captured, bool checkLimit)
{
    CListUI* rows = List("macro_action_list");
    if (!rows)
        return;
    if (checkLimit && rows->GetCount() >= kMaxRows) {
        rows->Add(MakeBareRow());
        return;
    }
    if (mode == CaptureMode::ReplaceKey) {
        ReplaceSelected(captured);
        return;
    }
    const int selected = rows->GetCurSel();
    if (mode != CaptureMode::Append && selected < 0)
        return;
    int at = rows->GetCount();
    int updated = at - 1;
    int select = at;
    bool firstRow = at == 0;
    if (mode == CaptureMode::InsertBefore) {
        at = selected;
        updated = selected - 1;
        select = selected + 1;
        firstRow = selected == 0;
    } else if (mode == CaptureMode::InsertAfter) {
        at = selected + 1;
        updated = selected;
        select = selected + 1;
    }
    const int delay = CaptureDelay();
    const int ownDelay = m_timing == TimingMode::ConstantDelay && !firstRow ? m_fixedTime : 0;
    rows->SelectItem(-1, false, false);
    rows->AddAt(MakeRow(StepJson(captured.event, ownDelay, firstRow), firstRow), at);
    if (!firstRow && m_previousCaptured)
        SetRowDelay(updated, delay);
    m_previousCaptured = true;
    rows->SelectItem(select, false, false);
    StartScrollTimer();
}

void CMacroControlUI::ReplaceSelected(const Captured& captured)
{
    CListUI* rows = List("macro_action_list");
    const int selected = rows ? rows->GetCurSel() : -1;
    Json::Value step = RowJson(selected);
    if (selected < 0 || !step.isObject())
        return;
    step["Type"] = static_cast<int>(captured.event.type);
    step["Button"] = captured.event.button;
    ShowRowLabels(rows->GetItemAt(selected), step);
    SetRowJson(selected, step);
}
