#include "profile/ProfileLibrary.h"

#include "platform/Folders.h"
#include "profile/FilePaths.h"
#include "profile/JsonFieldReader.h"
#include "profile/NameRules.h"
#include "profile/StringUtils.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

// Sections: result messages; paths and queries; reading and rebuilding the list; select; add,
// copy and import; export; delete; rename; reset.

namespace {

const char kListFileName[] = "ProfileList.ini";
const char kProfileExtension[] = ".Json";

void SetNameAndId(Json::Value& document, const std::string& name, const std::string& id)
{
    if (!document.isObject())
        document = Json::Value(Json::objectValue);
    document["profilename"] = name;
    document["profileUUID"] = id;
}

// The user's own equaliser presets of the old profile document, carried into the new one.
void KeepCustomEqualiser(Json::Value old, Json::Value& document)
{
    Json::Value* oldDevices = JsonFieldReader::Member(old, "Device");
    if (!oldDevices || !oldDevices->isArray() || oldDevices->empty() || !(*oldDevices)[0].isObject())
        return;
    const Json::Value& oldNode = (*oldDevices)[0];
    Json::Value& node = JsonFieldReader::ObjectElement(JsonFieldReader::ArrayMember(document, "Device"), 0);
    for (const char* key : {"CustomEQNameInfo", "CustomEQHzValueInfo"}) {
        if (oldNode.isMember(key))
            node[key] = oldNode[key];
    }
}

bool IsProfileDocument(const Json::Value& document)
{
    if (!document.isObject() || document["profilename"].isNull() || document["profileUUID"].isNull())
        return false;
    const Json::Value& devices = document["Device"];
    return devices.isArray() && !devices.empty() && devices[0].isObject();
}

} // namespace

const char* ProfileResultMessageKey(int result)
{
    switch (result) {
    case kProfileListFull: return "message_text_32";
    case kProfileNameTaken: return "message_text_5";
    case kProfileNameBlank: return "message_text_25";
    case kProfileNameTooLong: return "message_text_34";
    case kProfileNameForbidden: return "message_text_35";
    case kProfileNotAProfile: return "message_text_37";
    case kProfileFileError: return "message_text_38";
    default: return "";
    }
}

std::string ProfileLibrary::FamilyFolder(const std::string& family)
{
    return platform::Folders::UserDataFolder() + "/" + family;
}

std::string ProfileLibrary::DefaultProfilePathFor(const std::string& family)
{
    return platform::Folders::ProgramFolder() + "/DefaultData/" + family + kProfileExtension;
}

int ProfileLibrary::CheckNameText(const std::string& name)
{
    if (name.size() > NameRules::kMaxProfileNameBytes)
        return kProfileNameTooLong;
    if (NameRules::HasForbiddenCharacter(name))
        return kProfileNameForbidden;
    return kProfileDone;
}

void ProfileLibrary::SetFolders(const std::string& profileFolder, const std::string& defaultProfilePath)
{
    m_folder = profileFolder;
    m_defaultProfilePath = defaultProfilePath;
}

std::string ProfileLibrary::ListPath() const
{
    return m_folder + "/" + kListFileName;
}

std::string ProfileLibrary::ProfilePath(const std::string& id) const
{
    return m_folder + "/" + id + kProfileExtension;
}

std::string ProfileLibrary::LightConfigPath() const
{
    return m_folder + "/tavix_light.config";
}

int ProfileLibrary::CurrentIndex() const
{
    return IsSelected() ? m_selected : -1;
}

std::string ProfileLibrary::CurrentProfilePath() const
{
    return IsSelected() ? ProfilePathAt(m_selected) : std::string();
}

std::vector<std::string> ProfileLibrary::Names() const
{
    std::vector<std::string> names;
    for (const ProfileListEntry& entry : m_list.entries)
        names.push_back(entry.name);
    return names;
}

int ProfileLibrary::ProfileCount()
{
    RefreshList();
    return Count();
}

std::string ProfileLibrary::ProfilePathAt(int index) const
{
    // An identifier that cannot name a file of the folder is refused here, where it would.
    std::string id = index < 0 ? std::string() : m_list.FileId(static_cast<size_t>(index));
    return id.empty() ? std::string() : ProfilePath(id);
}

void ProfileLibrary::RefreshList()
{
    ProfileListFile fresh;
    // A list file that went missing or broken meanwhile (and was kept aside) is rewritten from
    // memory by the next write.
    if (!fresh.Read(ListPath()) || fresh.entries.empty()) {
        m_list.mayWrite = fresh.mayWrite;
        return;
    }
    m_list = fresh;
    if (m_selected >= Count())
        m_selected = Count() - 1;
}

std::string ProfileLibrary::NewProfileId() const
{
    // Identifiers never repeat within this process; a file left by another one is skipped too.
    for (;;) {
        std::string id = m_json.MakeProfileId();
        if (!m_list.HasId(id) && !platform::Folders::FileExists(ProfilePath(id)))
            return id;
    }
}

Json::Value ProfileLibrary::ReadDefaultDocument() const
{
    Json::Value document = m_json.ReadJsonDocument(m_defaultProfilePath);
    return document.isObject() ? document : Json::Value(Json::objectValue);
}

int ProfileLibrary::Init()
{
    // Without a folder every file name would land in the root folder.
    if (m_folder.empty())
        return kProfileFileError;
    platform::Folders::CreateFolders(m_folder);
    m_selected = -1;
    m_currentId.clear();
    if (!m_list.Read(ListPath()) || m_list.entries.empty()) {
        // An unusable list that could not be kept aside stays as it is.
        if (!m_list.mayWrite)
            return kProfileFileError;
        if (int result = RebuildList(); result != kProfileDone)
            return result;
    }
    return Select(FirstWithFile(m_list.select));
}

ProfileListFile ProfileLibrary::ListFromProfileFiles() const
{
    ProfileListFile list = m_list;
    list.entries.clear();
    auto isDocument = [](const Json::Value& document) { return document.isObject(); };
    for (const auto& file : FilePaths::IdentifiedFiles(m_folder, kProfileExtension, isDocument, "profilename",
                                                       "Profile", ProfileListFile::kMaxProfiles))
        list.Append(file.name, file.id);
    return list;
}

int ProfileLibrary::RebuildList()
{
    ProfileListFile rebuilt = ListFromProfileFiles();
    if (rebuilt.entries.empty()) {
        std::string id = NewProfileId();
        Json::Value document = ReadDefaultDocument();
        SetNameAndId(document, "Profile1", id);
        if (m_json.WriteJsonDocument(ProfilePath(id), document) != 0)
            return kProfileFileError;
        rebuilt.Append("Profile1", id);
    }
    m_list = rebuilt;
    return m_list.Write(ListPath()) == 0 ? kProfileDone : kProfileFileError;
}

int ProfileLibrary::FirstWithFile(int index) const
{
    if (index >= 0 && index < Count() && !m_list.FileId(static_cast<size_t>(index)).empty())
        return index;
    for (int i = 0; i < Count(); ++i) {
        if (!m_list.FileId(static_cast<size_t>(i)).empty())
            return i;
    }
    return index;
}

int ProfileLibrary::Select(int index)
{
    RefreshList();
    if (m_list.entries.empty())
        return kProfileNothingToDo;
    m_selected = index >= 0 && index < Count() ? index : 0;
    m_currentId = m_list.FileId(static_cast<size_t>(m_selected));
    if (m_list.select == m_selected)
        return kProfileDone;
    m_list.select = m_selected;
    return m_list.Write(ListPath()) == 0 ? kProfileDone : kProfileFileError;
}

int ProfileLibrary::AddProfile(const std::string& name, Json::Value document, bool selectNew)
{
    if (m_folder.empty())
        return kProfileFileError;
    std::string id = NewProfileId();
    SetNameAndId(document, name, id);
    if (m_json.WriteJsonDocument(ProfilePath(id), document) != 0)
        return kProfileFileError;
    ProfileListFile next = m_list;
    next.Append(name, id);
    if (selectNew)
        next.select = static_cast<int>(next.entries.size()) - 1;
    if (next.Write(ListPath()) != 0) {
        std::error_code error;
        std::filesystem::remove(ProfilePath(id), error);
        return kProfileFileError;
    }
    m_list = next;
    return kProfileDone;
}

int ProfileLibrary::Add()
{
    RefreshList();
    if (Count() >= kMaxProfiles)
        return kProfileListFull;
    std::vector<std::string> names = Names();
    std::string name = "Profile1";
    for (int n = 2; NameRules::IsTaken(name, names); ++n)
        name = "profile" + std::to_string(n);
    return AddProfile(name, ReadDefaultDocument(), true);
}

int ProfileLibrary::Copy()
{
    RefreshList();
    if (!IsSelected())
        return kProfileNothingToDo;
    if (Count() >= kMaxProfiles)
        return kProfileListFull;
    std::vector<std::string> names = Names();
    std::string name = names[m_selected] + " copy";
    while (NameRules::IsTaken(name, names))
        name += " copy";
    Json::Value document = m_json.InspectUserDocument(CurrentProfilePath()).document;
    // A selected profile whose file is gone or broken would be repaired from the default on
    // load; its copy starts from the default at once.
    if (!document.isObject())
        document = ReadDefaultDocument();
    return AddProfile(name, document, false);
}

int ProfileLibrary::Import(const std::string& path)
{
    if (!FilePaths::IsFileOfAtMost(path, kMaxImportBytes))
        return kProfileNotAProfile;
    Json::Value document = m_json.ReadJsonDocument(path);
    if (!IsProfileDocument(document))
        return kProfileNotAProfile;
    RefreshList();
    if (Count() >= kMaxProfiles)
        return kProfileListFull;
    std::vector<std::string> names = Names();
    std::string name = JsonFile::BaseFileName(path);
    if (IsBlankName(name))
        name = "Profile";
    for (int k = 1; NameRules::IsTaken(name, names); ++k)
        name += "(" + std::to_string(k) + ")";
    return AddProfile(name, document, false);
}

int ProfileLibrary::Export(const std::string& path) const
{
    if (!IsSelected() || path.empty())
        return kProfileNothingToDo;
    if (FilePaths::IsDirectlyIn(path, m_folder))
        return kProfileFileError;
    ProfileListFile list;
    std::string id = list.Read(ListPath()) && m_selected < static_cast<int>(list.entries.size())
                         ? list.FileId(static_cast<size_t>(m_selected))
                         : m_list.FileId(static_cast<size_t>(m_selected));
    if (id.empty())
        return kProfileFileError;
    UserDocument profile = m_json.InspectUserDocument(ProfilePath(id));
    if (!profile.IsUsable())
        return kProfileFileError;
    return m_json.WriteJsonDocument(path, profile.document) == 0 ? kProfileDone : kProfileFileError;
}

int ProfileLibrary::Delete()
{
    RefreshList();
    if (!IsSelected() || Count() < 2)
        return kProfileNothingToDo;
    ProfileListFile next = m_list;
    std::string id = next.FileId(static_cast<size_t>(m_selected));
    next.entries.erase(next.entries.begin() + m_selected);
    next.select = m_selected == 0 ? 0 : m_selected - 1;
    if (next.Write(ListPath()) != 0)
        return kProfileFileError;
    // A file that another entry still names stays.
    if (!id.empty() && !next.HasId(id)) {
        std::error_code error;
        std::filesystem::remove(ProfilePath(id), error);
    }
    m_list = next;
    m_selected = next.select;
    m_currentId = m_list.FileId(static_cast<size_t>(m_selected));
    return kProfileDone;
}

int ProfileLibrary::Rename(const std::string& name)
{
    if (IsBlankName(name))
        return kProfileNameBlank;
    if (int result = CheckNameText(name); result != kProfileDone)
        return result;
    RefreshList();
    if (!IsSelected())
        return kProfileNothingToDo;
    if (NameRules::IsTaken(name, Names(), m_selected))
        return kProfileNameTaken;
    ProfileListFile next = m_list;
    next.SetName(static_cast<size_t>(m_selected), name);
    if (next.Write(ListPath()) != 0)
        return kProfileFileError;
    m_list = next;
    // The file's own name is informative; a profile file that is missing or broken stays so.
    UserDocument profile = m_json.InspectUserDocument(CurrentProfilePath());
    if (profile.IsUsable()) {
        profile.document["profilename"] = name;
        m_json.WriteJsonDocument(CurrentProfilePath(), profile.document);
    }
    return kProfileDone;
}

int ProfileLibrary::ResetToDefault()
{
    RefreshList();
    if (!IsSelected())
        return kProfileNothingToDo;
    Json::Value document = m_json.ReadJsonDocument(m_defaultProfilePath);
    const std::string path = CurrentProfilePath();
    if (!document.isObject() || path.empty())
        return kProfileFileError;
    const ProfileListEntry& entry = m_list.entries[m_selected];
    SetNameAndId(document, entry.name, entry.id);
    // The reset replaces the profile on purpose; a file that was unusable anyway is kept aside.
    UserDocument old = m_json.ReadUserDocument(path);
    if (!old.MayReplace())
        return kProfileFileError;
    constexpr int kHeadset = 7;
    if (m_kind == kHeadset)
        KeepCustomEqualiser(old.document, document);
    return m_json.WriteJsonDocument(path, document) == 0 ? kProfileDone : kProfileFileError;
}
