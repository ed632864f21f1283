#include "macro/MacroFile.h"
#include "profile/CHs6533Profiledata.h"
#include "profile/CKeyboardProfiledata.h"
#include "profile/CMouseProfiledata.h"
#include "profile/JsonFile.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>

namespace {

// The shipped files, read where they lie in the source tree.
std::string DefaultData(const std::string& name)
{
    return std::string(QV742_TEST_SOURCE_DIR) + "/data/DefaultData/" + name;
}

// Loads a default profile the way a device model reads it and takes every common record.
void ExpectCompleteCommonSections(CBasicProfiledata& profile, const std::string& path, size_t keys)
{
    profile.SetDefaultProfilePath(path);
    ASSERT_TRUE(profile.LoadProfile(path).isObject()) << path;
    LightInfo light = profile.GetLightInfo();
    EXPECT_GT(light.brightness, 0);
    profile.GetAudioLightInfo();
    profile.GetLightList();
    std::vector<KeyAssignment> list = profile.GetKeyList();
    ASSERT_EQ(list.size(), keys) << path;
    for (const KeyAssignment& key : list)
        EXPECT_EQ(key.current, key.defaults) << path;
}

TEST(DefaultData, ProfilesAreCompleteAndNeedNoRepair)
{
    CMouseProfiledata mouse;
    ExpectCompleteCommonSections(mouse, DefaultData("mouse.Json"), 11);
    const KeyFunction factory[11] = {{0x10, 0x01, 0}, {0x10, 0x02, 0}, {0x10, 0x04, 0}, {0x10, 0x10, 0},
                                     {0x10, 0x08, 0}, {0x13, 0x01, 0}, {0x13, 0x02, 0}, {0x13, 0x03, 0},
                                     {0xA0, 0x1B, 0}, {0x16, 0x90, 0x01}, {0x14, 0x78, 0x02}};
    std::vector<KeyAssignment> buttons = mouse.GetKeyList();
    for (size_t j = 0; j < 11; ++j)
        EXPECT_EQ(buttons[j].defaults.function, factory[j]) << "button " << j;

    std::vector<DpiStage> stages = mouse.GetDpiStages();
    ASSERT_EQ(stages.size(), 7u);
    std::set<uint32_t> colours;
    for (const DpiStage& stage : stages) {
        EXPECT_EQ(stage.enabled, 1);
        colours.insert(stage.red << 16 | stage.green << 8 | stage.blue);
    }
    EXPECT_EQ(colours.size(), 7u);
    // Resolution indexes of the 0x3395 sensor: DPI = 50 * index + 50.
    EXPECT_EQ(50 * stages.front().dpiX + 50, 400);
    EXPECT_EQ(50 * stages.back().dpiX + 50, 16000);
    EXPECT_LT(mouse.GetActiveStage(), 7);
    MouseSystemSettings system = mouse.GetMouseSystem();
    EXPECT_GT(system.words[MouseSystemSettings::DeviceSleep1], 0);
    EXPECT_EQ(mouse.RepairCount(), 0);

    CKeyboardProfiledata keyboard;
    ExpectCompleteCommonSections(keyboard, DefaultData("keyboard.Json"), 170);
    EXPECT_EQ(keyboard.GetKeyList()[0].defaults.function, (KeyFunction {0x20, 0x00, 0x29}));
    EXPECT_EQ(keyboard.RepairCount(), 0);
    CBasicProfiledata pad;
    ExpectCompleteCommonSections(pad, DefaultData("MousePad.Json"), 0);
    EXPECT_EQ(pad.RepairCount(), 0);
    CHs6533Profiledata headset;
    ExpectCompleteCommonSections(headset, DefaultData("HD.Json"), 0);
    EXPECT_EQ(headset.RepairCount(), 0);
}

TEST(DefaultData, ShootingPatternsHoldThirtyShotsEach)
{
    for (int gun = 0; gun < 4; ++gun) {
        SCOPED_TRACE(gun);
        JsonFieldReader fields;
        std::vector<MacroEvent> events = MacroFile::ReadEvents(DefaultData("ShootData_" + std::to_string(gun) + ".Shoot"), fields);
        ASSERT_EQ(events.size(), 180u);
        EXPECT_EQ(fields.Repairs(), 0);
        for (size_t shot = 0; shot < 30; ++shot) {
            const MacroEvent* e = &events[6 * shot];
            EXPECT_EQ(e[0], (MacroEvent {MacroEventType::MouseButton, 1, true, 10}));
            EXPECT_EQ(e[1], (MacroEvent {MacroEventType::MouseButton, 1, false, 0}));
            EXPECT_EQ(e[2].type, MacroEventType::MoveHorizontal);
            EXPECT_EQ(e[3].type, MacroEventType::MoveVertical);
            EXPECT_FALSE(e[3].down); // recoil is pulled down
            EXPECT_GT(e[3].button, 0);
            EXPECT_GT(e[3].delay, 0);
        }
    }
}

TEST(DefaultData, LightModesAudioStylesAndSwatchesAreComplete)
{
    JsonFile json;
    JsonFieldReader fields;
    Json::Value light = json.ReadJsonDocument(DefaultData("default_light.json"));
    ASSERT_TRUE(light["DefaultLightName"].isArray());
    const Json::ArrayIndex modesPerFamily[] = {31, 12, 9, 9}; // keyboard, mouse, mouse pad, headset
    for (Json::ArrayIndex family = 0; family < 4; ++family) {
        const Json::Value& modes = light["DefaultLightName"][family];
        ASSERT_EQ(modes.size(), modesPerFamily[family]);
        for (const Json::Value& mode : modes) {
            EXPECT_TRUE(fields.Text(mode["LightName"]).starts_with("light_mode_"));
            EXPECT_TRUE(mode["visible"].isBool());
            fields.Int(mode["value"], 0, 255);
        }
        EXPECT_TRUE(light["AreaLightName"][family].isArray());
    }

    Json::Value styles = json.ReadJsonDocument(DefaultData("AudioFile.json"))["Device"]["AudioLightInfo"];
    fields.Int(styles["nAudioStyle"], 0, 3);
    for (int i = 0; i < 4; ++i) {
        EXPECT_FALSE(fields.Text(styles["nStyleName" + std::to_string(i + 1)]).empty());
        for (const char* channel : {"nStyleR", "nStyleG", "nStyleB"})
            fields.Int(styles[channel + std::to_string(i)], 0, 9);
    }

    Json::Value swatches = json.ReadJsonDocument(DefaultData("color_option_info.config"))["coloroptioninfo"];
    const std::regex colour("[0-9A-F]{8}");
    for (const char* list : {"palletDialogcoloroption", "palletDialogcollectcoloroption"}) {
        ASSERT_EQ(swatches[list].size(), 20u) << list;
        for (const Json::Value& swatch : swatches[list])
            EXPECT_TRUE(std::regex_match(fields.Text(swatch["color"]), colour));
        fields.Int(swatches[std::string(list) + "_selectitem"], 0, 19);
    }
    EXPECT_EQ(fields.Repairs(), 0);
}

} // namespace
