#include "macro/MacroEvent.h"

#include "profile/JsonFieldReader.h"

#include <string>

namespace {

bool IsKnownType(int type)
{
    switch (static_cast<MacroEventType>(type)) {
    case MacroEventType::MouseButton:
    case MacroEventType::Reserved2:
    case MacroEventType::Reserved3:
    case MacroEventType::MoveHorizontal:
    case MacroEventType::MoveVertical:
    case MacroEventType::Modifier:
    case MacroEventType::Key:
        return true;
    }
    return false;
}

} // namespace

std::optional<MacroEvent> MacroEvent::FromJson(const Json::Value& element, JsonFieldReader& fields)
{
    int type = element.isObject() ? fields.Int(element["Type"], 0, 0xFF) : 0;
    if (!IsKnownType(type)) {
        fields.NoteRepair();
        return std::nullopt;
    }
    MacroEvent event;
    event.type = static_cast<MacroEventType>(type);
    event.button = fields.Byte(element["Button"]);
    event.down = fields.Text(element["Action"]) == "down";
    event.delay = static_cast<uint16_t>(fields.IntOrDecimalText(element["Delay"], 0, kMaxDelay));
    return event;
}

Json::Value MacroEvent::ToJson() const
{
    Json::Value element(Json::objectValue);
    element["Type"] = static_cast<int>(type);
    element["Button"] = button;
    element["Action"] = down ? "down" : "up";
    element["Delay"] = std::to_string(delay);
    return element;
}
