#include "macro/MacroConfigFile.h"

#include "profile/JsonFieldReader.h"

#include <algorithm>

bool MacroConfigFile::Read(const std::string& path)
{
    entries.clear();
    Json::Value document = m_json.ReadJsonDocument(path);
    if (!document.isObject() || !document["MacroInfo"].isArray())
        return false;
    JsonFieldReader fields;
    const Json::Value& elements = document["MacroInfo"];
    for (Json::ArrayIndex i = 0; i < elements.size() && entries.size() < kMaxEntries; ++i) {
        const Json::Value& element = elements[i];
        MacroEntry entry;
        if (element.isObject()) {
            entry.name = fields.Text(element["MacroName"]);
            entry.guid = fields.Text(element["Guid"]);
        }
        bool repeated = std::any_of(entries.begin(), entries.end(),
                                    [&](const MacroEntry& earlier) { return earlier.guid == entry.guid; });
        if (!JsonFile::IsProfileId(entry.guid) || repeated)
            entry.guid.clear();
        entries.push_back(entry);
    }
    return true;
}

int MacroConfigFile::Write(const std::string& path) const
{
    Json::Value document(Json::objectValue);
    Json::Value& elements = document["MacroInfo"] = Json::Value(Json::arrayValue);
    for (const MacroEntry& entry : entries) {
        Json::Value element(Json::objectValue);
        element["MacroName"] = entry.name;
        element["Guid"] = entry.guid;
        elements.append(element);
    }
    return m_json.WriteJsonDocument(path, document);
}
