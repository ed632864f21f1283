// The custom light effects of a device folder: saving and reading back, what an identifier may
// be, links out of the folder, and files that cannot be used.

#include "profile/JsonFile.h"
#include "profile/LightConfigFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using testsupport::ReadFileBytes;
using testsupport::TempFolder;
using testsupport::WriteFileBytes;

namespace {

std::vector<LightEffectStep> TwoSteps()
{
    std::vector<LightEffectStep> steps(2);
    steps[0].mode = 4;
    steps[0].brightness = 3;
    steps[0].speed = 2;
    steps[0].direction = 1;
    steps[0].multiColor = 1;
    steps[0].red = 200;
    steps[0].time = 1500;
    steps[0].cycles = 3;
    steps[1].mode = 1;
    steps[1].green = 99;
    steps[1].blue = 7;
    steps[1].time = 250;
    return steps;
}

void ExpectSameSteps(const std::vector<LightEffectStep>& a, const std::vector<LightEffectStep>& b)
{
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].mode, b[i].mode) << i;
        EXPECT_EQ(a[i].brightness, b[i].brightness) << i;
        EXPECT_EQ(a[i].speed, b[i].speed) << i;
        EXPECT_EQ(a[i].direction, b[i].direction) << i;
        EXPECT_EQ(a[i].multiColor, b[i].multiColor) << i;
        EXPECT_EQ(a[i].red, b[i].red) << i;
        EXPECT_EQ(a[i].green, b[i].green) << i;
        EXPECT_EQ(a[i].blue, b[i].blue) << i;
        EXPECT_EQ(a[i].time, b[i].time) << i;
        EXPECT_EQ(a[i].cycles, b[i].cycles) << i;
    }
}

// The files beside path whose names start with path's name and ".damaged-".
std::vector<std::string> KeptAside(const std::string& path)
{
    std::vector<std::string> found;
    const std::string prefix = std::filesystem::path(path).filename().string() + ".damaged-";
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(path).parent_path())) {
        if (entry.path().filename().string().rfind(prefix, 0) == 0)
            found.push_back(entry.path().string());
    }
    return found;
}

class LightConfigFileTest : public ::testing::Test {
protected:
    TempFolder dir;
    LightConfigFile config{dir.Path()};
};

TEST_F(LightConfigFileTest, SavedEffectsReadBackAndKeepWhatTheFileHeldBefore)
{
    WriteFileBytes(config.ConfigPath(), R"({"Vendor": "kept", "LightInfo": [[{"LightName": "kb", "Guid": "k1", "Extra": 1}]]})");
    const std::vector<LightEffectStep> steps = TwoSteps();

    EXPECT_EQ(config.SaveEffect(2, "Aurora", steps), 0);
    EXPECT_EQ(config.SaveEffect(2, "Embers", {steps[1]}), 1);
    const std::vector<LightConfigFile::Effect> effects = config.Effects(2);
    ASSERT_EQ(effects.size(), 2u);
    EXPECT_EQ(effects[0].name, "Aurora");
    EXPECT_EQ(effects[1].name, "Embers");
    EXPECT_NE(effects[0].id, effects[1].id);
    ExpectSameSteps(config.ReadSteps(effects[0].id), steps);

    // Saving under a name that exists replaces that effect's frames in place.
    EXPECT_EQ(config.SaveEffect(2, "Aurora", {steps[1]}), 0);
    EXPECT_EQ(config.Effects(2)[0].id, effects[0].id);
    ExpectSameSteps(config.ReadSteps(effects[0].id), {steps[1]});

    const Json::Value document = JsonFile().ReadJsonDocument(config.ConfigPath());
    EXPECT_EQ(document["Vendor"].asString(), "kept");
    EXPECT_EQ(document["LightInfo"][0][0]["Extra"].asInt(), 1);
    EXPECT_TRUE(document["LightInfo"][1].isArray()); // families before the new one are lists, not nulls
    EXPECT_EQ(config.Effects(0)[0].name, "kb");
}

TEST_F(LightConfigFileTest, RemovingAnEffectDeletesItsFileUnlessAnotherEntryNamesIt)
{
    ASSERT_EQ(config.SaveEffect(1, "One", TwoSteps()), 0);
    ASSERT_EQ(config.SaveEffect(1, "Two", TwoSteps()), 1);
    const std::string one = config.Effects(1)[0].id;
    const std::string two = config.Effects(1)[1].id;
    // Another family shares "Two"'s frames.
    Json::Value document = JsonFile().ReadJsonDocument(config.ConfigPath());
    document["LightInfo"][3].append(document["LightInfo"][1][1]);
    ASSERT_EQ(JsonFile().WriteJsonDocument(config.ConfigPath(), document), 0);

    EXPECT_EQ(config.RemoveEffect(1, 0), 0);
    EXPECT_FALSE(std::filesystem::exists(dir / (one + ".light")));
    EXPECT_EQ(config.RemoveEffect(1, 0), 0);
    EXPECT_TRUE(std::filesystem::exists(dir / (two + ".light")));
    EXPECT_TRUE(config.Effects(1).empty());
    EXPECT_EQ(config.RemoveEffect(1, 0), -1);
}

TEST_F(LightConfigFileTest, OnlyAPlainNameInsideTheFolderBecomesAFile)
{
    const struct {
        std::string id;
        bool accepted;
    } rows[] = {
        {"2026_01_01_00_00_00_001", true}, {"secret", true},  {"My effect (2)", true}, {"", false},
        {"..", false},                     {"../x", false},   {"a..b", false},         {"a/b", false},
        {"a\\b", false},                   {"line\nbreak", false}, {std::string(201, 'x'), false},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(LightConfigFile::IsEffectId(row.id), row.accepted) << row.id;
        EXPECT_EQ(LightConfigFile::EffectPath(dir.Path(), row.id).empty(), !row.accepted) << row.id;
    }

    TempFolder outside;
    WriteFileBytes(outside / "stolen.light", R"({"LEDEffectList": [{"LEDREGMode": 1}]})");
    WriteFileBytes(dir / "inside.target", R"({"LEDEffectList": [{"LEDREGMode": 2}]})");
    std::filesystem::create_symlink(outside / "stolen.light", dir / "out.light");
    std::filesystem::create_symlink(dir / "inside.target", dir / "in.light");
    EXPECT_TRUE(LightConfigFile::EffectPath(dir.Path(), "out").empty());
    EXPECT_TRUE(config.ReadSteps("out").empty());
    ASSERT_EQ(config.ReadSteps("in").size(), 1u);
    EXPECT_EQ(config.ReadSteps("in")[0].mode, 2);

    // A configuration that is a link out of the folder is not read.
    TempFolder other;
    LightConfigFile linked(other.Path());
    WriteFileBytes(outside / "tavix_light.config", R"({"LightInfo": [[{"LightName": "x", "Guid": "y"}]]})");
    std::filesystem::create_symlink(outside / "tavix_light.config", linked.ConfigPath());
    EXPECT_TRUE(linked.Effects(0).empty());
}

TEST_F(LightConfigFileTest, FilesThatCannotBeUsedAreKeptAsideBeforeBeingReplaced)
{
    const std::string brokenConfig = "{\"LightInfo\": [[{\"LightName\": \"Old\", \"Guid\": \"old\"}]";
    WriteFileBytes(config.ConfigPath(), brokenConfig);
    ASSERT_EQ(config.SaveEffect(0, "New", TwoSteps()), 0);
    std::vector<std::string> aside = KeptAside(config.ConfigPath());
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_EQ(ReadFileBytes(aside[0]), brokenConfig);
    ASSERT_EQ(config.Effects(0).size(), 1u);

    // An effect whose frame file is damaged gets new frames; the old bytes stay beside it.
    const std::string id = config.Effects(0)[0].id;
    const std::string framePath = dir / (id + ".light");
    WriteFileBytes(framePath, "[1, 2");
    ASSERT_EQ(config.SaveEffect(0, "New", {TwoSteps()[1]}), 0);
    aside = KeptAside(framePath);
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_EQ(ReadFileBytes(aside[0]), "[1, 2");
    ExpectSameSteps(config.ReadSteps(id), {TwoSteps()[1]});
}

} // namespace
