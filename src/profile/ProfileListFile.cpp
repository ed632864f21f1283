#include "profile/ProfileListFile.h"

#include "profile/JsonFieldReader.h"

#include <algorithm>
#include <climits>

namespace {

bool IsListDocument(const Json::Value& document)
{
    return document.isObject() && document["profilelist"].isArray();
}

} // namespace

bool ProfileListFile::Read(const std::string& path)
{
    entries.clear();
    select = 0;
    m_document = Json::Value();
    UserDocument read = m_json.ReadUserDocument(path, IsListDocument);
    mayWrite = read.MayReplace();
    return read.IsUsable() && FromDocument(read.document);
}

bool ProfileListFile::FromDocument(const Json::Value& document)
{
    entries.clear();
    select = 0;
    m_document = Json::Value();
    if (!IsListDocument(document))
        return false;
    m_document = document;
    JsonFieldReader fields;
    for (const Json::Value& element : m_document["profilelist"]) {
        auto member = [&](const char* key) -> const Json::Value& {
            return element.isObject() ? element[key] : Json::Value::nullSingleton();
        };
        std::string fallbackName = "Profile" + std::to_string(entries.size() + 1);
        entries.push_back({fields.Text(member("profilename"), fallbackName), fields.Text(member("profileUUID")), element});
    }
    select = fields.Int(m_document["profileselect"], INT_MIN, INT_MAX);
    return true;
}

int ProfileListFile::Write(const std::string& path) const
{
    if (!mayWrite)
        return -1;
    Json::Value document = m_document.isObject() ? m_document : Json::Value(Json::objectValue);
    Json::Value& list = document["profilelist"] = Json::Value(Json::arrayValue);
    for (const ProfileListEntry& entry : entries)
        list.append(entry.element);
    document["profileselect"] = select;
    return m_json.WriteJsonDocument(path, document);
}

void ProfileListFile::Append(const std::string& name, const std::string& id)
{
    Json::Value element(Json::objectValue);
    element["profilename"] = name;
    element["profileUUID"] = id;
    element["profileislink"] = 0;
    element["profilelinkmame"] = "";
    entries.push_back({name, id, element});
}

void ProfileListFile::SetName(size_t index, const std::string& name)
{
    ProfileListEntry& entry = entries.at(index);
    entry.name = name;
    if (!entry.element.isObject())
        entry.element = Json::Value(Json::objectValue);
    entry.element["profilename"] = name;
}

std::string ProfileListFile::FileId(size_t index) const
{
    if (index >= entries.size() || !JsonFile::IsProfileId(entries[index].id))
        return {};
    const std::string& id = entries[index].id;
    bool earlier = std::any_of(entries.begin(), entries.begin() + static_cast<long>(index),
                               [&](const ProfileListEntry& entry) { return entry.id == id; });
    return earlier ? std::string() : id;
}

bool ProfileListFile::HasId(const std::string& id) const
{
    return std::any_of(entries.begin(), entries.end(), [&](const ProfileListEntry& entry) { return entry.id == id; });
}
