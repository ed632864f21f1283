#include "profile/JsonFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>

using testsupport::ReadFileBytes;
using testsupport::TempFolder;
using testsupport::WriteFileBytes;

namespace {

TEST(JsonFile, ReadTakesTheFileUpToItsFirstZeroByte)
{
    TempFolder dir;
    WriteFileBytes(dir / "z.json", std::string("{\"a\":1}\0garbage", 15));
    JsonFile json;
    EXPECT_EQ(json.readjsonFile(dir / "z.json"), "{\"a\":1}");
    EXPECT_EQ(json.ReadJsonDocument(dir / "z.json")["a"].asInt(), 1);
}

TEST(JsonFile, UnreadableOrBrokenFilesReadAsNull)
{
    TempFolder dir;
    WriteFileBytes(dir / "empty.json", "");
    WriteFileBytes(dir / "broken.json", "{\"a\": [1, 2");
    WriteFileBytes(dir / "deep.json", std::string(100000, '[') + std::string(100000, ']'));
    JsonFile json;
    for (const char* name : {"missing.json", "empty.json", "broken.json", "deep.json"})
        EXPECT_TRUE(json.ReadJsonDocument(dir / name).isNull()) << name;
    std::filesystem::create_directory(dir / "folder.json");
    EXPECT_EQ(json.readjsonFile(dir / "folder.json"), "");
}

TEST(JsonFile, WriteIsStyledAndRoundTrips)
{
    TempFolder dir;
    Json::Value value;
    value["Name"] = "Profile \xE4\xB8\x80"; // UTF-8 kept as is
    value["List"].append(1);
    JsonFile json;
    ASSERT_EQ(json.WriteJsonDocument(dir / "p.json", value), 0);
    std::string text = ReadFileBytes(dir / "p.json");
    EXPECT_EQ(text, value.toStyledString() + "\n");
    EXPECT_EQ(json.ReadJsonDocument(dir / "p.json"), value);
}

TEST(JsonFile, FailedWriteKeepsTheOldFileAndSaysSo)
{
    TempFolder dir;
    JsonFile json;
    EXPECT_EQ(json.WriteJsonDocument(dir / "no/such/folder.json", Json::Value(1)), -1);

    // A folder where the file should be: rename fails, the folder and its content stay.
    std::filesystem::create_directories(dir / "p.json/keep");
    EXPECT_EQ(json.WriteJsonDocument(dir / "p.json", Json::Value(1)), -1);
    EXPECT_TRUE(std::filesystem::is_directory(dir / "p.json/keep"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST(JsonFile, ProfileIdsHaveTheTimeStampShapeAndNeverRepeat)
{
    JsonFile json;
    std::set<std::string> seen;
    const std::regex shape(R"(\d{4}_\d\d_\d\d_\d\d_\d\d_\d\d_\d{3})");
    for (int i = 0; i < 200; ++i) {
        std::string id = json.MakeProfileId();
        EXPECT_TRUE(std::regex_match(id, shape)) << id;
        EXPECT_TRUE(JsonFile::IsProfileId(id));
        EXPECT_TRUE(seen.insert(id).second) << id;
    }
}

TEST(JsonFile, IsProfileIdRefusesAnythingThatCouldLeaveTheFolder)
{
    for (const char* bad : {"", "../x", "2024_03_05/..", "a", "_1", "1_", "1__2", "1.json", "/etc/passwd"})
        EXPECT_FALSE(JsonFile::IsProfileId(bad)) << bad;
    EXPECT_TRUE(JsonFile::IsProfileId("2024_03_05_14_07_09_042"));
}

TEST(JsonFile, BaseFileName)
{
    EXPECT_EQ(JsonFile::BaseFileName("/a/b/2024_01_01.json"), "2024_01_01");
    EXPECT_EQ(JsonFile::BaseFileName("C:\\x\\y.mac"), "y");
    EXPECT_EQ(JsonFile::BaseFileName("noext"), "noext");
}

} // namespace
