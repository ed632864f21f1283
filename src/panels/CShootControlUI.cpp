#include "panels/CShootControlUI.h"

#include "macro/MacroEvent.h"
#include "platform/AtomicFile.h"
#include "platform/Folders.h"
#include "profile/JsonFieldReader.h"
#include "profile/JsonFile.h"
#include "profile/StringUtils.h"
#include "toolkit/EditUI.h"
#include "toolkit/NotifyUI.h"
#include "toolkit/OptionUI.h"
#include "toolkit/PaintManagerUI.h"
#include "toolkit/TabLayoutUI.h"
#include "toolkit/UIParse.h"
#include "toolkit/custom/ChartViewUI.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr const char* kGunOption = "shoot_gun_op_";
constexpr const char* kShotOption = "bullet_op_";
constexpr const char* kXEdit = "bullet_x_eidt";
constexpr const char* kYEdit = "bullet_y_eidt";
constexpr const char* kPauseEdit = "bullet_delay_eidt";
constexpr const char* kXCheck = "bullet_x_check";
constexpr const char* kYCheck = "bullet_y_check";
constexpr const char* kChart = "shoot_pattern_chart";
constexpr int kShotEvents = CShootControlUI::kShotCount * CShootControlUI::kEventsPerShot;

// Element offsets within a shot and what the panel writes there.
constexpr int kHorizontalPull = 2;
constexpr int kVerticalPull = 3;
constexpr int kPressPause = 10;  // after the left press
constexpr int kPullPause = 5;    // between the two pulls

// A file of the pattern's shape: an object whose "Events" is an array.
bool IsPatternDocument(const Json::Value& document)
{
    return document.isObject() && document.isMember("Events") && document["Events"].isArray();
}

// A pattern file from outside: of the pattern's shape, at most thirty shots, and every
// element a known event (or null, as saving a later shot first leaves them).
bool IsImportablePattern(const Json::Value& document)
{
    if (!IsPatternDocument(document))
        return false;
    const Json::Value& events = document["Events"];
    if (events.empty() || events.size() > Json::ArrayIndex(kShotEvents))
        return false;
    JsonFieldReader fields;
    for (const Json::Value& element : events) {
        if (!element.isNull() && !MacroEvent::FromJson(element, fields))
            return false;
    }
    return true;
}

// The element of a pattern document, null when it is not there or no object.
const Json::Value& EventAt(const Json::Value& document, int index)
{
    if (!IsPatternDocument(document))
        return Json::Value::nullSingleton();
    const Json::Value& events = document["Events"];
    if (index < 0 || Json::ArrayIndex(index) >= events.size() || !events[index].isObject())
        return Json::Value::nullSingleton();
    return events[index];
}

const Json::Value& MemberOf(const Json::Value& element, const char* key)
{
    return element.isObject() && element.isMember(key) ? element[key] : Json::Value::nullSingleton();
}

bool IsDown(const Json::Value& element)
{
    const Json::Value& action = MemberOf(element, "Action");
    return action.isString() && EqualsNoCase(action.asString(), "down");
}

Json::Value ShotEvent(int type, int button, bool down, int delay)
{
    Json::Value event(Json::objectValue);
    event["Type"] = type;
    event["Button"] = button;
    event["Action"] = down ? "down" : "up";
    event["Delay"] = delay;
    return event;
}

// Copies a pattern file whole; a source that cannot be read leaves the target as it was.
bool CopyPatternFile(const std::string& source, const std::string& target)
{
    std::string bytes = JsonFile().readjsonFile(source);
    return !bytes.empty() && platform::AtomicFile::WriteWhole(target, bytes);
}

} // namespace

void* CShootControlUI::GetInterface(std::string_view name)
{
    if (name == "ShootControl")
        return this;
    return CHorizontalLayoutUI::GetInterface(name);
}

CControlUI* CShootControlUI::Find(const std::string& name)
{
    return m_pManager ? m_pManager->FindSubControlByName(this, name) : nullptr;
}

COptionUI* CShootControlUI::Option(const std::string& name)
{
    CControlUI* control = Find(name);
    return control ? static_cast<COptionUI*>(control->GetInterface("Option")) : nullptr;
}

CEditUI* CShootControlUI::Edit(const std::string& name)
{
    CControlUI* control = Find(name);
    return control ? static_cast<CEditUI*>(control->GetInterface("Edit")) : nullptr;
}

std::string CShootControlUI::PatternPath(int gun) const
{
    return m_dataFolder + "/ShootData_" + std::to_string(gun) + ".Shoot";
}

Json::Value CShootControlUI::ReadPattern(int gun) const
{
    Json::Value document = JsonFile().ReadJsonDocument(PatternPath(gun));
    return IsPatternDocument(document) ? document : Json::Value();
}

// ---- setup

void CShootControlUI::InitShootPanel()
{
    for (int gun = 0; gun < kGunCount; ++gun) {
        if (!ReadPattern(gun).isNull())
            continue;
        const std::string path = PatternPath(gun);
        // An unusable file is the user's: its bytes stay beside it, or it is not replaced.
        if (platform::Folders::FileExists(path) && platform::AtomicFile::KeepAside(path).empty())
            continue;
        ResetPattern(gun);
    }
}

// ---- selection

void CShootControlUI::SelectGun(int n)
{
    for (int gun = 0; gun < kGunCount; ++gun) {
        if (COptionUI* option = Option(kGunOption + std::to_string(gun)))
            option->Selected(false, false);
    }
    m_gun = std::clamp(n, 0, kGunCount - 1);
    if (COptionUI* option = Option(kGunOption + std::to_string(m_gun)))
        option->Selected(true, false);
    if (CControlUI* pictures = Find("shoot_image_display_switch")) {
        if (auto* tabs = static_cast<CTabLayoutUI*>(pictures->GetInterface("TabLayout")))
            tabs->SelectItem(m_gun);
    }
    ShowChart();
}

void CShootControlUI::SelectShot(int n)
{
    for (int shot = 0; shot < kShotCount; ++shot) {
        if (COptionUI* option = Option(kShotOption + std::to_string(shot)))
            option->Selected(false, false);
    }
    m_shot = std::clamp(n, 0, kShotCount - 1);
    if (COptionUI* option = Option(kShotOption + std::to_string(m_shot)))
        option->Selected(true, false);
    if (CControlUI* index = Find("bullet_select_index"))
        index->SetText(std::to_string(m_shot + 1));
    ShowShot(m_gun, m_shot);
}

// ---- showing and saving a shot

void CShootControlUI::ShowDirection(const char* name, bool selected, const char* selectedKey, const char* clearedKey)
{
    COptionUI* option = Option(name);
    if (!option)
        return;
    option->Selected(selected, false);
    option->SetText(std::string("%[") + (selected ? selectedKey : clearedKey) + "]");
}

void CShootControlUI::ShowShot(int gun, int shot)
{
    const Json::Value document = ReadPattern(gun);
    const Json::Value& horizontal = EventAt(document, kEventsPerShot * shot + kHorizontalPull);
    const Json::Value& vertical = EventAt(document, kEventsPerShot * shot + kVerticalPull);
    JsonFieldReader fields;
    const int x = fields.Int(MemberOf(horizontal, "Button"), 0, kMaxPull);
    const int y = fields.Int(MemberOf(vertical, "Button"), 0, kMaxPull);
    // Pauses written as decimal text (as macro files hold them) are read as numbers too.
    const int pause = fields.IntOrDecimalText(MemberOf(vertical, "Delay"), 0, kMaxPause);
    ShowDirection(kXCheck, IsDown(horizontal), "mouse_move_to_left_text", "mouse_move_to_right_text");
    ShowDirection(kYCheck, IsDown(vertical), "mouse_move_to_up_text", "mouse_move_to_down_text");
    if (CEditUI* edit = Edit(kXEdit))
        edit->SetText(std::to_string(x));
    if (CEditUI* edit = Edit(kYEdit))
        edit->SetText(std::to_string(y));
    if (CEditUI* edit = Edit(kPauseEdit))
        edit->SetText(std::to_string(pause));
    if (gun == m_gun)
        ShowChart();
}

int CShootControlUI::EditValue(const std::string& name, int high)
{
    CEditUI* edit = Edit(name);
    if (!edit)
        return 0;
    // Text that is no number counts as 0; a number beyond what the mouse takes is capped.
    const std::string text = edit->GetText();
    const long value = std::clamp<long>(std::strtol(text.c_str(), nullptr, 10), 0, high);
    if (text != std::to_string(value))
        edit->SetText(std::to_string(value));
    return static_cast<int>(value);
}

void CShootControlUI::SaveShot(int gun, int shot)
{
    if (gun < 0 || gun >= kGunCount || shot < 0 || shot >= kShotCount)
        return;
    const std::string path = PatternPath(gun);
    Json::Value document = JsonFile().ReadJsonDocument(path);
    if (!IsPatternDocument(document)) {
        if (platform::Folders::FileExists(path) && platform::AtomicFile::KeepAside(path).empty())
            return;
        document = Json::Value(Json::objectValue);
        document["Events"] = Json::Value(Json::arrayValue);
    }
    const int x = EditValue(kXEdit, kMaxPull);
    const int y = EditValue(kYEdit, kMaxPull);
    const int pause = EditValue(kPauseEdit, kMaxPause);
    const COptionUI* xCheck = Option(kXCheck);
    const COptionUI* yCheck = Option(kYCheck);
    const bool left = xCheck && xCheck->IsSelected();
    const bool up = yCheck && yCheck->IsSelected();
    const int mouseButton = static_cast<int>(MacroEventType::MouseButton);
    const int moveX = static_cast<int>(MacroEventType::MoveHorizontal);
    const int moveY = static_cast<int>(MacroEventType::MoveVertical);
    const Json::Value events[kEventsPerShot] = {
        ShotEvent(mouseButton, 1, true, kPressPause), ShotEvent(mouseButton, 1, false, 0),
        ShotEvent(moveX, x, left, kPullPause),        ShotEvent(moveY, y, up, pause),
        ShotEvent(moveX, 0, left, 0),                 ShotEvent(moveY, 0, up, 0),
    };
    Json::Value& list = document["Events"];
    for (int i = 0; i < kEventsPerShot; ++i)
        list[Json::ArrayIndex(kEventsPerShot * shot + i)] = events[i];
    JsonFile().WriteJsonDocument(path, document);
    if (gun == m_gun)
        ShowChart();
}

void CShootControlUI::UpdateXDirectionText()
{
    const COptionUI* option = Option(kXCheck);
    ShowDirection(kXCheck, option && option->IsSelected(), "mouse_move_to_left_text", "mouse_move_to_right_text");
}

void CShootControlUI::UpdateYDirectionText()
{
    const COptionUI* option = Option(kYCheck);
    ShowDirection(kYCheck, option && option->IsSelected(), "mouse_move_to_up_text", "mouse_move_to_down_text");
}

void CShootControlUI::ShowChart()
{
    CControlUI* control = Find(kChart);
    auto* chart = control ? static_cast<CChartViewUI*>(control->GetInterface("ChartView")) : nullptr;
    if (!chart)
        return;
    const Json::Value document = ReadPattern(m_gun);
    JsonFieldReader fields;
    chart->RemoveAllItems();
    for (int shot = 0; shot < kShotCount; ++shot) {
        const Json::Value& vertical = EventAt(document, kEventsPerShot * shot + kVerticalPull);
        chart->AddItem(std::to_string(shot + 1), fields.Int(MemberOf(vertical, "Button"), 0, kMaxPull));
    }
    chart->SetSelectedItem(m_shot);
}

// ---- pattern files

void CShootControlUI::ResetPattern(int gun)
{
    if (gun < 0 || gun >= kGunCount)
        return;
    const std::string name = "/ShootData_" + std::to_string(gun) + ".Shoot";
    CopyPatternFile(m_defaultFolder + name, PatternPath(gun));
    SelectShot(m_shot);
}

CShootControlUI::ImportResult CShootControlUI::ImportPattern(const std::string& path)
{
    if (path.empty())
        return kNoPath;
    const std::string bytes = JsonFile().readjsonFile(path);
    if (bytes.empty())
        return kUnreadable;
    const Json::Value document = JsonFile::ParseJson(bytes);
    if (document.isNull())
        return kUnreadable;
    if (!IsImportablePattern(document))
        return kNotAPattern;
    // The file's own bytes: members the program does not know stay in it.
    if (!platform::AtomicFile::WriteWhole(PatternPath(m_gun), bytes))
        return kNotStored;
    SelectShot(m_shot);
    return kImported;
}

bool CShootControlUI::ExportPattern(const std::string& path)
{
    return !path.empty() && CopyPatternFile(PatternPath(m_gun), path);
}

// ---- notifications

bool CShootControlUI::OnNotify(const TNotifyUI& msg)
{
    if (!msg.pSender)
        return false;
    const std::string name = msg.pSender->GetName();
    const std::string& type = msg.sType;
    auto* sender = static_cast<COptionUI*>(msg.pSender->GetInterface("Option"));
    const bool selected = sender && sender->IsSelected();
    std::string prefix;
    int index = -1;
    const bool indexed = SplitNameIndex(name, prefix, index) && index >= 0;
    if (type == "selectchanged" && indexed && prefix == kGunOption) {
        if (selected) {
            SelectGun(index);
            ShowCurrentShot();
        }
    } else if (type == "selectchanged" && indexed && prefix == kShotOption) {
        if (selected)
            SelectShot(index);
    } else if (type == "click" && name == "bullet_selected_prev") {
        PreviousShot();
    } else if (type == "click" && name == "bullet_selected_next") {
        NextShot();
    } else if (type == "killfocus" && (name == kXEdit || name == kYEdit || name == kPauseEdit)) {
        SaveCurrentShot();
    } else if (type == "selectchanged" && name == kXCheck) {
        UpdateXDirectionText();
    } else if (type == "selectchanged" && name == kYCheck) {
        UpdateYDirectionText();
    } else if (type == "click" && name == "shootdate_reset_btn") {
        ResetCurrentPattern();
    } else {
        return false;
    }
    return true;
}
