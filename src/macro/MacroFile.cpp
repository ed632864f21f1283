#include "macro/MacroFile.h"

#include "profile/JsonFile.h"

bool MacroFile::IsMacroDocument(const Json::Value& document)
{
    return document.isObject() && document["Events"].isArray();
}

std::vector<MacroEvent> MacroFile::EventsOf(const Json::Value& document, JsonFieldReader& fields)
{
    std::vector<MacroEvent> events;
    if (!IsMacroDocument(document))
        return events;
    const Json::Value& elements = document["Events"];
    for (Json::ArrayIndex i = 0; i < elements.size(); ++i) {
        if (events.size() == kMaxReadEvents) {
            fields.NoteRepair();
            break;
        }
        if (auto event = MacroEvent::FromJson(elements[i], fields))
            events.push_back(*event);
    }
    return events;
}

std::vector<MacroEvent> MacroFile::ReadEvents(const std::string& path, JsonFieldReader& fields)
{
    // Only read here; a damaged file is kept aside when a save is about to replace it.
    return EventsOf(JsonFile().InspectUserDocument(path).document, fields);
}

Json::Value MacroFile::Document(const std::string& name, const std::string& guid, const std::vector<MacroEvent>& events)
{
    Json::Value document(Json::objectValue);
    document["MacroName"] = name;
    document["Guid"] = guid;
    Json::Value& elements = document["Events"] = Json::Value(Json::arrayValue);
    for (const MacroEvent& event : events)
        elements.append(event.ToJson());
    document["Version"] = kVersion;
    return document;
}
