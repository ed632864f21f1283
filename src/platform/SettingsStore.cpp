#include "platform/SettingsStore.h"

#include "platform/AtomicFile.h"
#include "platform/FileAccess.h"
#include "platform/Folders.h"

#include <algorithm>
#include <cctype>
#include <sstream>
#include <utility>

namespace platform {

namespace {

// Values hold any text: backslash and line ends are escaped so one value stays on one line.
std::string Escape(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else
            out += c;
    }
    return out;
}

std::string Unescape(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        char next = text[++i];
        out += next == 'n' ? '\n' : next == 'r' ? '\r' : next;
    }
    return out;
}

std::string FolderOf(const std::string& path)
{
    auto slash = path.find_last_of('/');
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

} // namespace

bool SettingsStore::NoCaseLess::operator()(const std::string& a, const std::string& b) const
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](unsigned char x, unsigned char y) {
        return std::tolower(x) < std::tolower(y);
    });
}

SettingsStore::SettingsStore(std::string filePath) : m_path(std::move(filePath)) {}

std::string SettingsStore::DefaultPath()
{
    return Folders::UserConfigFolder() + "/settings.reg";
}

SettingsStore::Keys SettingsStore::Load() const
{
    bool damaged = false;
    return Load(damaged);
}

SettingsStore::Keys SettingsStore::Load(bool& damaged) const
{
    // The store holds a handful of values; anything larger is no store of ours.
    constexpr long kMaxBytes = 1024 * 1024;
    Keys keys;
    std::string bytes;
    FileAccess::ReadStatus status = FileAccess::ReadWhole(m_path, kMaxBytes, FileAccess::Links::StayInFolder, bytes);
    damaged = status == FileAccess::ReadStatus::Unreadable;
    std::istringstream in(bytes);
    std::string line;
    Values* current = nullptr;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            current = &keys[line.substr(1, line.size() - 2)];
            continue;
        }
        auto equals = line.find('=');
        if (!current || equals == std::string::npos || equals == 0 || line.find('\0') != std::string::npos) {
            damaged = true;
            continue;
        }
        (*current)[Unescape(line.substr(0, equals))] = line.substr(equals + 1);
    }
    return keys;
}

bool SettingsStore::Save(const Keys& keys, bool damaged) const
{
    if (damaged && AtomicFile::KeepAside(m_path).empty())
        return false;
    std::ostringstream out;
    for (const auto& [key, values] : keys) {
        out << '[' << key << "]\n";
        for (const auto& [name, raw] : values)
            out << Escape(name) << '=' << raw << '\n';
        out << '\n';
    }
    Folders::CreateFolders(FolderOf(m_path));
    return AtomicFile::WriteWhole(m_path, out.str());
}

bool SettingsStore::KeyExists(const std::string& key) const
{
    std::lock_guard guard(m_lock);
    return Load().count(key) != 0;
}

bool SettingsStore::CreateKey(const std::string& key)
{
    std::lock_guard guard(m_lock);
    bool damaged = false;
    Keys keys = Load(damaged);
    if (keys.count(key))
        return true;
    keys[key];
    return Save(keys, damaged);
}

std::optional<std::string> SettingsStore::QueryRaw(const std::string& key, const std::string& name) const
{
    std::lock_guard guard(m_lock);
    Keys keys = Load();
    auto k = keys.find(key);
    if (k == keys.end())
        return std::nullopt;
    auto v = k->second.find(name);
    if (v == k->second.end())
        return std::nullopt;
    return v->second;
}

bool SettingsStore::SetRaw(const std::string& key, const std::string& name, const std::string& raw)
{
    std::lock_guard guard(m_lock);
    bool damaged = false;
    Keys keys = Load(damaged);
    keys[key][name] = raw;
    return Save(keys, damaged);
}

std::optional<uint32_t> SettingsStore::QueryDword(const std::string& key, const std::string& name) const
{
    auto raw = QueryRaw(key, name);
    if (!raw || raw->rfind("dword:", 0) != 0)
        return std::nullopt;
    try {
        size_t used = 0;
        unsigned long value = std::stoul(raw->substr(6), &used, 10);
        if (used != raw->size() - 6 || value > 0xFFFFFFFFul)
            return std::nullopt;
        return static_cast<uint32_t>(value);
    } catch (...) {
        return std::nullopt;
    }
}

std::optional<std::string> SettingsStore::QueryString(const std::string& key, const std::string& name) const
{
    auto raw = QueryRaw(key, name);
    if (!raw || raw->rfind("sz:", 0) != 0)
        return std::nullopt;
    return Unescape(raw->substr(3));
}

bool SettingsStore::SetDword(const std::string& key, const std::string& name, uint32_t value)
{
    return SetRaw(key, name, "dword:" + std::to_string(value));
}

bool SettingsStore::SetString(const std::string& key, const std::string& name, const std::string& value)
{
    return SetRaw(key, name, "sz:" + Escape(value));
}

bool SettingsStore::DeleteValue(const std::string& key, const std::string& name)
{
    std::lock_guard guard(m_lock);
    bool damaged = false;
    Keys keys = Load(damaged);
    auto k = keys.find(key);
    if (k == keys.end() || k->second.erase(name) == 0)
        return true;
    return Save(keys, damaged);
}

} // namespace platform
