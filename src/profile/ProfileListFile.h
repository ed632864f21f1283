#pragma once

#include "profile/JsonFile.h"

#include <string>
#include <vector>

// One profile of a family's list: its display name and the identifier that names its file.
struct ProfileListEntry {
    std::string name; // "profilename"
    std::string id;   // "profileUUID": the profile file's base name
};

// The family's list file "ProfileList.ini", a JSON document despite its name:
//   {"profilelist": [{"profilename", "profileUUID", "profileislink": 0, "profilelinkmame": ""}...],
//    "profileselect": index}
// Reading keeps only entries that can name a file: an entry that is no object, whose identifier
// is not one MakeProfileId makes, or that repeats an earlier identifier is dropped; a name that
// is no string reads as "Profile<position>". At most kMaxProfiles entries are kept.
class ProfileListFile {
public:
    static constexpr size_t kMaxProfiles = 50;

    // False, with the list empty and selection 0, when the file is missing, broken or no list.
    bool Read(const std::string& path);
    // 0 when written, -1 when not.
    int Write(const std::string& path) const;

    std::vector<ProfileListEntry> entries;
    int select = 0; // "profileselect" as stored, not checked against the list
    // True when Read dropped or mended something.
    bool repaired = false;

private:
    JsonFile m_json;
};
