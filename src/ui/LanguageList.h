#pragma once

#include <string>
#include <vector>

namespace Json {
class Value;
}

namespace platform {
class SettingsStore;
}

// One offered interface language, as "Language.config" lists it.
struct LanguageEntry {
    int id = 0;           // "Language_ID": the value stored in the settings
    std::string name;     // "Language_name": the name given to the resource manager
    std::string file;     // "Language_file": the language file to load
    std::string text;     // "Language_text": the name shown in the settings window
    std::string locale;   // "Locale": e.g. "zh_CN"; matches the user's locale on first start
};

// The language list ("DefaultData/Language.config"), the stored choice and the font rule.
class LanguageList {
public:
    // The settings key and value that hold the chosen Language_ID.
    static constexpr const char* kSettingsKey = "SOFTWARE\\QV742-CORE";
    static constexpr const char* kSettingsValue = "LANGUAGE";
    // Used when the key exists but holds no readable value.
    static constexpr int kUnreadableId = 520;

    // Reads the list; false (and an empty list) when the file is missing or not valid JSON.
    bool Load(const std::string& path);
    // The same from a parsed document.
    bool LoadDocument(const Json::Value& root);
    const std::vector<LanguageEntry>& Entries() const { return m_entries; }
    // The entry at index, or an empty entry outside the list.
    LanguageEntry EntryAt(int index) const;
    // The first index whose Language_ID is id; 0 when none.
    int IndexOfId(int id) const;
    // The Language_ID of the entry whose locale matches localeName ("de_DE.UTF-8", "zh_TW"),
    // by language and territory first, then by language alone; the first entry's id when none.
    int IdForLocale(const std::string& localeName) const;

    // The stored language's index: 0 without the key or without a valid list.
    int ReadStoredLanguage(const platform::SettingsStore& settings) const;
    // Stores id under the key; like the registry call it never creates the key. True when stored.
    static bool StoreLanguage(platform::SettingsStore& settings, int id);
    // First start: when the key does not exist yet, creates it holding the id that matches the
    // user's locale ($LC_ALL, $LC_MESSAGES, $LANG). Returns whether the key was created.
    bool CreateSettingsOnFirstStart(platform::SettingsStore& settings) const;

    // The interface face for a language index.
    static std::string FaceForLanguage(int index);
    // Whether switching from current to next rebuilds the font table.
    static bool NeedsFontRebuild(int current, int next);

private:
    std::vector<LanguageEntry> m_entries;
};
