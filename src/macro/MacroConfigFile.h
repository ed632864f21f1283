#pragma once

#include "profile/JsonFile.h"

#include <string>
#include <vector>

// One macro of a device: its display name and the Guid that names its file "<Guid>.mac".
struct MacroEntry {
    std::string name; // "MacroName"
    std::string guid; // "Guid"; empty when the file held none that can name a file
};

// The device's macro index "macro.config": {"MacroInfo": [MacroEntry...]}. The position of an
// entry is the macro number that key assignments and the device upload use, so reading keeps
// every element in its place: an element that is no object reads as a macro without name and
// Guid, a Guid that MakeProfileId cannot have made (or that an earlier entry already uses)
// reads as empty. At most kMaxEntries elements are read.
class MacroConfigFile {
public:
    static constexpr size_t kMaxEntries = 256;

    // False, with no entries, when the file is missing, broken or holds no "MacroInfo" array.
    bool Read(const std::string& path);
    // 0 when written, -1 when not.
    int Write(const std::string& path) const;

    std::vector<MacroEntry> entries;

private:
    JsonFile m_json;
};
