#include "ui/LanguageList.h"

#include "platform/SettingsStore.h"
#include "profile/JsonFile.h"

#include <cstdlib>

namespace {

std::string StringMember(const Json::Value& object, const char* key)
{
    const Json::Value& value = object[key];
    return value.isString() ? value.asString() : std::string();
}

// "zh_CN.UTF-8@variant" -> "zh_CN"
std::string LanguageAndTerritory(const std::string& localeName)
{
    return localeName.substr(0, localeName.find_first_of(".@"));
}

std::string LanguageOnly(const std::string& localeName)
{
    return localeName.substr(0, localeName.find_first_of("_.@"));
}

std::string UserLocale()
{
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value && *value)
            return value;
    }
    return {};
}

bool IsCjkOrThai(int index)
{
    return index == 0 || index == 2 || index == 15;
}

} // namespace

bool LanguageList::Load(const std::string& path)
{
    return LoadDocument(JsonFile().ReadJsonDocument(path));
}

bool LanguageList::LoadDocument(const Json::Value& root)
{
    m_entries.clear();
    if (!root.isObject() || !root["Language"].isArray())
        return false;
    for (const Json::Value& item : root["Language"]) {
        if (!item.isObject())
            continue;
        LanguageEntry entry;
        entry.id = item["Language_ID"].isInt() ? item["Language_ID"].asInt() : 0;
        entry.name = StringMember(item, "Language_name");
        entry.file = StringMember(item, "Language_file");
        entry.text = StringMember(item, "Language_text");
        entry.locale = StringMember(item, "Locale");
        m_entries.push_back(entry);
    }
    return true;
}

LanguageEntry LanguageList::EntryAt(int index) const
{
    if (index < 0 || index >= static_cast<int>(m_entries.size()))
        return {};
    return m_entries[static_cast<size_t>(index)];
}

int LanguageList::IndexOfId(int id) const
{
    for (size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].id == id)
            return static_cast<int>(i);
    }
    return 0;
}

int LanguageList::IdForLocale(const std::string& localeName) const
{
    if (m_entries.empty())
        return 0;
    std::string full = LanguageAndTerritory(localeName);
    for (const LanguageEntry& entry : m_entries) {
        if (!entry.locale.empty() && entry.locale == full)
            return entry.id;
    }
    std::string language = LanguageOnly(localeName);
    for (const LanguageEntry& entry : m_entries) {
        if (!entry.locale.empty() && LanguageOnly(entry.locale) == language)
            return entry.id;
    }
    return m_entries.front().id;
}

int LanguageList::ReadStoredLanguage(const platform::SettingsStore& settings) const
{
    if (!settings.KeyExists(kSettingsKey))
        return 0;
    auto stored = settings.QueryDword(kSettingsKey, kSettingsValue);
    int id = stored ? static_cast<int>(*stored) : kUnreadableId;
    return m_entries.empty() ? 0 : IndexOfId(id);
}

bool LanguageList::StoreLanguage(platform::SettingsStore& settings, int id)
{
    if (!settings.KeyExists(kSettingsKey))
        return false;
    return settings.SetDword(kSettingsKey, kSettingsValue, static_cast<uint32_t>(id));
}

bool LanguageList::CreateSettingsOnFirstStart(platform::SettingsStore& settings) const
{
    if (settings.KeyExists(kSettingsKey))
        return false;
    return settings.SetDword(kSettingsKey, kSettingsValue, static_cast<uint32_t>(IdForLocale(UserLocale())));
}

std::string LanguageList::FaceForLanguage(int index)
{
    switch (index) {
    case 0:
        return "汉仪菱心体简";
    case 2:
        return "Noto Sans CJK TC Regular";
    case 15:
        return "Noto Sans Thai";
    default:
        return "Verdana Unicode MS";
    }
}

bool LanguageList::NeedsFontRebuild(int current, int next)
{
    return IsCjkOrThai(next) || IsCjkOrThai(current) || current == -1;
}
