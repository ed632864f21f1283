#include "macro/MacroFile.h"
#include "macro/MacroLibrary.h"
#include "profile/JsonFile.h"
#include "support/FolderSnapshot.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

using testsupport::FolderSnapshot;
using testsupport::ReadFileBytes;
using testsupport::TempFolder;
using testsupport::WriteFileBytes;

namespace {

class MacroLibraryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(folder);
        library.SetFolder(folder);
        library.LoadMacroList();
    }
    Json::Value Read(const std::string& path) { return JsonFile().ReadJsonDocument(path); }
    std::string NewMacro()
    {
        std::string name;
        EXPECT_EQ(library.NewMacro(name), kMacroDone);
        return name;
    }

    TempFolder dir;
    std::string folder = dir / "mouse";
    MacroLibrary library;
};

TEST_F(MacroLibraryTest, NewMacrosTakeTheSmallestFreeNumberUpToFifty)
{
    EXPECT_EQ(NewMacro(), "macro_1");
    EXPECT_EQ(NewMacro(), "macro_2");
    EXPECT_EQ(NewMacro(), "macro_3");
    ASSERT_EQ(library.RenameMacro(1, "Reload"), kMacroDone);
    EXPECT_EQ(NewMacro(), "macro_2");
    EXPECT_TRUE(library.LoadMacro(3).empty()); // no file until the first save
    Json::Value config = Read(folder + "/macro.config");
    ASSERT_EQ(config["MacroInfo"].size(), 4u);
    EXPECT_EQ(config["MacroInfo"][1]["MacroName"].asString(), "Reload");
    EXPECT_TRUE(JsonFile::IsProfileId(config["MacroInfo"][3]["Guid"].asString()));

    while (library.Entries().size() < MacroLibrary::kMaxMacros)
        NewMacro();
    auto before = FolderSnapshot(folder);
    std::string name;
    EXPECT_EQ(library.NewMacro(name), kMacroListFull);
    EXPECT_EQ(name, "");
    EXPECT_EQ(FolderSnapshot(folder), before);
}

TEST_F(MacroLibraryTest, WithoutAFolderNothingIsMade)
{
    MacroLibrary unset;
    std::string name;
    EXPECT_EQ(unset.LoadMacroList(), 0);
    EXPECT_EQ(unset.NewMacro(name), kMacroFileError);
    EXPECT_FALSE(std::filesystem::exists("/macro.config"));
}

TEST_F(MacroLibraryTest, SavedStepsReadBackAndOnlySixtyAreKept)
{
    NewMacro();
    std::vector<MacroEvent> steps {{MacroEventType::Key, 0x04, true, 0},
                                   {MacroEventType::Modifier, 0x02, false, 65535},
                                   {MacroEventType::MoveVertical, 9, true, 15}};
    ASSERT_EQ(library.SaveMacro(0, steps), kMacroDone);
    EXPECT_EQ(library.LoadMacro(0), steps);
    Json::Value file = Read(library.MacroFilePath(0));
    EXPECT_EQ(file["Version"].asInt(), 64);
    EXPECT_EQ(file["MacroName"].asString(), "macro_1");
    EXPECT_EQ(file["Events"][0]["Delay"], Json::Value("0")); // written as decimal text

    std::vector<MacroEvent> many(61, steps[0]);
    EXPECT_EQ(library.SaveMacro(0, many), kMacroEventsDropped);
    EXPECT_EQ(library.LoadMacro(0).size(), 60u);
    EXPECT_EQ(library.SaveMacro(7, steps), kMacroNoMacro);
}

TEST_F(MacroLibraryTest, StepsOfAFileAreReadAsTheyCanBe)
{
    JsonFieldReader fields;
    std::vector<MacroEvent> events = MacroFile::EventsOf(JsonFile::ParseJson(R"({"Events": [
        {"Type": 10, "Button": 4, "Action": "down", "Delay": 0},
        {"Type": 10, "Button": 4, "Action": "Down", "Delay": "70000"},
        {"Type": 1, "Button": 300, "Action": 1, "Delay": "12ms"},
        {"Type": 3, "Button": -2, "Delay": -5},
        {"Type": 7, "Button": 1},
        {"Type": "10"},
        [1, 2], 5, null]})"),
                                                         fields);
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0], (MacroEvent {MacroEventType::Key, 4, true, 0}));
    EXPECT_EQ(events[1], (MacroEvent {MacroEventType::Key, 4, false, 65535})); // only "down" is down
    EXPECT_EQ(events[2], (MacroEvent {MacroEventType::MouseButton, 255, false, 0}));
    EXPECT_EQ(events[3], (MacroEvent {MacroEventType::Reserved3, 0, false, 0}));
    EXPECT_GT(fields.Repairs(), 0);
}

TEST_F(MacroLibraryTest, ImportNamesAfterTheFileAndRefusesWhatIsNoMacro)
{
    WriteFileBytes(dir / "Fire.mac", R"({"Events": [{"Type": 1, "Button": 1, "Action": "down", "Delay": "10"}, 7]})");
    for (const char* expected : {"Fire", "Fire(2)", "Fire(3)"}) {
        std::string name;
        ASSERT_EQ(library.ImportMacro(dir / "Fire.mac", name), kMacroDone);
        EXPECT_EQ(name, expected);
    }
    EXPECT_EQ(library.LoadMacro(2), (std::vector<MacroEvent> {{MacroEventType::MouseButton, 1, true, 10}}));

    const std::pair<const char*, std::string> rows[] = {
        {"missing", ""},
        {"empty", ""},
        {"malformed", R"({"Events": [)"},
        {"no events", R"({"MacroName": "x"})"},
        {"events not array", R"({"Events": {"0": {}}})"},
        {"array", R"([{"Events": []}])"},
        {"deep", std::string(5000, '{') + std::string(5000, '}')},
        {"profile", R"({"Device": [{}], "profilename": "p", "profileUUID": "1"})"},
        {"too large", R"({"Events": []})" + std::string(MacroLibrary::kMaxImportBytes, ' ')},
    };
    auto before = FolderSnapshot(folder);
    for (const auto& [label, text] : rows) {
        std::string path = dir / (std::string(label) + ".mac");
        if (std::string(label) != "missing")
            WriteFileBytes(path, text);
        std::string name = "unchanged";
        EXPECT_EQ(library.ImportMacro(path, name), kMacroNotAMacro) << label;
        EXPECT_EQ(name, "unchanged") << label;
        EXPECT_EQ(FolderSnapshot(folder), before) << label;
    }
}

TEST_F(MacroLibraryTest, RenameAndDeleteKeepIndexAndFilesInStep)
{
    NewMacro();
    NewMacro();
    library.SaveMacro(0, {{MacroEventType::Key, 5, true, 1}});
    std::string file0 = library.MacroFilePath(0);
    std::string bytes0 = ReadFileBytes(file0);
    EXPECT_EQ(library.RenameMacro(0, "  "), kMacroNameBlank);
    EXPECT_EQ(library.RenameMacro(0, "MACRO_1"), kMacroNameTaken); // its own name counts too
    EXPECT_EQ(library.RenameMacro(0, "macro_2"), kMacroNameTaken);
    ASSERT_EQ(library.RenameMacro(0, "Spray"), kMacroDone);
    EXPECT_EQ(library.MacroFilePath(0), file0);
    EXPECT_EQ(ReadFileBytes(file0), bytes0);

    ASSERT_EQ(library.DeleteMacro(0), kMacroDone);
    EXPECT_FALSE(std::filesystem::exists(file0));
    EXPECT_EQ(library.MacroNames(), std::vector<std::string> {"macro_2"});
    ASSERT_EQ(library.DeleteMacro(0), kMacroDone);
    EXPECT_EQ(library.DeleteMacro(0), kMacroNoMacro);
    Json::Value config = Read(folder + "/macro.config");
    EXPECT_TRUE(config["MacroInfo"].isArray());
    EXPECT_EQ(config["MacroInfo"].size(), 0u);
}

TEST_F(MacroLibraryTest, ExportWritesTheMacroButNeverIntoTheDeviceFolder)
{
    NewMacro();
    library.SaveMacro(0, {{MacroEventType::Key, 5, true, 1}});
    ASSERT_EQ(library.ExportMacro(0, dir / "out.mac"), kMacroDone);
    EXPECT_EQ(Read(dir / "out.mac"), Read(library.MacroFilePath(0)));
    auto before = FolderSnapshot(folder);
    EXPECT_EQ(library.ExportMacro(0, folder + "/macro.config"), kMacroFileError);
    EXPECT_EQ(FolderSnapshot(folder), before);
}

TEST_F(MacroLibraryTest, ALostIndexComesBackFromTheSavedMacroFiles)
{
    for (int i = 0; i < 3; ++i)
        NewMacro();
    library.RenameMacro(1, "Spray");
    for (int i = 0; i < 3; ++i)
        library.SaveMacro(i, {{MacroEventType::Key, static_cast<uint8_t>(4 + i), true, 1}});
    std::filesystem::remove(folder + "/macro.config");

    MacroLibrary reopened;
    reopened.SetFolder(folder);
    ASSERT_EQ(reopened.LoadMacroList(), 3);
    EXPECT_EQ(reopened.MacroNames(), (std::vector<std::string> {"macro_1", "Spray", "macro_3"}));
    EXPECT_EQ(reopened.LoadMacro(2)[0].button, 6);
}

// Damaged indexes: every element keeps its position (key assignments count on it), but only
// identifiers that name a file in the folder are used.
TEST_F(MacroLibraryTest, DamagedIndexesKeepPositionsAndNeverReachOutsideTheFolder)
{
    const std::string good = "2026_01_01_10_00_00_001";
    WriteFileBytes(folder + "/" + good + ".mac", R"({"Events": [{"Type": 10, "Button": 4, "Action": "down", "Delay": "1"}]})");
    WriteFileBytes(dir / "outside.mac", R"({"Events": []})");
    struct Row {
        const char* label;
        std::string config;
        std::vector<std::string> guids;
    } rows[] = {

        {"escaping guid", R"({"MacroInfo": [{"MacroName": "a", "Guid": "../outside"}, {"MacroName": "b", "Guid": ")" + good + R"("}]})",
         {"", good}},
        {"wrong types", R"({"MacroInfo": [7, {"MacroName": 3, "Guid": 2026}, {"Guid": ")" + good + R"("}]})", {"", "", good}},
        {"repeated guid", R"({"MacroInfo": [{"Guid": ")" + good + R"("}, {"Guid": ")" + good + R"("}]})", {good, ""}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        WriteFileBytes(folder + "/macro.config", row.config);
        auto before = FolderSnapshot(folder);
        MacroLibrary damaged;
        damaged.SetFolder(folder);
        damaged.LoadMacroList();
        std::vector<std::string> guids;
        for (int i = 0; i < static_cast<int>(damaged.Entries().size()); ++i)
            guids.push_back(JsonFile::BaseFileName(damaged.MacroFilePath(i)));
        EXPECT_EQ(guids, row.guids);
        for (int i = 0; i < static_cast<int>(guids.size()); ++i) {
            EXPECT_EQ(damaged.LoadMacro(i).size(), guids[i].empty() ? 0u : 1u);
            if (guids[i].empty()) {
                EXPECT_EQ(damaged.SaveMacro(i, {}), kMacroNoMacro);
            }
        }
        EXPECT_EQ(FolderSnapshot(folder), before);
    }
    EXPECT_EQ(ReadFileBytes(dir / "outside.mac"), R"({"Events": []})");
}

// An unusable index is kept aside and rebuilt from the macro files; the panel and the device
// upload then see the same macros.
TEST_F(MacroLibraryTest, UnusableIndexesAreKeptAsideAndRebuiltFromTheMacroFiles)
{
    const std::string good = "2026_01_01_10_00_00_001";
    WriteFileBytes(folder + "/" + good + ".mac", R"({"MacroName": "Fire", "Events": []})");
    for (const char* config : {R"({"MacroInfo": [)", R"({"MacroInfo": {"MacroName": "a"}})"}) {
        SCOPED_TRACE(config);
        WriteFileBytes(folder + "/macro.config", config);
        MacroLibrary damaged;
        damaged.SetFolder(folder);
        ASSERT_EQ(damaged.LoadMacroList(), 1);
        EXPECT_EQ(damaged.MacroFilePath(0), folder + "/" + good + ".mac");
        std::string name;
        ASSERT_EQ(damaged.NewMacro(name), kMacroDone);
        int copies = 0;
        for (const auto& item : std::filesystem::directory_iterator(folder)) {
            if (item.path().filename().string().rfind("macro.config.damaged-", 0) == 0) {
                EXPECT_EQ(ReadFileBytes(item.path().string()), config);
                std::filesystem::remove(item.path());
                ++copies;
            }
        }
        EXPECT_EQ(copies, 1);
    }
}

TEST_F(MacroLibraryTest, EntriesTheProgramDoesNotUnderstandAreWrittenBackAndGuidsNeverBlanked)
{
    const std::string good = "2026_01_01_10_00_00_001";
    Json::Value config;
    Json::Value& list = config["MacroInfo"];
    list.append(Json::Value("odd"));
    Json::Value& foreign = list.append(Json::Value(Json::objectValue));
    foreign["MacroName"] = "Foreign";
    foreign["Guid"] = "{3F2504E0-4F89-11D3-9A0C-0305E82C3301}";
    Json::Value& mine = list.append(Json::Value(Json::objectValue));
    mine["MacroName"] = "Fire";
    mine["Guid"] = good;
    mine["Colour"] = "red";
    list.append(mine)["MacroName"] = "Twin";
    for (int i = 4; i < 60; ++i)
        list.append(Json::Value(Json::objectValue))["MacroName"] = "m" + std::to_string(i);
    config["Owner"] = "other tool";
    ASSERT_EQ(JsonFile().WriteJsonDocument(folder + "/macro.config", config), 0);

    ASSERT_EQ(library.LoadMacroList(), 60);
    EXPECT_EQ(library.Entries()[1].guid, foreign["Guid"].asString());
    EXPECT_EQ(library.MacroFilePath(1), "") << "refused where it would become a file name";
    EXPECT_EQ(library.MacroFilePath(3), "") << "a repeated Guid names no second file";
    EXPECT_EQ(library.SaveMacro(1, {}), kMacroNoMacro);
    std::string name;
    EXPECT_EQ(library.NewMacro(name), kMacroListFull);
    ASSERT_EQ(library.RenameMacro(2, "Spray"), kMacroDone);

    Json::Value expected = config;
    expected["MacroInfo"][2]["MacroName"] = "Spray";
    EXPECT_EQ(JsonFile().ReadJsonDocument(folder + "/macro.config"), expected);
}

} // namespace
