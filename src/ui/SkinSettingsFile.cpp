#include "ui/SkinSettingsFile.h"

#include "platform/AtomicFile.h"
#include "platform/Folders.h"
#include "toolkit/UIParse.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

namespace {

// A settings file larger than this is not ours.
constexpr std::streamsize kMaxBytes = 64 * 1024;

std::string Trim(const std::string& text)
{
    size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// "[NAME]" gives NAME; anything else gives nothing.
std::optional<std::string> SectionOf(const std::string& line)
{
    std::string trimmed = Trim(line);
    if (trimmed.size() < 2 || trimmed.front() != '[' || trimmed.back() != ']')
        return std::nullopt;
    return Trim(trimmed.substr(1, trimmed.size() - 2));
}

bool SplitKeyValue(const std::string& line, std::string& key, std::string& value)
{
    size_t equals = line.find('=');
    if (equals == std::string::npos)
        return false;
    key = Trim(line.substr(0, equals));
    value = Trim(line.substr(equals + 1));
    return !key.empty() && key.front() != ';' && key.front() != '#';
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

std::string ColourText(uint32_t argb)
{
    char text[10];
    std::snprintf(text, sizeof text, "#%08X", static_cast<unsigned>(argb));
    return text;
}

std::optional<uint32_t> ParseColour(const std::string& text)
{
    if (text.size() != 9 || text[0] != '#')
        return std::nullopt;
    char* end = nullptr;
    unsigned long value = std::strtoul(text.c_str() + 1, &end, 16);
    if (!end || *end != '\0')
        return std::nullopt;
    return static_cast<uint32_t>(value);
}

} // namespace

SkinSettingsFile::SkinSettingsFile(std::string path) : m_path(std::move(path)) {}

std::string SkinSettingsFile::DefaultPath()
{
    return platform::Folders::UserDataFolder() + "/main.ini";
}

std::string SkinSettingsFile::ReadText() const
{
    std::ifstream file(m_path, std::ios::binary);
    if (!file)
        return {};
    std::string text(static_cast<size_t>(kMaxBytes) + 1, '\0');
    file.read(text.data(), kMaxBytes + 1);
    text.resize(static_cast<size_t>(file.gcount()));
    return text;
}

std::optional<std::string> SkinSettingsFile::Value(const std::string& section, const std::string& key) const
{
    std::string text = ReadText();
    if (static_cast<std::streamsize>(text.size()) > kMaxBytes)
        return std::nullopt;
    std::string current;
    std::optional<std::string> found;
    for (const std::string& line : Lines(text)) {
        std::string name, value;
        if (std::optional<std::string> header = SectionOf(line))
            current = *header;
        else if (EqualsNoCase(current, section) && SplitKeyValue(line, name, value) && EqualsNoCase(name, key))
            found = value;
    }
    return found;
}

std::optional<SkinChangedParam> SkinSettingsFile::Read() const
{
    std::optional<std::string> flags = Value(kSection, "FLAGS");
    if (!flags)
        return std::nullopt;
    SkinChangedParam choice;
    if (*flags == "2") {
        std::optional<std::string> colourText = Value(kSection, "COLOR");
        std::optional<uint32_t> colour = colourText ? ParseColour(*colourText) : std::nullopt;
        if (!colour)
            return std::nullopt;
        choice.isColour = true;
        choice.colour = *colour;
        return choice;
    }
    if (*flags == "0") {
        choice.image = kDefaultImage;
        return choice;
    }
    std::optional<std::string> image = Value(kSection, "IMAGE");
    if (*flags != "1" || !image || image->empty())
        return std::nullopt;
    choice.image = *image;
    return choice;
}

bool SkinSettingsFile::Write(const SkinChangedParam& choice) const
{
    if (choice.isColour)
        return SetValues(kSection, {{"FLAGS", "2"}, {"COLOR", ColourText(choice.colour)}});
    if (choice.image == kDefaultImage)
        return WriteDefault();
    return SetValues(kSection, {{"FLAGS", "1"}, {"IMAGE", choice.image}});
}

bool SkinSettingsFile::WriteDefault() const
{
    return SetValues(kSection, {{"FLAGS", "0"}, {"IMAGE", kDefaultImage}});
}

bool SkinSettingsFile::SetValues(const std::string& section,
                                 const std::initializer_list<std::pair<std::string, std::string>>& values) const
{
    std::string text = ReadText();
    if (static_cast<std::streamsize>(text.size()) > kMaxBytes) {
        // Not a settings file of ours: kept aside whole rather than cut.
        if (platform::AtomicFile::KeepAside(m_path).empty())
            return false;
        text.clear();
    }
    std::vector<std::string> lines = Lines(text);
    std::vector<bool> written(values.size(), false);
    std::string current;
    int sectionEnd = -1;
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string key, value;
        if (std::optional<std::string> header = SectionOf(lines[i])) {
            current = *header;
            continue;
        }
        if (!EqualsNoCase(current, section))
            continue;
        sectionEnd = static_cast<int>(i);
        if (!SplitKeyValue(lines[i], key, value))
            continue;
        size_t index = 0;
        for (const auto& [name, newValue] : values) {
            if (EqualsNoCase(key, name)) {
                lines[i] = name + "=" + newValue;
                written[index] = true;
            }
            ++index;
        }
    }
    std::vector<std::string> missing;
    size_t index = 0;
    for (const auto& [name, newValue] : values) {
        if (!written[index++])
            missing.push_back(name + "=" + newValue);
    }
    if (!missing.empty()) {
        if (sectionEnd < 0) {
            // Look for an empty section header to append under.
            for (size_t i = 0; i < lines.size(); ++i) {
                if (std::optional<std::string> header = SectionOf(lines[i]); header && EqualsNoCase(*header, section))
                    sectionEnd = static_cast<int>(i);
            }
        }
        if (sectionEnd < 0) {
            lines.push_back("[" + section + "]");
            sectionEnd = static_cast<int>(lines.size()) - 1;
        }
        lines.insert(lines.begin() + sectionEnd + 1, missing.begin(), missing.end());
    }
    std::string out;
    for (const std::string& line : lines)
        out += line + "\n";
    platform::Folders::EnsureUserDataFolder();
    return platform::AtomicFile::WriteWhole(m_path, out);
}
