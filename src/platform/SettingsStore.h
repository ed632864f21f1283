#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>

namespace platform {

// The per-user settings that Windows keeps in the registry under HKEY_CURRENT_USER, with the
// same key paths ("SOFTWARE\QV742-CORE") and value names. Stored as a small text file:
//   [SOFTWARE\QV742-CORE]
//   LANGUAGE=dword:1
//   Skin=sz:dark
// Key and value names compare without regard to ASCII case, as the registry does. Every change
// rewrites the file atomically; a value of a type the program does not know is written back as
// it was. A damaged line is skipped, never fatal, and a file with one (or an unreadable file, or
// a link out of its folder) is kept aside before the first change replaces it.
class SettingsStore {
public:
    explicit SettingsStore(std::string filePath);
    // The user's store: UserConfigFolder() + "/settings.reg".
    static std::string DefaultPath();

    bool KeyExists(const std::string& key) const;
    // Creates an empty key; true when it exists afterwards.
    bool CreateKey(const std::string& key);
    std::optional<uint32_t> QueryDword(const std::string& key, const std::string& name) const;
    std::optional<std::string> QueryString(const std::string& key, const std::string& name) const;
    // Setters create the key when missing; false when the file could not be written.
    bool SetDword(const std::string& key, const std::string& name, uint32_t value);
    bool SetString(const std::string& key, const std::string& name, const std::string& value);
    bool DeleteValue(const std::string& key, const std::string& name);

    const std::string& FilePath() const { return m_path; }

private:
    struct NoCaseLess {
        bool operator()(const std::string& a, const std::string& b) const;
    };
    using Values = std::map<std::string, std::string, NoCaseLess>; // name -> "dword:N" or "sz:text"
    using Keys = std::map<std::string, Values, NoCaseLess>;

    // The keys of the file; damaged is set when something in it could not be used.
    Keys Load(bool& damaged) const;
    Keys Load() const;
    // Writes keys over the file, keeping a damaged file aside first.
    bool Save(const Keys& keys, bool damaged) const;
    std::optional<std::string> QueryRaw(const std::string& key, const std::string& name) const;
    bool SetRaw(const std::string& key, const std::string& name, const std::string& raw);

    std::string m_path;
    mutable std::mutex m_lock;
};

} // namespace platform
