#pragma once

// "main.ini" in the user data folder: the chosen background, section "SKINIMAGE".
//   FLAGS=1  IMAGE=<skin picture or picture file>   an image
//   FLAGS=0  IMAGE=common/background.png             the skin's default
//   FLAGS=2  COLOR=#AARRGGBB                         a plain colour
// Rewrites change only these keys; every other line of the file is kept as it was.

#include "ui/SkinObserver.h"

#include <optional>
#include <string>

class SkinSettingsFile {
public:
    static constexpr const char* kSection = "SKINIMAGE";
    static constexpr const char* kDefaultImage = "common/background.png";

    explicit SkinSettingsFile(std::string path);
    // The user data folder's "main.ini".
    static std::string DefaultPath();

    // The stored choice, or nothing when the file is missing or names no complete choice.
    std::optional<SkinChangedParam> Read() const;
    // Stores a choice; false when the file could not be written.
    bool Write(const SkinChangedParam& choice) const;
    // Stores the default background (FLAGS 0).
    bool WriteDefault() const;

    // The value of key in section, or nothing.
    std::optional<std::string> Value(const std::string& section, const std::string& key) const;
    // Sets keys of one section, keeping every other line; false on a write failure.
    bool SetValues(const std::string& section, const std::initializer_list<std::pair<std::string, std::string>>& values) const;

private:
    std::string ReadText() const;
    std::string m_path;
};
