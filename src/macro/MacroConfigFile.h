#pragma once

#include "profile/JsonFile.h"

#include <json/value.h>

#include <string>
#include <vector>

// One macro of a device: its display name, the Guid that names its file "<Guid>.mac", and the
// element as written, so that members the program does not know are written back unchanged.
struct MacroEntry {
    std::string name;    // "MacroName"; empty when the element holds no text there
    std::string guid;    // "Guid" as written, never blanked; empty when the element holds no text
    Json::Value element; // the element itself (an object for every entry the program made)
};

// The device's macro index "macro.config": {"MacroInfo": [MacroEntry...]}. The position of an
// entry is the macro number that key assignments and the device upload use, so every element
// stays in its place, whatever its shape, and is written back as it was; only FileGuid decides
// whether a Guid may become a file name.
class MacroConfigFile {
public:
    // False, with no entries, when the file is missing or unusable (not JSON, no "MacroInfo"
    // array, too large, unreadable, a link out of its folder). An unusable file is kept aside
    // first; when that fails mayWrite is false and Write refuses to replace it.
    bool Read(const std::string& path);
    // Takes the index from a parsed document (Read without the file); false when it is none.
    bool FromDocument(const Json::Value& document);
    // 0 when written, -1 when not.
    int Write(const std::string& path) const;

    // A new entry as the program makes it.
    void Append(const std::string& name, const std::string& guid);
    // Renames entry index in its element too.
    void SetName(size_t index, const std::string& name);
    // The Guid of entry index when it can name a file: one MakeProfileId makes, and not used by
    // an earlier entry. Empty otherwise.
    std::string FileGuid(size_t index) const;
    // True when some entry uses guid as written.
    bool HasGuid(const std::string& guid) const;

    std::vector<MacroEntry> entries;
    bool mayWrite = true;

private:
    Json::Value m_document; // the document as read: its other members are written back
    JsonFile m_json;
};
