#pragma once

#include "macro/MacroConfigFile.h"
#include "macro/MacroEvent.h"
#include "profile/JsonFile.h"

#include <cstdint>
#include <string>
#include <vector>

// Results of the macro operations; the macro panel shows the message text of
// MacroResultMessageKey for each (an empty key means no message).
enum MacroResult : int {
    kMacroDone = 0,          // ""
    kMacroListFull = 1,      // "message_text_33": 50 macros exist (the keyboard page shows nothing)
    kMacroNotAMacro = 2,     // "message_text_39": the chosen file is no macro; nothing changed
    kMacroNameTaken = 3,     // "message_text_5": another macro (or this one) has that name
    kMacroNameBlank = 4,     // "": empty or only white space; nothing changes
    kMacroNoMacro = 5,       // "": no macro at that position, or one without a file identity
    kMacroFileError = 6,     // "message_text_38": a file could not be written; nothing changed
    kMacroEventsDropped = 7, // "message_text_26_1": saved, but only the first 60 steps
};

// The language key of the message for a result, "" for none.
const char* MacroResultMessageKey(int result);

// The macros of one device on disk, without any user interface: the index "macro.config" and
// one file "<Guid>.mac" per macro in the device's folder, with create, rename, delete, save,
// export and import. The macro panel shows MacroNames(), and passes the position of the macro
// the user picked. A new macro's file is written before the index names it; a deleted macro's
// file is removed only after the index no longer names it; a refused operation changes no file.
class MacroLibrary {
public:
    static constexpr int kMaxMacros = 50;
    static constexpr size_t kMaxSavedEvents = 60;
    // Larger files are no macro of ours (sixty steps take about 6 KB).
    static constexpr std::uintmax_t kMaxImportBytes = 1024 * 1024;

    // The device's data folder, no trailing '/'. Without one the list stays empty and nothing is made.
    void SetFolder(const std::string& folder) { m_folder = folder; }
    // Reads "macro.config". A missing or broken index is rebuilt in memory from the macro files
    // of the folder (macros never saved are gone with it), and written with the next change.
    // Returns the count.
    int LoadMacroList();
    const std::vector<MacroEntry>& Entries() const { return m_config.entries; }
    std::vector<std::string> MacroNames() const;
    // The file of macro index; empty when there is no such macro or it has no Guid.
    std::string MacroFilePath(int index) const;
    // The steps of macro index; empty when its file is missing or broken (as before its first save).
    std::vector<MacroEvent> LoadMacro(int index) const;
    // Writes the steps of macro index; beyond 60 steps only the first 60 are written and
    // kMacroEventsDropped is returned.
    int SaveMacro(int index, const std::vector<MacroEvent>& events);
    // A new macro "macro_<n>" with the smallest free n; its file comes with the first save.
    int NewMacro(std::string& name);
    // A new macro from a macro file, named after the file ("(2)", "(3)"... appended while taken).
    // Refused with kMacroNotAMacro unless the file is a JSON object with an "Events" array, of at
    // most kMaxImportBytes.
    int ImportMacro(const std::string& path, std::string& name);
    // Writes macro index to path (never into the device folder itself).
    int ExportMacro(int index, const std::string& path) const;
    // Removes macro index from the index and its file.
    int DeleteMacro(int index);
    // Renames macro index; its file keeps its Guid name.
    int RenameMacro(int index, const std::string& name);

private:
    std::string ConfigPath() const;
    std::string FilePath(const std::string& guid) const;
    std::string NewGuid() const;
    MacroConfigFile ConfigFromMacroFiles() const;
    int AddMacro(const std::string& name, const std::vector<MacroEvent>* events);
    bool IsMacro(int index) const { return index >= 0 && index < static_cast<int>(m_config.entries.size()); }

    std::string m_folder;
    MacroConfigFile m_config;
    JsonFile m_json;
};
