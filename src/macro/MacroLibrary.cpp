#include "macro/MacroLibrary.h"

#include "macro/MacroFile.h"
#include "platform/Folders.h"
#include "profile/FilePaths.h"
#include "profile/NameRules.h"
#include "profile/StringUtils.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace {

// A rebuilt index takes at most this many macro files of the folder.
constexpr size_t kMaxRebuiltEntries = 256;

} // namespace

const char* MacroResultMessageKey(int result)
{
    switch (result) {
    case kMacroListFull: return "message_text_33";
    case kMacroNotAMacro: return "message_text_39";
    case kMacroNameTaken: return "message_text_5";
    case kMacroFileError: return "message_text_38";
    case kMacroEventsDropped: return "message_text_26_1";
    default: return "";
    }
}

std::string MacroLibrary::ConfigPath() const
{
    return m_folder + "/macro.config";
}

std::string MacroLibrary::FilePath(const std::string& guid) const
{
    return m_folder + "/" + guid + ".mac";
}

int MacroLibrary::LoadMacroList()
{
    // Without a folder every file name would land in the root folder.
    if (m_folder.empty())
        m_config.entries.clear();
    else if (!m_config.Read(ConfigPath())) {
        const bool mayWrite = m_config.mayWrite;
        m_config = ConfigFromMacroFiles();
        m_config.mayWrite = mayWrite;
    }
    return static_cast<int>(m_config.entries.size());
}

MacroConfigFile MacroLibrary::ConfigFromMacroFiles() const
{
    // Macros are only ever appended, so the oldest-first order is the lost index's own order.
    MacroConfigFile config;
    for (const auto& file : FilePaths::IdentifiedFiles(m_folder, ".mac", MacroFile::IsMacroDocument, "MacroName",
                                                       "macro_", kMaxRebuiltEntries))
        config.Append(file.name, file.id);
    return config;
}

std::vector<std::string> MacroLibrary::MacroNames() const
{
    std::vector<std::string> names;
    for (const MacroEntry& entry : m_config.entries)
        names.push_back(entry.name);
    return names;
}

std::string MacroLibrary::MacroFilePath(int index) const
{
    // A Guid that cannot name a file of the folder is refused here, where it would.
    std::string guid = index < 0 ? std::string() : m_config.FileGuid(static_cast<size_t>(index));
    return guid.empty() ? std::string() : FilePath(guid);
}

std::vector<MacroEvent> MacroLibrary::LoadMacro(int index) const
{
    std::string path = MacroFilePath(index);
    JsonFieldReader fields;
    return path.empty() ? std::vector<MacroEvent>() : MacroFile::ReadEvents(path, fields);
}

int MacroLibrary::SaveMacro(int index, const std::vector<MacroEvent>& events)
{
    std::string path = MacroFilePath(index);
    if (path.empty())
        return kMacroNoMacro;
    bool dropped = events.size() > kMaxSavedEvents;
    std::vector<MacroEvent> kept(events.begin(), events.begin() + std::min(events.size(), kMaxSavedEvents));
    Json::Value document = MacroFile::Document(m_config.entries[index].name, m_config.entries[index].guid, kept);
    // A macro file that cannot be read as it stands is kept aside before the save replaces it.
    if (!m_json.ReadUserDocument(path, MacroFile::IsMacroDocument).MayReplace() ||
        m_json.WriteJsonDocument(path, document) != 0)
        return kMacroFileError;
    return dropped ? kMacroEventsDropped : kMacroDone;
}

std::string MacroLibrary::NewGuid() const
{
    for (;;) {
        std::string guid = m_json.MakeProfileId();
        if (!m_config.HasGuid(guid) && !platform::Folders::FileExists(FilePath(guid)))
            return guid;
    }
}

int MacroLibrary::AddMacro(const std::string& name, const std::vector<MacroEvent>* events)
{
    if (m_folder.empty())
        return kMacroFileError;
    std::string guid = NewGuid();
    if (events && m_json.WriteJsonDocument(FilePath(guid), MacroFile::Document(name, guid, *events)) != 0)
        return kMacroFileError;
    MacroConfigFile next = m_config;
    next.Append(name, guid);
    if (next.Write(ConfigPath()) != 0) {
        std::error_code error;
        std::filesystem::remove(FilePath(guid), error);
        return kMacroFileError;
    }
    m_config = next;
    return kMacroDone;
}

int MacroLibrary::NewMacro(std::string& name)
{
    LoadMacroList();
    if (m_config.entries.size() >= kMaxMacros)
        return kMacroListFull;
    std::vector<std::string> names = MacroNames();
    int n = 1;
    while (NameRules::IsTaken("macro_" + std::to_string(n), names))
        ++n;
    std::string candidate = "macro_" + std::to_string(n);
    int result = AddMacro(candidate, nullptr);
    if (result == kMacroDone)
        name = candidate;
    return result;
}

int MacroLibrary::ImportMacro(const std::string& path, std::string& name)
{
    if (!FilePaths::IsFileOfAtMost(path, kMaxImportBytes))
        return kMacroNotAMacro;
    Json::Value document = m_json.ReadJsonDocument(path);
    if (!MacroFile::IsMacroDocument(document))
        return kMacroNotAMacro;
    LoadMacroList();
    if (m_config.entries.size() >= kMaxMacros)
        return kMacroListFull;
    JsonFieldReader fields;
    std::vector<MacroEvent> events = MacroFile::EventsOf(document, fields);
    std::vector<std::string> names = MacroNames();
    std::string base = JsonFile::BaseFileName(path);
    if (IsBlankName(base))
        base = "macro";
    std::string candidate = base;
    for (int n = 2; NameRules::IsTaken(candidate, names); ++n)
        candidate = base + "(" + std::to_string(n) + ")";
    int result = AddMacro(candidate, &events);
    if (result == kMacroDone)
        name = candidate;
    return result;
}

int MacroLibrary::ExportMacro(int index, const std::string& path) const
{
    if (!IsMacro(index) || path.empty())
        return kMacroNoMacro;
    if (FilePaths::IsDirectlyIn(path, m_folder))
        return kMacroFileError;
    const MacroEntry& entry = m_config.entries[index];
    Json::Value document = MacroFile::Document(entry.name, entry.guid, LoadMacro(index));
    return m_json.WriteJsonDocument(path, document) == 0 ? kMacroDone : kMacroFileError;
}

int MacroLibrary::DeleteMacro(int index)
{
    if (!IsMacro(index))
        return kMacroNoMacro;
    std::string path = MacroFilePath(index);
    const std::string guid = m_config.entries[index].guid;
    MacroConfigFile next = m_config;
    next.entries.erase(next.entries.begin() + index);
    if (next.Write(ConfigPath()) != 0)
        return kMacroFileError;
    m_config = next;
    // A file that another entry still names stays.
    if (!path.empty() && !next.HasGuid(guid)) {
        std::error_code error;
        std::filesystem::remove(path, error);
    }
    return kMacroDone;
}

int MacroLibrary::RenameMacro(int index, const std::string& name)
{
    if (!IsMacro(index))
        return kMacroNoMacro;
    if (IsBlankName(name))
        return kMacroNameBlank;
    if (NameRules::IsTaken(name, MacroNames()))
        return kMacroNameTaken;
    MacroConfigFile next = m_config;
    next.SetName(static_cast<size_t>(index), name);
    if (next.Write(ConfigPath()) != 0)
        return kMacroFileError;
    m_config = next;
    return kMacroDone;
}
