#pragma once

#include "profile/JsonFile.h"

#include <json/value.h>

#include <string>
#include <vector>

// One profile of a family's list: its display name, the identifier that names its file, and the
// element as written, so that members the program does not know are written back unchanged.
struct ProfileListEntry {
    std::string name;    // "profilename"; "Profile<position>" when the element holds no text there
    std::string id;      // "profileUUID" as written; empty when the element holds no text there
    Json::Value element; // the element itself (an object for every entry the program made)
};

// The family's list file "ProfileList.ini", a JSON document despite its name:
//   {"profilelist": [{"profilename", "profileUUID", "profileislink": 0, "profilelinkmame": ""}...],
//    "profileselect": index}
// Every element is an entry, in its place, whatever its shape: an element that is no object, an
// identifier of another shape or one that repeats an earlier one is kept as written and written
// back; only FileId decides whether an identifier may become a file name. Other members of the
// document are written back too, and a list longer than kMaxProfiles is never cut (it only
// refuses new entries).
class ProfileListFile {
public:
    static constexpr size_t kMaxProfiles = 50;

    // False, with the list empty and selection 0, when the file is missing or unusable (not JSON,
    // no "profilelist" array, too large, unreadable, a link out of its folder). An unusable file
    // is kept aside first; when that fails mayWrite is false and Write refuses to replace it.
    bool Read(const std::string& path);
    // Takes the list from a parsed document (Read without the file); false when it is no list.
    bool FromDocument(const Json::Value& document);
    // 0 when written, -1 when not.
    int Write(const std::string& path) const;

    // A new entry as the program makes it.
    void Append(const std::string& name, const std::string& id);
    // Renames entry index in its element too.
    void SetName(size_t index, const std::string& name);
    // The identifier of entry index when it can name a file: one MakeProfileId makes, and not
    // used by an earlier entry. Empty otherwise.
    std::string FileId(size_t index) const;
    // True when some entry uses id as written.
    bool HasId(const std::string& id) const;

    std::vector<ProfileListEntry> entries;
    int select = 0; // "profileselect" as stored, not checked against the list
    bool mayWrite = true;

private:
    Json::Value m_document; // the document as read: its other members are written back
    JsonFile m_json;
};
