#include "profile/CMouseProfiledata.h"
#include "profile/JsonFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>

using testsupport::ReadFileBytes;
using testsupport::TempFolder;
using testsupport::WriteFileBytes;

namespace {

const char kDefaultProfile[] = R"({
  "Device": [{
    "LightInfo": {"SelectItem": 2, "Light": 4, "Speed": 3, "Fx": 1, "MultiColor": 1, "Red": 10, "Green": 20,
                  "Blue": 30, "ZZCCLedMode": 0, "CustomGroup": 0, "OldLedmode": 2},
    "KeyList": [{"Assignment": 1048832, "DefaultAssignment": 1048832}],
    "DPIStages": {"StageActive": 1, "StageDPIs": [
      {"StageActive": 1, "StageXY": 0, "StageDPIX": 7, "StageDPIY": 7, "StageColorR": 255, "StageColorG": 0, "StageColorB": 0}]}
  }],
  "profilename": "Default", "profileUUID": "", "Vendor": "kept"
})";

class ProfileFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteFileBytes(defaultPath, kDefaultProfile);
        profile.SetDefaultProfilePath(defaultPath);
        profile.SetProfilePath(userPath);
    }
    Json::Value ReadBack(const std::string& path) { return JsonFile().ReadJsonDocument(path); }

    TempFolder dir;
    std::string defaultPath = dir / "mouse.Json";
    std::string userPath = dir / "2026_01_02_03_04_05_006.Json";
    CMouseProfiledata profile;
};

TEST_F(ProfileFiles, LoadRepairsAFileWithoutDeviceNodeFromTheDefaultAndKeepsItsOtherMembers)
{
    WriteFileBytes(userPath, R"({"profilename": "Mine", "profileUUID": "2026_01_02_03_04_05_006", "Device": [7]})");
    Json::Value node = profile.LoadProfile(userPath);
    EXPECT_EQ(node["LightInfo"]["Red"].asInt(), 10);
    Json::Value written = ReadBack(userPath);
    EXPECT_EQ(written["profilename"].asString(), "Mine");
    EXPECT_EQ(written["Device"][0], node);

    // Both files missing: a null node, and a file whose "Device" holds one null.
    std::remove(defaultPath.c_str());
    std::string other = dir / "other.Json";
    EXPECT_TRUE(profile.LoadProfile(other).isNull());
    Json::Value devices = ReadBack(other)["Device"];
    ASSERT_EQ(devices.size(), 1u);
    EXPECT_TRUE(devices[0].isNull());
}

TEST_F(ProfileFiles, LoadingABrokenDefaultThroughItsOwnPathNeverWritesIt)
{
    WriteFileBytes(defaultPath, "{broken");
    EXPECT_TRUE(profile.LoadProfile(defaultPath).isNull());
    EXPECT_EQ(ReadFileBytes(defaultPath), "{broken");
}

TEST_F(ProfileFiles, TheDefaultProfileIsNeverWritten)
{
    const std::string before = ReadFileBytes(defaultPath);
    // A device without a profile list of its own works on the default profile in memory.
    profile.SetProfilePath(defaultPath);
    profile.LoadProfile(defaultPath);
    profile.SetLightInfo(LightInfo {});
    profile.SetDpiStages({});
    EXPECT_EQ(profile.SaveProfile(), -1);
    EXPECT_EQ(profile.SaveOtherProfile(defaultPath), -1);
    EXPECT_EQ(profile.WriteDocument(Json::Value(Json::objectValue), defaultPath), -1);
    EXPECT_EQ(ReadFileBytes(defaultPath), before);
}

TEST_F(ProfileFiles, MembersTheProgramDoesNotKnowSurviveEverySetterAndSave)
{
    WriteFileBytes(userPath, R"({"Device": [{"LightInfo": {"Light": 1, "Future": "glow"}, "Macro2": [1, 2],
                                   "DPIStages": {"StageActive": 0, "Curve": 3, "StageDPIs": [{"StageDPIX": 7, "Lod": 2}]},
                                   "SystemStages": {"MouseSpeed": 3, "Accel": true}}],
                                 "profilename": "Mine", "Extra": {"kept": 1}})");
    profile.LoadProfile(userPath);
    profile.SetLightInfo(profile.GetLightInfo());
    profile.SetAudioLightInfo(profile.GetAudioLightInfo());
    profile.SetDpiStages(profile.GetDpiStages());
    profile.SetActiveStage(0);
    profile.SetMouseSystem(profile.GetMouseSystem());
    ASSERT_EQ(profile.SaveProfile(), 0);
    Json::Value written = ReadBack(userPath);
    const Json::Value& node = written["Device"][0];
    EXPECT_EQ(node["LightInfo"]["Future"], "glow");
    EXPECT_EQ(node["Macro2"].size(), 2u);
    EXPECT_EQ(node["DPIStages"]["Curve"], 3);
    EXPECT_EQ(node["DPIStages"]["StageDPIs"][0]["Lod"], 2);
    EXPECT_EQ(node["SystemStages"]["Accel"], true);
    EXPECT_EQ(written["Extra"]["kept"], 1);
    EXPECT_EQ(written["profilename"], "Mine");
}

TEST_F(ProfileFiles, EveryRecordSurvivesSaveAndReload)
{
    WriteFileBytes(userPath, kDefaultProfile);
    profile.LoadProfile(userPath);
    LightInfo light {5, 4, 2, 1, 1, 200, 100, 50, {9, 9, 9}, 3, 2, 7};
    AudioLightInfo audio {2, 1, 2, 3, 4, 5, 6, 1, 0};
    std::vector<DpiStage> stages {{1, 0, 7, 7, 255, 0, 0}, {1, 1, 15, 31, 0, 255, 0}, {0, 0, 319, 319, 0, 0, 255}};
    MouseSystemSettings system;
    for (int i = 0; i < MouseSystemSettings::Count; ++i)
        system.words[i] = i == MouseSystemSettings::Unused ? 0 : static_cast<uint16_t>(1000 + i);
    std::vector<KeyAssignment> keys {{{0, {0x13, 0x01, 0x00}}, {0, {0x10, 0x01, 0x00}}}};
    profile.SetLightInfo(light);
    profile.SetAudioLightInfo(audio);
    profile.SetDpiStages(stages);
    profile.SetActiveStage(2);
    profile.SetMouseSystem(system);
    profile.SetKeyList(keys);
    ASSERT_EQ(profile.SaveProfile(), 0);
    EXPECT_EQ(ReadBack(userPath)["Vendor"].asString(), "kept");

    CMouseProfiledata reloaded;
    reloaded.LoadProfile(userPath);
    LightInfo lightRead = reloaded.GetLightInfo();
    EXPECT_EQ(lightRead.selectItem, 5);
    EXPECT_EQ(lightRead.red, 200);
    EXPECT_EQ(lightRead.oldLedMode, 7);
    EXPECT_EQ(lightRead.deviceBytes[0], 0); // never stored
    AudioLightInfo audioRead = reloaded.GetAudioLightInfo();
    EXPECT_EQ(audioRead.foreBlue, 6);
    EXPECT_EQ(audioRead.colorTypeFlag, 1); // stored 0, always reads 1
    EXPECT_EQ(reloaded.GetDpiStages(), stages);
    EXPECT_EQ(reloaded.GetActiveStage(), 2);
    EXPECT_EQ(reloaded.GetMouseSystem(), system);
    std::vector<KeyAssignment> keysRead = reloaded.GetKeyList();
    ASSERT_EQ(keysRead.size(), 1u);
    EXPECT_EQ(keysRead[0].current.function, (KeyFunction {0x13, 0x01, 0x00}));
    EXPECT_EQ(keysRead[0].defaults.function, (KeyFunction {0x10, 0x01, 0x00})); // from the file, not the setter
    EXPECT_EQ(reloaded.RepairCount(), 0);
}

TEST_F(ProfileFiles, FieldsReadAsTheFormatSaysAndMissingKeysAreSavedAsNull)
{
    WriteFileBytes(userPath, R"({"Device": [{
        "LightInfo": {"Red": 300, "MultiColor": 5, "Light": 9},
        "AudioLightInfo": {"ColorTypeFlags": 0},
        "KeyList": [{"Assignment": 4294967295, "DefaultAssignment": 1049600}, {"Assignment": 131844}],
        "DPIStages": {"StageActive": 40, "StageDPIs": [{"StageDPIX": 70000, "StageColorR": -3, "StageActive": true}]}}]})");
    profile.LoadProfile(userPath);
    LightInfo light = profile.GetLightInfo();
    EXPECT_EQ(light.red, 255);     // clamped into the byte, not cut to its low bits
    EXPECT_EQ(light.multiColor, 1);
    EXPECT_EQ(light.brightness, 4); // brightness runs 0..4
    EXPECT_EQ(light.green, 0);
    EXPECT_EQ(profile.GetAudioLightInfo().colorTypeFlag, 1);
    std::vector<KeyAssignment> keys = profile.GetKeyList();
    ASSERT_EQ(keys.size(), 2u);
    // A value beyond 24 bits is no function: the key keeps its factory function.
    EXPECT_EQ(keys[0].current.function, (KeyFunction {0x10, 0x04, 0x00}));
    EXPECT_EQ(keys[1].current.function, (KeyFunction {0x02, 0x03, 0x04}));
    EXPECT_EQ(keys[1].current.keyIndex, 1);
    std::vector<DpiStage> stages = profile.GetDpiStages();
    ASSERT_EQ(stages.size(), 1u);
    EXPECT_EQ(stages[0].dpiX, 65535);
    EXPECT_EQ(stages[0].red, 0);
    EXPECT_EQ(stages[0].enabled, 1);
    EXPECT_EQ(profile.GetActiveStage(), 6);
    EXPECT_GT(profile.RepairCount(), 0);

    ASSERT_EQ(profile.SaveProfile(), 0);
    Json::Value saved = ReadBack(userPath)["Device"][0];
    EXPECT_TRUE(saved["LightInfo"].isMember("Green"));
    EXPECT_TRUE(saved["LightInfo"]["Green"].isNull());
    EXPECT_EQ(saved["LightInfo"]["Red"].asInt(), 300); // reading alone changes no value
}

TEST_F(ProfileFiles, StagesOfAShorterFileLeaveTheLaterHeldStagesAndSettersLeaveOtherElements)
{
    auto stagesFile = [](int count) {
        std::string stages;
        for (int i = 0; i < count; ++i)
            stages += std::string(i ? "," : "") + R"({"StageActive":1,"StageDPIX":)" + std::to_string(100 + i) + "}";
        return R"({"Device":[{"DPIStages":{"StageActive":0,"StageDPIs":[)" + stages + "]}}]}";
    };
    WriteFileBytes(dir / "five.Json", stagesFile(5));
    WriteFileBytes(dir / "three.Json", stagesFile(3));
    profile.LoadProfile(dir / "five.Json");
    profile.GetDpiStages();
    profile.LoadProfile(dir / "three.Json");
    std::vector<DpiStage> stages = profile.GetDpiStages();
    ASSERT_EQ(stages.size(), 5u);
    EXPECT_EQ(stages[4].dpiX, 104);

    // SetDpiStages and SetKeyList write their own positions only.
    profile.SetDpiStages({stages[0]});
    profile.SetKeyList({{{0, {0x10, 0x02, 0x00}}, {}}});
    profile.SetProfilePath(dir / "three.Json");
    profile.SaveProfile();
    Json::Value node = ReadBack(dir / "three.Json")["Device"][0];
    EXPECT_EQ(node["DPIStages"]["StageDPIs"].size(), 3u);
    EXPECT_EQ(node["KeyList"][0]["Assignment"].asInt(), 0x100200);
    EXPECT_FALSE(node["KeyList"][0].isMember("DefaultAssignment"));
}

TEST_F(ProfileFiles, EffectStepsComeOnlyFromAnIdentifierNamedFileBesideTheLightConfiguration)
{
    WriteFileBytes(dir / "2026_01_01_00_00_00_001.light",
                   R"({"LEDEffectList": [{"LEDREGMode": 4, "LEDBrightness": 3, "red": 9, "Time": 500, "Cyle": 2}, 5]})");
    WriteFileBytes(dir / "secret.light", R"({"LEDEffectList": [{"LEDREGMode": 1}]})");
    struct Row {
        const char* guid;
        size_t steps;
    } rows[] = {
        {R"("Guid": "2026_01_01_00_00_00_001")", 2},
        {R"("Guid": "secret")", 0},
        {R"("Guid": "../2026_01_01_00_00_00_001")", 0},
        {R"("Guid": 17)", 0},
        {R"("LightName": "no guid")", 0},
    };
    for (const Row& row : rows) {
        WriteFileBytes(dir / "tavix_light.config", std::string(R"({"LightInfo": [[{}, {)") + row.guid + "}]]}");
        profile.SetLightConfigPath(dir / "tavix_light.config");
        profile.LoadLightConfig(profile.GetLightConfigPath());
        LightInfo light;
        light.selectItem = 1;
        profile.SetLightInfo(light);
        std::vector<LightEffectStep> steps = profile.GetLightEffectSteps();
        ASSERT_EQ(steps.size(), row.steps) << row.guid;
        if (row.steps) {
            EXPECT_EQ(steps[0].mode, 4);
            EXPECT_EQ(steps[0].time, 500);
            EXPECT_EQ(steps[0].cycles, 2);
            EXPECT_EQ(steps[1].mode, 0); // an element that is no object reads as zeros
        }
    }
}

// Damaged device nodes: whatever a file holds, loading and every getter and setter work,
// the records stay in their ranges, and a save writes sections that read back clean.
TEST_F(ProfileFiles, DamagedNodesAreRepairedFieldByField)
{
    const std::string hugeKeyList = [] {
        std::string list = "[";
        for (int i = 0; i < 5000; ++i)
            list += std::string(i ? "," : "") + R"({"Assignment":1})";
        return list + "]";
    }();
    const std::string rows[] = {
        R"({"Device": [{"LightInfo": "red", "AudioLightInfo": [1], "LightList": {"a": 1}, "KeyList": 5}]})",
        R"({"Device": [{"LightInfo": {"Red": "12", "Light": [], "Speed": {}, "MultiColor": "yes"}}]})",
        R"({"Device": [{"KeyList": {"0": 1}, "DPIStages": [], "SystemStages": "fast", "ReportStages": 3}]})",
        R"({"Device": [{"KeyList": [null, 3, "x", {"Assignment": "abc", "DefaultAssignment": -5}]}]})",
        R"({"Device": [{"DPIStages": {"StageActive": "2", "StageDPIs": "many"}}]})",
        R"({"Device": [{"DPIStages": {"StageDPIs": [1, null, {"StageDPIX": 1e300}, {}, {}, {}, {}, {}, {}]}}]})",
        R"({"Device": [{"SystemStages": {"MouseSpeed": -1e300}, "ReportStages": {"Ripple": 1.5}}]})",
        R"({"Device": [{"LightList": [null, 1, {"LEDBrightness": 200, "LEDSpeed": -4, "red": 3.9}]}]})",
        R"({"Device": {"LightInfo": {}}})",
        R"({"Device": "x"})",
        R"([1, 2, 3])",
        R"("just text")",
        R"({"Device": [{"KeyList": )" + hugeKeyList + "}]}",
        R"({"Device": [{"LightInfo": {"Red": [[[[[[[[[[[[[[[[[[[[1]]]]]]]]]]]]]]]]]]]}}]})",
    };
    for (const std::string& row : rows) {
        SCOPED_TRACE(row);
        WriteFileBytes(userPath, row);
        CMouseProfiledata damaged;
        damaged.SetDefaultProfilePath(defaultPath);
        damaged.SetProfilePath(userPath);
        damaged.LoadProfile(userPath);
        LightInfo light = damaged.GetLightInfo();
        EXPECT_LE(light.brightness, CBasicProfiledata::kMaxBrightness);
        EXPECT_LE(light.speed, CBasicProfiledata::kMaxSpeed);
        EXPECT_LE(light.multiColor, 1);
        damaged.GetAudioLightInfo();
        for (const LightListEntry& entry : damaged.GetLightList())
            EXPECT_LE(entry.brightness, CBasicProfiledata::kMaxBrightness);
        std::vector<KeyAssignment> keys = damaged.GetKeyList();
        EXPECT_LE(keys.size(), CBasicProfiledata::kMaxKeys);
        EXPECT_LE(damaged.GetDpiStages().size(), CMouseProfiledata::kMaxDpiStages);
        EXPECT_LE(damaged.GetActiveStage(), 6);
        MouseSystemSettings system = damaged.GetMouseSystem();

        damaged.SetLightInfo(light);
        damaged.SetAudioLightInfo({});
        damaged.SetKeyList({{}, {}});
        damaged.SetDpiStages({{1, 0, 7, 7, 1, 2, 3}});
        damaged.SetActiveStage(0);
        damaged.SetMouseSystem(system);
        ASSERT_EQ(damaged.SaveProfile(), 0);

        CMouseProfiledata reloaded;
        reloaded.LoadProfile(userPath);
        reloaded.GetLightInfo();
        reloaded.GetAudioLightInfo();
        reloaded.GetMouseSystem();
        EXPECT_EQ(reloaded.RepairCount(), 0);
        EXPECT_EQ(reloaded.GetDpiStages()[0], (DpiStage {1, 0, 7, 7, 1, 2, 3}));
    }
}

} // namespace
