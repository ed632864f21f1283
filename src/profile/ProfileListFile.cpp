#include "profile/ProfileListFile.h"

#include "profile/JsonFieldReader.h"

#include <climits>
#include <set>

bool ProfileListFile::Read(const std::string& path)
{
    entries.clear();
    select = 0;
    repaired = false;
    Json::Value document = m_json.ReadJsonDocument(path);
    if (!document.isObject() || !document["profilelist"].isArray())
        return false;
    JsonFieldReader fields;
    std::set<std::string> seen;
    for (const Json::Value& element : document["profilelist"]) {
        if (entries.size() == kMaxProfiles)
            break;
        if (!element.isObject() || !element["profileUUID"].isString()) {
            fields.NoteRepair();
            continue;
        }
        std::string fallbackName = "Profile" + std::to_string(entries.size() + 1);
        ProfileListEntry entry {fields.Text(element["profilename"], fallbackName), element["profileUUID"].asString()};
        if (!JsonFile::IsProfileId(entry.id) || !seen.insert(entry.id).second) {
            fields.NoteRepair();
            continue;
        }
        entries.push_back(entry);
    }
    if (document["profilelist"].size() > entries.size())
        fields.NoteRepair();
    select = fields.Int(document["profileselect"], INT_MIN, INT_MAX);
    repaired = fields.Repairs() > 0;
    return true;
}

int ProfileListFile::Write(const std::string& path) const
{
    Json::Value document(Json::objectValue);
    Json::Value& list = document["profilelist"] = Json::Value(Json::arrayValue);
    for (const ProfileListEntry& entry : entries) {
        Json::Value element(Json::objectValue);
        element["profilename"] = entry.name;
        element["profileUUID"] = entry.id;
        element["profileislink"] = 0;
        element["profilelinkmame"] = "";
        list.append(element);
    }
    document["profileselect"] = select;
    return m_json.WriteJsonDocument(path, document);
}
