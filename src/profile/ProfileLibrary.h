#pragma once

#include "profile/JsonFile.h"
#include "profile/ProfileListFile.h"

#include <json/value.h>

#include <cstdint>
#include <string>
#include <vector>

// Results of the profile operations. The profile panel shows the message text of
// ProfileResultMessageKey for each; an empty key means no message.
enum ProfileResult : int {
    kProfileDone = 0,          // ""
    kProfileListFull = 1,      // "message_text_32": 50 profiles exist already
    kProfileNameTaken = 2,     // "message_text_5": another profile has that name
    kProfileNameBlank = 3,     // "message_text_25": empty or only white space
    kProfileNameTooLong = 4,   // "message_text_34": more than 16 bytes
    kProfileNameForbidden = 5, // "message_text_35": a character of < > : " space / \ | ? # % & * =
    kProfileNotAProfile = 6,   // "message_text_37": the chosen file is no profile; nothing changed
    kProfileFileError = 7,     // "message_text_38": a file could not be read or written; nothing changed
    kProfileNothingToDo = 8,   // "": no profile selected, or the last profile would be deleted
};

// The language key of the message for a result, "" for none.
const char* ProfileResultMessageKey(int result);

// The profiles of one device family on disk, without any user interface: the list file
// "ProfileList.ini" and one file "<profileUUID>.Json" per profile in the family's folder, with
// add, copy, rename, delete, reset, export, import and select. The profile panel shows Names()
// and the selection, asks the user, and calls these; the device model then loads
// CurrentProfilePath() through its profile object.
//
// The list file is authoritative: every operation re-reads it first and writes it last. A new
// profile's file is written before the list names it, and a deleted profile's file is removed
// only after the list no longer names it, so a failure never leaves the list naming a file that
// is not there. A refused operation changes no file.
class ProfileLibrary {
public:
    static constexpr int kMaxProfiles = static_cast<int>(ProfileListFile::kMaxProfiles);
    // Larger files are no profile of ours (the default keyboard profile is about 20 KB).
    static constexpr std::uintmax_t kMaxImportBytes = 2 * 1024 * 1024;

    // The family's profile folder: UserDataFolder() + "/" + family ("mouse", "keyboard",
    // "MousePad", "HD").
    static std::string FamilyFolder(const std::string& family);
    // The family's default profile: ProgramFolder() + "/DefaultData/" + family + ".Json".
    static std::string DefaultProfilePathFor(const std::string& family);
    // The checks of a new name that the main window makes before Rename: kProfileNameTooLong,
    // kProfileNameForbidden or kProfileDone.
    static int CheckNameText(const std::string& name);

    // The DeviceKind of the family's device (7 keeps the headset's custom equaliser on reset).
    void SetKind(int kind) { m_kind = kind; }
    // The profile folder (no trailing '/') and the family's default profile file.
    void SetFolders(const std::string& profileFolder, const std::string& defaultProfilePath);

    // Creates the folder, reads the list and selects the stored profile (entry 0 when the stored
    // index is outside the list; the first entry that names a file when that one names none). A missing, broken or empty list is rebuilt from the profile
    // files in the folder, or, when there are none, becomes one profile "Profile1" made from the
    // default profile. kProfileFileError, with nothing written, when no folder is set.
    int Init();
    // Selects entry index (entry 0 when outside the list) and records it in the list file.
    int Select(int index);

    // The selected entry, -1 when the list is empty.
    int CurrentIndex() const;
    const std::string& CurrentProfileId() const { return m_currentId; }
    // The selected profile's file; empty when the list is empty.
    std::string CurrentProfilePath() const;
    // The family's light configuration "tavix_light.config".
    std::string LightConfigPath() const;
    std::vector<std::string> Names() const;
    int Count() const { return static_cast<int>(m_list.entries.size()); }
    // Re-reads the list file and returns its number of profiles.
    int ProfileCount();
    // The file of entry index of the list as last read; empty outside the list.
    std::string ProfilePathAt(int index) const;

    // A new profile from the default profile, named "Profile1" or the first free "profile<n>".
    // The selection stays; the list file records the new entry as the one to select next start.
    int Add();
    // A copy of the selected profile named "<name> copy" (" copy" repeated until free).
    int Copy();
    // A new profile from the file at path, named after the file (with "(1)", "(2)"... appended
    // while taken). Refused with kProfileNotAProfile unless the file is a JSON object with
    // "profilename", "profileUUID" and an object as "Device"[0], of at most kMaxImportBytes.
    int Import(const std::string& path);
    // Writes the selected profile to path (never into the profile folder itself).
    int Export(const std::string& path) const;
    // Removes the selected profile and selects the one before it (entry 0 after deleting the
    // first). The last profile is never deleted.
    int Delete();
    // Renames the selected profile in the list and in its file.
    int Rename(const std::string& name);
    // Overwrites the selected profile with the default profile, keeping name and identifier.
    int ResetToDefault();

private:
    std::string ListPath() const;
    std::string ProfilePath(const std::string& id) const;
    void RefreshList();
    // index when its entry names a profile file, else the first entry that does (index when none).
    int FirstWithFile(int index) const;
    ProfileListFile ListFromProfileFiles() const;
    int RebuildList();
    std::string NewProfileId() const;
    Json::Value ReadDefaultDocument() const;
    int AddProfile(const std::string& name, Json::Value document, bool selectNew);
    bool IsSelected() const { return m_selected >= 0 && m_selected < Count(); }

    int m_kind = 0;
    std::string m_folder;
    std::string m_defaultProfilePath;
    std::string m_currentId;
    ProfileListFile m_list;
    int m_selected = -1;
    JsonFile m_json;
};
