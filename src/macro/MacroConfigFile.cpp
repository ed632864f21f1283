#include "macro/MacroConfigFile.h"

#include "profile/JsonFieldReader.h"

#include <algorithm>

namespace {

bool IsIndexDocument(const Json::Value& document)
{
    return document.isObject() && document["MacroInfo"].isArray();
}

} // namespace

bool MacroConfigFile::Read(const std::string& path)
{
    entries.clear();
    m_document = Json::Value();
    UserDocument read = m_json.ReadUserDocument(path, IsIndexDocument);
    mayWrite = read.MayReplace();
    return read.IsUsable() && FromDocument(read.document);
}

bool MacroConfigFile::FromDocument(const Json::Value& document)
{
    entries.clear();
    m_document = Json::Value();
    if (!IsIndexDocument(document))
        return false;
    m_document = document;
    JsonFieldReader fields;
    for (const Json::Value& element : m_document["MacroInfo"]) {
        auto member = [&](const char* key) -> const Json::Value& {
            return element.isObject() ? element[key] : Json::Value::nullSingleton();
        };
        entries.push_back({fields.Text(member("MacroName")), fields.Text(member("Guid")), element});
    }
    return true;
}

int MacroConfigFile::Write(const std::string& path) const
{
    if (!mayWrite)
        return -1;
    Json::Value document = m_document.isObject() ? m_document : Json::Value(Json::objectValue);
    Json::Value& elements = document["MacroInfo"] = Json::Value(Json::arrayValue);
    for (const MacroEntry& entry : entries)
        elements.append(entry.element);
    return m_json.WriteJsonDocument(path, document);
}

void MacroConfigFile::Append(const std::string& name, const std::string& guid)
{
    Json::Value element(Json::objectValue);
    element["MacroName"] = name;
    element["Guid"] = guid;
    entries.push_back({name, guid, element});
}

void MacroConfigFile::SetName(size_t index, const std::string& name)
{
    MacroEntry& entry = entries.at(index);
    entry.name = name;
    if (!entry.element.isObject())
        entry.element = Json::Value(Json::objectValue);
    entry.element["MacroName"] = name;
}

std::string MacroConfigFile::FileGuid(size_t index) const
{
    if (index >= entries.size() || !JsonFile::IsProfileId(entries[index].guid))
        return {};
    const std::string& guid = entries[index].guid;
    bool earlier = std::any_of(entries.begin(), entries.begin() + static_cast<long>(index),
                               [&](const MacroEntry& entry) { return entry.guid == guid; });
    return earlier ? std::string() : guid;
}

bool MacroConfigFile::HasGuid(const std::string& guid) const
{
    return std::any_of(entries.begin(), entries.end(), [&](const MacroEntry& entry) { return entry.guid == guid; });
}
