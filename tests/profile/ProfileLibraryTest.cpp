#include "profile/JsonFile.h"
#include "profile/ProfileLibrary.h"
#include "support/FolderSnapshot.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

using testsupport::FolderSnapshot;
using testsupport::ReadFileBytes;
using testsupport::TempFolder;
using testsupport::WriteFileBytes;

namespace {

const char kDefaultProfile[] =
    R"({"Device": [{"LightInfo": {"SelectItem": 2}, "CustomEQNameInfo": [{"Name": "factory"}]}],
        "profilename": "Default", "profileUUID": ""})";

class ProfileLibraryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteFileBytes(defaultPath, kDefaultProfile);
        library.SetFolders(folder, defaultPath);
    }
    // A library whose list holds the given names, the first selected.
    void InitWith(const std::vector<std::string>& names)
    {
        std::filesystem::create_directories(folder);
        ProfileListFile list;
        for (size_t i = 0; i < names.size(); ++i) {
            std::string id = "2026_01_01_10_00_00_00" + std::to_string(i);
            list.Append(names[i], id);
            WriteFileBytes(folder + "/" + id + ".Json", kDefaultProfile);
        }
        ASSERT_EQ(list.Write(folder + "/ProfileList.ini"), 0);
        ASSERT_EQ(library.Init(), kProfileDone);
    }
    Json::Value Read(const std::string& path) { return JsonFile().ReadJsonDocument(path); }
    Json::Value List() { return Read(folder + "/ProfileList.ini"); }

    TempFolder dir;
    std::string defaultPath = dir / "mouse.Json";
    std::string folder = dir / "data/mouse";
    ProfileLibrary library;
};

TEST_F(ProfileLibraryTest, FirstStartMakesProfile1FromTheDefault)
{
    ASSERT_EQ(library.Init(), kProfileDone);
    EXPECT_EQ(library.Names(), std::vector<std::string> {"Profile1"});
    EXPECT_EQ(library.CurrentIndex(), 0);
    EXPECT_TRUE(JsonFile::IsProfileId(library.CurrentProfileId()));
    Json::Value profile = Read(library.CurrentProfilePath());
    EXPECT_EQ(profile["profilename"].asString(), "Profile1");
    EXPECT_EQ(profile["profileUUID"].asString(), library.CurrentProfileId());
    EXPECT_EQ(profile["Device"][0]["LightInfo"]["SelectItem"].asInt(), 2);
    Json::Value list = List();
    EXPECT_EQ(list["profilelist"][0]["profileislink"].asInt(), 0);
    EXPECT_EQ(list["profilelist"][0]["profilelinkmame"].asString(), "");
    EXPECT_EQ(list["profileselect"].asInt(), 0);
}

TEST_F(ProfileLibraryTest, WithoutAFolderNothingIsWritten)
{
    ProfileLibrary unset;
    EXPECT_EQ(unset.Init(), kProfileFileError);
    EXPECT_EQ(unset.Add(), kProfileFileError);
    EXPECT_EQ(unset.Count(), 0);
    EXPECT_EQ(unset.CurrentIndex(), -1);
    EXPECT_EQ(unset.CurrentProfilePath(), "");
    EXPECT_FALSE(std::filesystem::exists("/ProfileList.ini"));
}

TEST_F(ProfileLibraryTest, NewNamesAvoidEveryNameWithoutRegardToCase)
{
    InitWith({"Profile1", "PROFILE2", "Game", "Game copy"});
    ASSERT_EQ(library.Add(), kProfileDone);
    EXPECT_EQ(library.Names().back(), "profile3");
    EXPECT_EQ(List()["profileselect"].asInt(), 4); // recorded for the next start
    EXPECT_EQ(library.CurrentIndex(), 0);           // while the selection stays

    library.Select(2);
    ASSERT_EQ(library.Copy(), kProfileDone);
    EXPECT_EQ(library.Names().back(), "Game copy copy");

    WriteFileBytes(dir / "Game.json", ReadFileBytes(library.CurrentProfilePath()));
    ASSERT_EQ(library.Import(dir / "Game.json"), kProfileDone);
    ASSERT_EQ(library.Import(dir / "Game.json"), kProfileDone);
    std::vector<std::string> names = library.Names();
    EXPECT_EQ(names[names.size() - 2], "Game(1)");
    EXPECT_EQ(names.back(), "Game(1)(2)");

    // Each new profile has its own file carrying its own name and identifier.
    for (int i = 4; i < library.Count(); ++i) {
        Json::Value profile = Read(library.ProfilePathAt(i));
        EXPECT_EQ(profile["profilename"].asString(), names[i]);
        EXPECT_EQ(library.ProfilePathAt(i), folder + "/" + profile["profileUUID"].asString() + ".Json");
    }
}

TEST_F(ProfileLibraryTest, DeleteSelectsTheProfileBeforeAndKeepsTheLastOne)
{
    InitWith({"A", "B", "C"});
    std::string firstFile = library.CurrentProfilePath();
    ASSERT_EQ(library.Delete(), kProfileDone);
    EXPECT_FALSE(std::filesystem::exists(firstFile));
    EXPECT_EQ(library.Names(), (std::vector<std::string> {"B", "C"}));
    EXPECT_EQ(List()["profileselect"].asInt(), 0);

    library.Add();
    library.Select(2);
    ASSERT_EQ(library.Delete(), kProfileDone);
    EXPECT_EQ(List()["profileselect"].asInt(), 1);
    EXPECT_EQ(library.CurrentIndex(), 1);

    library.Delete();
    EXPECT_EQ(library.Delete(), kProfileNothingToDo);
    EXPECT_EQ(library.Count(), 1);
    EXPECT_TRUE(std::filesystem::exists(library.CurrentProfilePath()));
}

TEST_F(ProfileLibraryTest, RenameChecksTheNameAndRenamesListAndFile)
{
    InitWith({"Alpha", "Beta"});
    struct Row {
        std::string name;
        int result;
    } rows[] = {
        {"   ", kProfileNameBlank},
        {"", kProfileNameBlank},
        {"beta", kProfileNameTaken},
        {"abcdefghijklmnopq", kProfileNameTooLong},
        {"a/b", kProfileNameForbidden},
        {"x=y", kProfileNameForbidden},
        {"ALPHA", kProfileDone}, // the selected profile itself is not compared
        {"Gamma", kProfileDone},
    };
    for (const Row& row : rows)
        EXPECT_EQ(library.Rename(row.name), row.result) << row.name;
    EXPECT_EQ(library.Names()[0], "Gamma");
    EXPECT_EQ(List()["profilelist"][0]["profilename"].asString(), "Gamma");
    EXPECT_EQ(Read(library.CurrentProfilePath())["profilename"].asString(), "Gamma");
    EXPECT_STREQ(ProfileResultMessageKey(kProfileNameTaken), "message_text_5");
}

TEST_F(ProfileLibraryTest, TheFiftiethProfileIsTheLast)
{
    ASSERT_EQ(library.Init(), kProfileDone);
    for (int i = 1; i < ProfileLibrary::kMaxProfiles; ++i)
        ASSERT_EQ(library.Add(), kProfileDone);
    WriteFileBytes(dir / "Extra.json", ReadFileBytes(library.CurrentProfilePath()));
    auto before = FolderSnapshot(folder);
    EXPECT_EQ(library.Add(), kProfileListFull);
    EXPECT_EQ(library.Copy(), kProfileListFull);
    EXPECT_EQ(library.Import(dir / "Extra.json"), kProfileListFull);
    EXPECT_EQ(FolderSnapshot(folder), before);
}

TEST_F(ProfileLibraryTest, ResetRestoresTheDefaultButKeepsNameIdAndTheHeadsetsOwnEqualiser)
{
    InitWith({"Mine"});
    std::string path = library.CurrentProfilePath();
    Json::Value mine = Read(path);
    mine["Device"][0]["LightInfo"]["SelectItem"] = 9;
    mine["Device"][0]["CustomEQNameInfo"][0]["Name"] = "bass";
    JsonFile().WriteJsonDocument(path, mine);

    library.SetKind(7);
    ASSERT_EQ(library.ResetToDefault(), kProfileDone);
    Json::Value reset = Read(path);
    EXPECT_EQ(reset["profilename"].asString(), "Mine");
    EXPECT_EQ(reset["profileUUID"].asString(), library.CurrentProfileId());
    EXPECT_EQ(reset["Device"][0]["LightInfo"]["SelectItem"].asInt(), 2);
    EXPECT_EQ(reset["Device"][0]["CustomEQNameInfo"][0]["Name"].asString(), "bass");

    library.SetKind(2);
    ASSERT_EQ(library.ResetToDefault(), kProfileDone);
    EXPECT_EQ(Read(path)["Device"][0]["CustomEQNameInfo"][0]["Name"].asString(), "factory");
}

TEST_F(ProfileLibraryTest, ExportWritesTheSelectedProfileButNeverIntoTheProfileFolder)
{
    InitWith({"Mine"});
    ASSERT_EQ(library.Export(dir / "out.json"), kProfileDone);
    EXPECT_EQ(Read(dir / "out.json"), Read(library.CurrentProfilePath()));
    auto before = FolderSnapshot(folder);
    EXPECT_EQ(library.Export(folder + "/ProfileList.ini"), kProfileFileError);
    EXPECT_EQ(library.Export(folder + "/../mouse/x.Json"), kProfileFileError);
    EXPECT_EQ(FolderSnapshot(folder), before);
}

// Files that are no profile: the import is refused and no file of the family changes.
TEST_F(ProfileLibraryTest, RefusedImportsChangeNothing)
{
    InitWith({"Mine", "Other"});
    const std::pair<const char*, std::string> rows[] = {
        {"missing", ""},
        {"empty", ""},
        {"malformed", R"({"Device": [{)"},
        {"array", R"([{"Device": [{}]}])"},
        {"no device", R"({"profilename": "x", "profileUUID": "1"})"},
        {"device not array", R"({"profilename": "x", "profileUUID": "1", "Device": {"0": {}}})"},
        {"node not object", R"({"profilename": "x", "profileUUID": "1", "Device": ["LightInfo"]})"},
        {"no name", R"({"profileUUID": "1", "Device": [{}]})"},
        {"deep", std::string(5000, '[') + std::string(5000, ']')},
        {"macro", R"({"MacroName": "m", "Guid": "1", "Events": [], "Version": 64})"},
        {"too large", R"({"profilename": "x", "profileUUID": "1", "Device": [{}]})" + std::string(ProfileLibrary::kMaxImportBytes, ' ')},
    };
    auto before = FolderSnapshot(folder);
    for (const auto& [label, text] : rows) {
        std::string path = dir / (std::string(label) + ".json");
        if (std::string(label) != "missing")
            WriteFileBytes(path, text);
        EXPECT_EQ(library.Import(path), kProfileNotAProfile) << label;
        EXPECT_EQ(FolderSnapshot(folder), before) << label;
        EXPECT_EQ(library.Count(), 2) << label;
    }
}

// Damaged list files: the library starts with a sane list of real profile files, and the
// profile files that were there are untouched.
TEST_F(ProfileLibraryTest, DamagedListsStartWithTheProfilesThatExist)
{
    std::filesystem::create_directories(folder);
    const std::string id1 = "2026_01_01_10_00_00_001", id2 = "2026_01_01_10_00_00_002";
    WriteFileBytes(folder + "/" + id1 + ".Json", R"({"profilename": "First", "Device": [{}]})");
    WriteFileBytes(folder + "/" + id2 + ".Json", R"({"profilename": 5, "Device": [{}]})");
    WriteFileBytes(folder + "/notes.Json", R"({"profilename": "not an id"})");
    WriteFileBytes(dir / "data/outside.Json", "{}");
    const std::string entry1 = R"({"profilename": "One", "profileUUID": ")" + id1 + R"("})";
    const std::string entry2 = R"({"profilename": "Two", "profileUUID": ")" + id2 + R"("})";
    struct Row {
        const char* label;
        std::string list;
        std::vector<std::string> names;
        int selected;
    } rows[] = {
        {"missing", "", {"First", "Profile2"}, 0},
        {"malformed", R"({"profilelist": [)", {"First", "Profile2"}, 0},
        {"list not array", R"({"profilelist": {"a": 1}, "profileselect": 1})", {"First", "Profile2"}, 0},
        {"select out of range", "{\"profilelist\": [" + entry1 + "," + entry2 + R"(], "profileselect": 7})", {"One", "Two"}, 0},
        {"select negative", "{\"profilelist\": [" + entry1 + "," + entry2 + R"(], "profileselect": -1})", {"One", "Two"}, 0},
        {"select text", "{\"profilelist\": [" + entry1 + "," + entry2 + R"(], "profileselect": "1"})", {"One", "Two"}, 0},
        // Entries that cannot name a file stay in the list; the first that can is selected.
        {"escaping ids", R"({"profilelist": [{"profilename": "Evil", "profileUUID": "../outside"},
                              {"profilename": "Abs", "profileUUID": "/etc/passwd"}, )" + entry2 + "]}", {"Evil", "Abs", "Two"}, 2},
        {"repeated id", "{\"profilelist\": [" + entry1 + "," + entry1 + "," + entry2 + R"(], "profileselect": 1})", {"One", "One", "Two"}, 0},
        {"wrong types", R"({"profilelist": [5, "x", null, {"profilename": ["n"], "profileUUID": ")" + id1 + R"("}]})",
         {"Profile1", "Profile2", "Profile3", "Profile4"}, 3},
    };
    auto profilesBefore = FolderSnapshot(folder);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        std::filesystem::remove(folder + "/ProfileList.ini");
        if (!row.list.empty())
            WriteFileBytes(folder + "/ProfileList.ini", row.list);
        ProfileLibrary fresh;
        fresh.SetFolders(folder, defaultPath);
        ASSERT_EQ(fresh.Init(), kProfileDone);
        EXPECT_EQ(fresh.Names(), row.names);
        EXPECT_EQ(fresh.CurrentIndex(), row.selected);
        EXPECT_TRUE(std::filesystem::exists(fresh.CurrentProfilePath()));
        for (const auto& [name, bytes] : profilesBefore)
            EXPECT_EQ(ReadFileBytes(folder + "/" + name), bytes) << name;
        for (int i = 0; i < fresh.Count(); ++i) {
            const std::string path = fresh.ProfilePathAt(i);
            EXPECT_TRUE(path.empty() || std::filesystem::path(path).parent_path() == folder) << path;
        }
    }
    EXPECT_EQ(ReadFileBytes(dir / "data/outside.Json"), "{}");
}

TEST_F(ProfileLibraryTest, EntriesTheProgramDoesNotUnderstandAreWrittenBackAsTheyWere)
{
    std::filesystem::create_directories(folder);
    const std::string id = "2026_01_01_10_00_00_001";
    WriteFileBytes(folder + "/" + id + ".Json", kDefaultProfile);
    Json::Value list;
    Json::Value& entries = list["profilelist"];
    entries.append(Json::Value(5));
    entries.append(Json::Value(Json::objectValue))["profileUUID"] = "{3F2504E0-4F89-11D3-9A0C-0305E82C3301}";
    Json::Value& mine = entries.append(Json::Value(Json::objectValue));
    mine["profilename"] = "Mine";
    mine["profileUUID"] = id;
    mine["profileislink"] = 1;
    mine["cloud"] = "kept";
    entries.append(mine)["profilename"] = "Twin"; // the same identifier once more
    for (int i = 4; i < 55; ++i)
        entries.append(Json::Value(Json::objectValue))["profilename"] = "p" + std::to_string(i);
    list["profileselect"] = 2;
    list["sync"] = true;
    ASSERT_EQ(JsonFile().WriteJsonDocument(folder + "/ProfileList.ini", list), 0);

    ASSERT_EQ(library.Init(), kProfileDone);
    EXPECT_EQ(library.Count(), 55) << "a list past fifty is not cut";
    EXPECT_EQ(library.ProfilePathAt(3), "") << "a repeated identifier names no file";
    EXPECT_EQ(library.Add(), kProfileListFull);
    ASSERT_EQ(library.Rename("Renamed"), kProfileDone);

    Json::Value expected = list;
    expected["profilelist"][2]["profilename"] = "Renamed";
    EXPECT_EQ(List(), expected);
}

TEST_F(ProfileLibraryTest, FailedWritesLeaveListAndProfilesAsTheyWere)
{
    InitWith({"Mine", "Other"});
    auto before = FolderSnapshot(folder);
    // A folder in the list file's place makes every write of the list fail, even for root.
    std::string listBytes = ReadFileBytes(folder + "/ProfileList.ini");
    std::filesystem::remove(folder + "/ProfileList.ini");
    std::filesystem::create_directory(folder + "/ProfileList.ini");
    EXPECT_EQ(library.Add(), kProfileFileError);
    EXPECT_EQ(library.Copy(), kProfileFileError);
    EXPECT_EQ(library.Delete(), kProfileFileError);
    EXPECT_EQ(library.Rename("New"), kProfileFileError);
    EXPECT_EQ(library.Names(), (std::vector<std::string> {"Mine", "Other"}));
    std::filesystem::remove(folder + "/ProfileList.ini");
    WriteFileBytes(folder + "/ProfileList.ini", listBytes);
    EXPECT_EQ(FolderSnapshot(folder), before);
}

} // namespace
