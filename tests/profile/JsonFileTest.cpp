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
    value["Name"] = "Profile \xE4\xB8\x80 \xF0\x9F\x8E\xAE"; // UTF-8 kept as is, four-byte forms too
    value["List"].append(1);
    value["List"].append(2);
    value["Nodes"].append(Json::Value(Json::objectValue))["Ctrl"] = "\x01\\u00e4\"";
    value["Empty"] = Json::Value(Json::arrayValue);
    JsonFile json;
    ASSERT_EQ(json.WriteJsonDocument(dir / "p.json", value), 0);
    // JsonCpp's styled writer form: three spaces, " : ", short arrays on one line, control
    // characters and escapes as written, then one more line end.
    EXPECT_EQ(ReadFileBytes(dir / "p.json"), "{\n"
                                             "   \"Empty\" : [],\n"
                                             "   \"List\" : [ 1, 2 ],\n"
                                             "   \"Name\" : \"Profile \xE4\xB8\x80 \xF0\x9F\x8E\xAE\",\n"
                                             "   \"Nodes\" : [\n"
                                             "      {\n"
                                             "         \"Ctrl\" : \"\\u0001\\\\u00e4\\\"\"\n"
                                             "      }\n"
                                             "   ]\n"
                                             "}\n\n");
    EXPECT_EQ(json.ReadJsonDocument(dir / "p.json"), value);
}

TEST(JsonFile, TheProgramFolderIsNeverWritten)
{
    TempFolder dir;
    testsupport::ScopedEnv program("QV742_DATA_DIR", dir / "program");
    std::filesystem::create_directories(dir / "program/DefaultData");
    WriteFileBytes(dir / "program/DefaultData/mouse.Json", "{}");
    JsonFile json;
    EXPECT_EQ(json.WriteJsonDocument(dir / "program/DefaultData/mouse.Json", Json::Value(1)), -1);
    EXPECT_EQ(json.WriteJsonDocument(dir / "program/../program/new.json", Json::Value(1)), -1);
    EXPECT_EQ(ReadFileBytes(dir / "program/DefaultData/mouse.Json"), "{}");
    EXPECT_FALSE(std::filesystem::exists(dir / "program/new.json"));
    EXPECT_EQ(json.WriteJsonDocument(dir / "user.json", Json::Value(1)), 0);
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
