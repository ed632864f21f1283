#include "channel/DeviceChannel.h"
#include "device/MouseCommandSet.h"
#include "macro/MacroFile.h"
#include "macro/MacroLibrary.h"
#include "profile/CMouseProfiledata.h"
#include "profile/JsonFile.h"
#include "sim/SimulatedDevices.h"
#include "support/SimRequests.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using testsupport::TempFolder;

namespace {

using Bytes = std::vector<uint8_t>;

constexpr int kStageBytes = 14;   // stage i starts at 14 + 9i in the settings record
constexpr int kRecordLength = 86;

std::string DefaultDataFile(const std::string& name)
{
    return std::string(QV742_TEST_SOURCE_DIR) + "/data/DefaultData/" + name;
}

using testsupport::Request;

// The window messages and page steps the command set asks for, in order.
class RecordingHost : public MouseCommandHost {
public:
    void OnInitialisationChecked(bool initialised) override { calls.push_back(initialised ? "init 1" : "init 0"); }
    void OnFirmwareVersion(uint16_t productId, uint16_t version) override
    {
        calls.push_back("firmware " + std::to_string(productId) + " " + std::to_string(version));
    }
    void LoadProfile() override { calls.push_back("LoadProfile"); }
    void RefreshPage() override { calls.push_back("RefreshPage"); }
    void StartLighting() override { calls.push_back("StartLighting"); }

    std::vector<std::string> calls;
};

// The simulated mouse (no latency, no pauses) on a channel, a profile made from the product's
// default profile in a fresh data folder, and the command set between them.
class MouseCommandSetTest : public testing::Test {
protected:
    void SetUp() override
    {
        devices.SetLatencyMs(0);
        devices.PlugList("mouse,receiver");
        channel.SetSleepFunction([](int) {});
        profile.SetDefaultProfilePath(DefaultDataFile("mouse.Json"));
        profile.SetProfilePath(ProfilePath());
        profile.LoadProfile(ProfilePath());
        commands.SetHost(&host);
        commands.SetDeviceFolder(folder.Path());
        commands.SetLightModeValues({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
        commands.SetLogSink([this](const std::string& line) { log.push_back(line); });
        UseWired();
    }

    void UseWired()
    {
        ASSERT_TRUE(channel.WiredDevice().Open(devices.Mouse().Wired().CommandPath(), true, true, true, false));
        channel.SetOpen(true);
        channel.SetMode(1);
    }

    void UseReceiver()
    {
        channel.WiredDevice().Close();
        ASSERT_TRUE(channel.ReceiverDevice().Open(devices.Mouse().Receiver().CommandPath(), true, true, true, false));
        channel.SetOpen(true);
        channel.SetMode(2);
    }

    std::string ProfilePath() const { return folder / "profile.json"; }
    SimFirmware& Firmware() { return devices.Mouse().Firmware(); }

    // Every request since the last ClearRequests, without the receiver's link tests.
    std::vector<Request> Requests() { return testsupport::RequestsWithoutLinkTests(Firmware()); }

    bool Sent(int code)
    {
        for (const Request& r : Requests()) {
            if (r.code == code)
                return true;
        }
        return false;
    }

    void SetInfoByte(int index, uint8_t value)
    {
        Bytes info = Firmware().InfoBlock();
        info[index] = value;
        Firmware().SetInfoBlock(info);
    }

    // A macro of count key steps at the next position of "macro.config"; its file is written
    // directly, so it may hold more steps than the editor saves.
    void AddMacro(MacroLibrary& macros, int count, uint8_t firstUsage = 0x04)
    {
        std::string name;
        ASSERT_EQ(macros.NewMacro(name), kMacroDone);
        std::vector<MacroEvent> events;
        for (int i = 0; i < count; ++i)
            events.push_back({MacroEventType::Key, static_cast<uint8_t>(firstUsage + i), i % 2 == 0, static_cast<uint16_t>(10 + i)});
        const int index = static_cast<int>(macros.Entries().size()) - 1;
        const Json::Value document = MacroFile::Document(name, macros.Entries()[index].guid, events);
        ASSERT_EQ(JsonFile().WriteJsonDocument(macros.MacroFilePath(index), document), 0);
    }

    TempFolder folder;
    SimulatedDevices devices;
    DeviceChannel channel{devices.Bus()};
    CMouseProfiledata profile;
    MouseCommandSet commands{channel, profile};
    RecordingHost host;
    std::vector<std::string> log;
};

// The same tests through the cable and through the receiver.
class MouseConnectionTest : public MouseCommandSetTest, public testing::WithParamInterface<bool> {
protected:
    void SetUp() override
    {
        MouseCommandSetTest::SetUp();
        if (GetParam())
            UseReceiver();
        Firmware().ClearRequests();
    }
    bool ThroughReceiver() const { return GetParam(); }
};

INSTANTIATE_TEST_SUITE_P(WiredAndReceiver, MouseConnectionTest, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) { return info.param ? "Receiver" : "Wired"; });

TEST_P(MouseConnectionTest, StageChangeGoesOutAsOneBracketedRecord)
{
    // The page's "DPI_slider_3" moved to index 100: 5050 DPI on this sensor.
    const int index = 100;
    EXPECT_EQ(commands.Sensor().IndexToDpi(index), 5050);
    std::vector<DpiStage> stages = profile.GetDpiStages();
    commands.Sensor().StoreIndex(stages[3], index);
    profile.SetDpiStages(stages);
    ASSERT_EQ(profile.SaveProfile(), 0);

    ASSERT_EQ(commands.WriteProfileRecord(0, 0), kChannelOk);

    const std::vector<Request> expected =
        ThroughReceiver()
            ? std::vector<Request>{{0x01, 0, 0}, {0x06, 24, 0}, {0x06, 24, 24}, {0x06, 24, 48}, {0x06, 14, 72}, {0x02, 0, 0}}
            : std::vector<Request>{{0x01, 0, 0}, {0x06, 56, 0}, {0x06, 30, 56}, {0x02, 0, 0}};
    EXPECT_EQ(Requests(), expected);
    const Bytes region = Firmware().ProfileRegion();
    const MouseSettingsRecord record = commands.RecordCopy();
    EXPECT_EQ(Bytes(region.begin(), region.begin() + kRecordLength), Bytes(record.Bytes(), record.Bytes() + kRecordLength));
    const int stage3 = kStageBytes + 3 * 9;
    EXPECT_EQ(region[stage3 + 2] | region[stage3 + 3] << 8, index);
    EXPECT_EQ(region[kStageBytes + 2], 7) << "stage 0 as the default profile has it";

    CMouseProfiledata stored;
    stored.LoadProfile(ProfilePath());
    EXPECT_EQ(int{stored.GetDpiStages().at(3).dpiX}, index) << "the profile file was stored first";
}

TEST_P(MouseConnectionTest, DeviceDataReadsElevenKeySlotsAndReportsTheDevice)
{
    ASSERT_EQ(commands.ReadDeviceData(), kChannelOk);

    std::vector<Request> keyReads;
    for (const Request& r : Requests()) {
        if (r.code == kCmdReadKeyBlock)
            keyReads.push_back(r);
    }
    const std::vector<Request> expected = ThroughReceiver() ? std::vector<Request>{{0x07, 24, 0}, {0x07, 9, 24}}
                                                            : std::vector<Request>{{0x07, 33, 0}};
    EXPECT_EQ(keyReads, expected) << "33 bytes in one wired or two receiver packets";
    const Bytes region = Firmware().KeyBlock();
    EXPECT_EQ(commands.KeyBlock(), Bytes(region.begin(), region.begin() + 33));
    for (int button = 0; button < MouseButtonMap::kButtonCount; ++button)
        EXPECT_EQ(commands.ButtonMap().SlotOf(button), button) << "the simulated mouse keeps factory order";
    EXPECT_EQ(commands.Sensor().SliderRange(), (DpiSliderRange{0, 519}));

    // The firmware version goes to the window only from the wired product (0x22A4 = 8868).
    const std::vector<std::string> wired{"init 1", "firmware 8868 259"};
    EXPECT_EQ(host.calls, ThroughReceiver() ? std::vector<std::string>{"init 1"} : wired);
    EXPECT_EQ(log, std::vector<std::string>{"ReadDeviceData>WM_USB_MAINMESS_DEVICE_IS_INITUI    1"});
}

TEST_F(MouseCommandSetTest, InformationBlockCheckRepairsOnlyABlankMarkedBlock)
{
    struct Case {
        uint8_t markLow;
        uint8_t initMark;
        bool repairFails;
        bool initialised;
    };
    const Case cases[] = {
        {0xAA, 0, false, true},  // blank: marked 15, written back, read normally
        {0xAA, 0, true, false},  // blank, but the device refused the mark: the repair button can retry
        {0xAA, 3, false, false}, // something else prepared it
        {0x00, 0, false, false}, // blank but without the validity mark
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mark " << int(c.markLow) << ", byte 7 = " << int(c.initMark)
                                        << (c.repairFails ? ", refused" : ""));
        SetInfoByte(0, c.markLow);
        SetInfoByte(7, c.initMark);
        Firmware().ClearRequests();
        if (c.repairFails)
            Firmware().ScheduleFault(SimFault::StatusFF, 4); // 0x01 0x03 0x02 0x01, then 0x04
        host.calls.clear();
        log.clear();

        EXPECT_EQ(commands.ReadDeviceData(), c.initialised ? kChannelOk : kChannelFailed);
        EXPECT_EQ(host.calls.at(0), c.initialised ? "init 1" : "init 0");
        EXPECT_EQ(log.at(0), std::string("ReadDeviceData>WM_USB_MAINMESS_DEVICE_IS_INITUI    ") + (c.initialised ? "1" : "0"));
        EXPECT_EQ(commands.InfoBlock().initMark, c.initialised ? 15 : c.initMark);
        if (!c.repairFails) {
            EXPECT_EQ(Firmware().InfoBlock()[7], c.initialised ? 15 : c.initMark);
        }
        EXPECT_EQ(Sent(kCmdReadKeyBlock), c.initialised) << "the key block of an unprepared device is not read";
        const std::vector<Request> requests = Requests();
        const std::vector<Request> repair{{0x01, 0, 0}, {0x03, 34, 0}, {0x02, 0, 0}, {0x01, 0, 0}, {0x04, 34, 0}, {0x02, 0, 0}};
        if (c.initialised) {
            ASSERT_GE(requests.size(), repair.size());
            EXPECT_EQ(std::vector<Request>(requests.begin(), requests.begin() + 6), repair);
        }
    }
}

TEST_F(MouseCommandSetTest, ResetMarksTheLastReadBlockAndNeverAnUnreadOne)
{
    EXPECT_EQ(commands.ResetInformationBlock(), kChannelFailed) << "no block read yet";
    EXPECT_TRUE(Firmware().Requests().empty());

    SetInfoByte(7, 3);
    ASSERT_EQ(commands.ReadDeviceData(), kChannelFailed);
    const Bytes before = Firmware().InfoBlock();
    Firmware().ClearRequests();
    ASSERT_EQ(commands.ResetInformationBlock(), kChannelOk);
    EXPECT_EQ(Requests(), (std::vector<Request>{{0x01, 0, 0}, {0x04, 34, 0}, {0x02, 0, 0}}));
    Bytes after = Firmware().InfoBlock();
    EXPECT_EQ(after[7], 15);
    after[7] = before[7];
    EXPECT_EQ(after, before) << "only the initialisation mark changed";
}

TEST_F(MouseCommandSetTest, NonsenseAnswersKeepTheLastGoodImages)
{
    ASSERT_EQ(commands.ReadDeviceData(), kChannelOk);
    ASSERT_EQ(commands.ReadProfileRecord(), 0);
    const Bytes keys = commands.KeyBlock();
    const MouseSettingsRecord record = commands.RecordCopy();
    const LightInfo light = profile.GetLightInfo();

    // 200 key slots (600 bytes) and a sensor whose step of 0 makes no rule.
    SetInfoByte(5, 200);
    SetInfoByte(9, 0x34);
    SetInfoByte(10, 0x12);
    SetInfoByte(11, 0);
    Firmware().ClearRequests();
    EXPECT_EQ(commands.ReadDeviceData(), kChannelFailed);
    EXPECT_FALSE(Sent(kCmdReadKeyBlock));
    EXPECT_EQ(commands.KeyBlock(), keys);
    EXPECT_EQ(commands.ButtonMap().SlotOf(10), 10);
    EXPECT_EQ(commands.Sensor().Id(), 0x3395);

    // An active profile past the device's eight records, one past the notice range, a failing record read.
    Firmware().WriteProfileRegion(0, {9});
    EXPECT_EQ(commands.ReadProfileRecord(), kChannelFailed);
    Firmware().WriteProfileRegion(0, {0x20});
    Firmware().ClearRequests();
    EXPECT_EQ(commands.ReadProfileRecord(), kChannelFailed);
    EXPECT_EQ(Requests().size(), 1u) << "only the active profile was read";
    Firmware().WriteProfileRegion(0, {2});
    Firmware().ScheduleFault(SimFault::StatusFE, 1);
    EXPECT_EQ(commands.ReadProfileRecord(), kChannelFailed);

    const MouseSettingsRecord kept = commands.RecordCopy();
    EXPECT_EQ(Bytes(kept.Bytes(), kept.Bytes() + kRecordLength), Bytes(record.Bytes(), record.Bytes() + kRecordLength));
    EXPECT_EQ(profile.GetLightInfo().selectItem, light.selectItem);
}

TEST_F(MouseCommandSetTest, AnUnusableSensorKeepsTheLastValuesButLaysOutStagesAsItsOwn)
{
    SetInfoByte(9, 0x25);
    SetInfoByte(10, 0x89);
    ASSERT_EQ(commands.ReadDeviceData(), kChannelOk);
    // Another mouse whose sensor 0x1234 has a step of 0: no rule of its own.
    SetInfoByte(9, 0x34);
    SetInfoByte(10, 0x12);
    SetInfoByte(11, 0);
    ASSERT_EQ(commands.ReadDeviceData(), kChannelOk);
    EXPECT_EQ(commands.Sensor().IndexToDpi(120), 7100) << "values by the last usable rule";
    DpiStage stage;
    commands.Sensor().StoreIndex(stage, 300);
    const auto* bytes = reinterpret_cast<const uint8_t*>(&stage);
    EXPECT_EQ(bytes[2], 300 & 0xFF) << "only sensor 0x8925 repeats one byte";
    EXPECT_EQ(bytes[3], 300 >> 8);
}

TEST_F(MouseCommandSetTest, RefusedRecordWriteEndsWithTheChannelCodeAndKeepsTheCopy)
{
    ASSERT_EQ(commands.ReadProfileRecord(), 0);
    const MouseSettingsRecord before = commands.RecordCopy();
    profile.SetActiveStage(6);
    Firmware().ScheduleFault(SimFault::StatusFE, 2); // the second record packet
    EXPECT_EQ(commands.WriteProfileRecord(0, 0), kChannelStatusFE);
    EXPECT_EQ(Requests().back(), (Request{0x06, 30, 56})) << "stops at the refused packet";
    EXPECT_EQ(commands.RecordCopy().currentStage, before.currentStage);
}

TEST_F(MouseCommandSetTest, ButtonWithoutItsFactoryCodeHasNoSlotAndIsNeverWritten)
{
    // Slot 3 holds key 'A' where the forward button's code 10 10 00 was.
    const Bytes region = Firmware().KeyBlock();
    Bytes block(region.begin(), region.begin() + 33);
    block[9] = 0x20;
    block[10] = 0x00;
    block[11] = 0x04;
    ASSERT_EQ(channel.SetBlockLength(33), kChannelOk);
    ASSERT_EQ(channel.WriteKeyBlock(0, block.data()), kChannelOk);
    ASSERT_EQ(commands.ReadDeviceData(), kChannelOk);
    EXPECT_EQ(commands.ButtonMap().SlotOf(3), MouseButtonMap::kNoSlot);

    std::vector<KeyAssignment> keys = profile.GetKeyList();
    keys[0].current.function = KeyFunction::FromPacked(0x100200); // left button acts as right
    keys[3].current.function = KeyFunction::FromPacked(0x100100);
    ASSERT_EQ(commands.WriteKeyAssignments(0, keys), kChannelOk);
    const Bytes written = Firmware().KeyBlock();
    EXPECT_EQ(Bytes(written.begin(), written.begin() + 3), (Bytes{0x10, 0x02, 0x00}));
    EXPECT_EQ(Bytes(written.begin() + 9, written.begin() + 12), (Bytes{0x20, 0x00, 0x04}));
    EXPECT_EQ(commands.WriteKeyAssignments(1, keys), kChannelBadPage);
}

TEST_F(MouseCommandSetTest, RecordReadTakesTheDeviceFieldsAndKeepsTheHostStages)
{
    const Bytes region = Firmware().ProfileRegion();
    Bytes record(region.begin() + 2 * 128, region.begin() + 2 * 128 + kRecordLength);
    record[1] = 5;        // lighting mode, found at position 1 of the mode values below
    record[3] = 1;        // speed 3
    record[4] = 1;        // direction: not taken
    record[11] = 2;       // report rate
    record[12] = 4;       // current stage
    record[kStageBytes + 2] = 99; // stage 0 index: not taken
    record[77] = 3;
    record[80] = 30;
    record[81] = 4;       // debounce
    record[82] = 1;       // lift-off: not taken
    record[84] = 1;       // ripple
    Firmware().WriteProfileRegion(2 * 128, record);
    Firmware().WriteProfileRegion(0, {2});
    commands.SetLightModeValues({6, 5, 4});
    const std::vector<DpiStage> stages = profile.GetDpiStages();

    ASSERT_EQ(commands.ReadProfileRecord(), 2);

    CMouseProfiledata stored;
    stored.LoadProfile(ProfilePath());
    const LightInfo light = stored.GetLightInfo();
    EXPECT_EQ(light.selectItem, 1);
    EXPECT_EQ(light.speed, 3);
    EXPECT_EQ(light.direction, 1) << "the default profile's direction";
    const MouseSystemSettings system = stored.GetMouseSystem();
    EXPECT_EQ(system.words[MouseSystemSettings::ReportRate], 2);
    EXPECT_EQ(system.words[MouseSystemSettings::BleSleep1], 3);
    EXPECT_EQ(system.words[MouseSystemSettings::DeviceSleep2], 30);
    EXPECT_EQ(system.words[MouseSystemSettings::KeyDebounceTime], 4);
    EXPECT_EQ(system.words[MouseSystemSettings::Ripple], 1);
    EXPECT_EQ(system.words[MouseSystemSettings::SilentAltitude], 0);
    EXPECT_EQ(stored.GetDpiStages(), stages);
    EXPECT_EQ(stored.GetActiveStage(), 4);
    EXPECT_EQ(commands.RecordCopy().profile, 2);
}

TEST_F(MouseCommandSetTest, RecordWriteCarriesEveryHostSettingInItsByte)
{
    LightInfo light = profile.GetLightInfo();
    light.selectItem = 12; // a custom effect: the device gets mode 0
    light.speed = 1;
    light.direction = 1;
    profile.SetLightInfo(light);
    MouseSystemSettings system;
    for (int word = 0; word < MouseSystemSettings::Count; ++word)
        system.words[word] = static_cast<uint16_t>(100 + word);
    system.words[MouseSystemSettings::ReportRate] = 3;
    profile.SetMouseSystem(system);
    profile.SetActiveStage(5);

    ASSERT_EQ(commands.WriteProfileRecord(0, 0), kChannelOk);
    const Bytes region = Firmware().ProfileRegion();
    const std::pair<int, int> bytes[] = {
        {0, 0}, {1, 0}, {2, 4}, {3, 3}, {4, 1}, {5, 1}, {6, 0}, {7, 200}, {8, 255}, {11, 3}, {12, 5},
        {77, 110}, {78, 111}, {79, 112}, {80, 113}, {81, 114}, {82, 106}, {83, 107}, {84, 108}, {85, 0},
    };
    for (const auto& [index, value] : bytes)
        EXPECT_EQ(region[index], value) << "record byte " << index;
}

TEST_F(MouseCommandSetTest, StagesBeyondTheProfileListGoAsZero)
{
    const std::vector<DpiStage> stages = profile.GetDpiStages();
    // A profile object that never held more than three stages.
    CMouseProfiledata three;
    three.SetDpiStages({stages[0], stages[1], stages[2]});
    MouseCommandSet shortCommands(channel, three);
    ASSERT_EQ(shortCommands.WriteProfileRecord(0, 0), kChannelOk);
    const Bytes region = Firmware().ProfileRegion();
    EXPECT_EQ(region[kStageBytes + 2 * 9 + 2], 31) << "stage 2 index";
    EXPECT_EQ(Bytes(region.begin() + kStageBytes + 3 * 9, region.begin() + 77), Bytes(4 * 9, 0));
}

TEST_F(MouseCommandSetTest, NoticeMakesProfileThreeActiveAndStageTwoCurrent)
{
    HidDevice notices(devices.Bus());
    ASSERT_TRUE(notices.Open(devices.Mouse().Wired().NotificationPath(), true, true, true, false));
    devices.Mouse().SelectProfile(3);
    devices.Mouse().SelectDpiStage(2);
    std::vector<MouseNoticeEffect> effects;
    for (int i = 0; i < 2; ++i) {
        size_t got = 0;
        ASSERT_TRUE(notices.ReadInputReport(notices.InputReportBuffer(), notices.InputReportLength(), got, 1000));
        const uint8_t* report = notices.InputReportBuffer();
        effects.push_back(commands.OnDeviceNotice(static_cast<uint16_t>(report[1] | report[2] << 8)));
    }
    EXPECT_EQ(effects[0], (MouseNoticeEffect{true, -1})) << "0x1003";
    EXPECT_EQ(effects[1], (MouseNoticeEffect{true, 2})) << "0x1123";
    EXPECT_EQ(commands.RecordCopy().profile, 3);
    EXPECT_EQ(commands.RecordCopy().currentStage, 2);

    commands.ApplyNoticeEffect(effects[1]);
    CMouseProfiledata stored;
    stored.LoadProfile(ProfilePath());
    stored.GetDpiStages();
    EXPECT_EQ(stored.GetActiveStage(), 2) << "what the page shows after the UI thread runs";

    for (uint16_t ignored : {0x0F01, 0x0401, 0x0403, 0x1170}) // 0x1170: stage 7 does not exist
        EXPECT_EQ(commands.OnDeviceNotice(ignored), (MouseNoticeEffect{ignored == 0x1170, -1})) << std::hex << ignored;
    EXPECT_EQ(commands.RecordCopy().profile, 0) << "0x1170 names profile 0";
    EXPECT_EQ(commands.RecordCopy().currentStage, 2);
    channel.SetOpen(false);
    EXPECT_EQ(commands.OnDeviceNotice(0x1125), MouseNoticeEffect{}) << "not connected";
}

TEST_F(MouseCommandSetTest, MacrosUploadInFirstUseOrderUnderCompactNumbers)
{
    MacroLibrary macros;
    macros.SetFolder(folder.Path());
    macros.LoadMacroList();
    for (int i = 0; i < 6; ++i)
        AddMacro(macros, i == 5 ? 1 : 2, static_cast<uint8_t>(0x04 + 8 * i));
    ASSERT_EQ(commands.ReadDeviceData(), kChannelOk);

    std::vector<KeyAssignment> keys = profile.GetKeyList();
    keys[1].current.function = KeyFunction::FromPacked(0x700501);  // macro 5, repeat mode 1
    keys[3].current.function = KeyFunction::FromPacked(0x710203);  // macro 2, 3 times
    keys[4].current.function = KeyFunction::FromPacked(0x700500);  // macro 5 again
    keys[5].current.function = KeyFunction::FromPacked(0x700900);  // no macro 9: default function
    const std::vector<int> used = commands.GetUsedMacros(keys);
    EXPECT_EQ(used, (std::vector<int>{5, 2}));

    ASSERT_EQ(commands.WriteMacros(used), 0);
    // Entry 0 is macro 5 (one step, usage 0x2C), entry 1 macro 2 (two steps from usage 0x14).
    const Bytes container{0xAA, 0x55, 40, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, // header
                          20, 0, 28, 0,                                           // entry offsets
                          1, 0, 0, 0, 10, 0, 0x8A, 0x2C,                          // macro 5
                          2, 0, 0, 0, 10, 0, 0x8A, 0x14, 11, 0, 0x0A, 0x15};      // macro 2
    const Bytes memory = Firmware().MacroMemory();
    EXPECT_EQ(Bytes(memory.begin(), memory.begin() + 40), container);

    ASSERT_EQ(commands.WriteKeyAssignments(0, keys), kChannelOk);
    const Bytes block = Firmware().KeyBlock();
    auto slot = [&](int k) { return Bytes(block.begin() + 3 * k, block.begin() + 3 * k + 3); };
    EXPECT_EQ(slot(1), (Bytes{0x70, 0, 1}));
    EXPECT_EQ(slot(3), (Bytes{0x71, 1, 3}));
    EXPECT_EQ(slot(4), (Bytes{0x70, 0, 0}));
    EXPECT_EQ(slot(5), (Bytes{0x13, 0x01, 0x00})) << "the DPI+ button's default";
    EXPECT_EQ(commands.KeyBlock(), Bytes(block.begin(), block.begin() + 33));
}

TEST_F(MouseCommandSetTest, UploadSeesTheMacrosOfARepairedIndex)
{
    MacroLibrary macros;
    macros.SetFolder(folder.Path());
    macros.LoadMacroList();
    AddMacro(macros, 1, 0x2C);
    // The index breaks; the macro panel rebuilds it from the macro files, so must the upload.
    testsupport::WriteFileBytes(folder / "macro.config", R"({"MacroInfo": [)");
    ASSERT_EQ(commands.ReadDeviceData(), kChannelOk);
    std::vector<KeyAssignment> keys = profile.GetKeyList();
    keys[1].current.function = KeyFunction::FromPacked(0x700001); // macro 0
    const std::vector<int> used = commands.GetUsedMacros(keys);
    ASSERT_EQ(used, (std::vector<int>{0}));
    ASSERT_EQ(commands.WriteMacros(used), 0);
    const Bytes memory = Firmware().MacroMemory();
    EXPECT_EQ(Bytes(memory.begin() + 18, memory.begin() + 26), (Bytes{1, 0, 0, 0, 10, 0, 0x8A, 0x2C}));
}

TEST_F(MouseCommandSetTest, OverlongMacroAndFullMemoryAreRefusedBeforeSending)
{
    struct Case {
        int events;
        uint8_t macroUnits;
        int result;
    };
    const Case cases[] = {
        {61, 16, 61}, // more than 60 steps: the step count
        {30, 1, 4},   // 16 + 6 + 120 = 142 bytes in 128: (142 - 128) / 4 + 1 steps to remove
        {26, 1, 0},   // 126 bytes fit
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.events << " events, " << int(c.macroUnits) << " units");
        TempFolder macroFolder;
        MacroLibrary macros;
        macros.SetFolder(macroFolder.Path());
        AddMacro(macros, c.events);
        commands.SetDeviceFolder(macroFolder.Path());
        SetInfoByte(6, c.macroUnits);
        Firmware().ClearRequests();

        EXPECT_EQ(commands.WriteMacros({0}), c.result);
        EXPECT_EQ(Sent(kCmdWriteMacroData), c.result == 0);
        EXPECT_EQ(Sent(kCmdEnterConfigMode), c.result == 0);
    }
}

TEST_F(MouseCommandSetTest, ShootingPatternsGoOutAsFourEntriesIn56BytePackets)
{
    for (int i = 0; i < 4; ++i) {
        const std::string name = "ShootData_" + std::to_string(i) + ".Shoot";
        std::filesystem::copy_file(DefaultDataFile(name), folder / name);
    }
    UseReceiver();
    Firmware().ClearRequests();
    ASSERT_EQ(commands.WriteShootingData(), kChannelOk);

    const int total = 16 + 6 * 4 + 4 * 4 * 180;
    const Bytes memory = Firmware().PatternMemory();
    EXPECT_EQ(Bytes(memory.begin(), memory.begin() + 6), (Bytes{0xAA, 0x55, total & 0xFF, total >> 8, 4, 0}));
    EXPECT_EQ(memory[16] | memory[17] << 8, 24) << "entry 0 follows the offset table";
    EXPECT_EQ(Bytes(memory.begin() + 24, memory.begin() + 32), (Bytes{180, 0, 0, 0, 10, 0, 0x81, 1}))
        << "180 events; the first is a left-button press with 10 ms";
    int packets = 0;
    for (const Request& r : Requests()) {
        if (r.code == kCmdWritePatternData) {
            ++packets;
            EXPECT_EQ(r.length, std::min(56, total - r.offset));
        }
    }
    EXPECT_EQ(packets, (total + 55) / 56);
}

TEST_P(MouseConnectionTest, PowerStatusFeedsTheTileRecord)
{
    Firmware().SetPowerStatus({130, 2});
    const std::optional<PowerTileRecord> record = commands.ReadPowerStatus();
    ASSERT_TRUE(record);
    const auto* bytes = reinterpret_cast<const uint8_t*>(&*record);
    EXPECT_EQ(Bytes(bytes, bytes + 6), (Bytes{100, 2, 0, uint8_t(ThroughReceiver() ? 1 : 0), 0, 0}));
}

TEST_F(MouseCommandSetTest, UnreachableDeviceIsLeftAlone)
{
    auto everyOperation = [this] {
        EXPECT_EQ(commands.ReadDeviceData(), kChannelFailed);
        EXPECT_EQ(commands.ReadProfileRecord(), kChannelFailed) << "and no record was ever read to fall back on";
        EXPECT_EQ(commands.WriteProfileRecord(0, 0), kChannelFailed);
        EXPECT_EQ(commands.WriteKeyAssignments(0, profile.GetKeyList()), kChannelFailed);
        EXPECT_EQ(commands.WriteShootingData(), kChannelFailed);
        EXPECT_FALSE(commands.ReadPowerStatus());
        EXPECT_TRUE(Requests().empty());
    };
    const LightInfo light = profile.GetLightInfo();
    channel.SetOpen(false);
    everyOperation();

    UseReceiver();
    devices.Unlink();
    Firmware().ClearRequests();
    everyOperation();
    EXPECT_FALSE(Firmware().Requests().empty()) << "only link tests";
    EXPECT_EQ(profile.GetLightInfo().selectItem, light.selectItem);

    // While the firmware updater owns the device the channel would answer zeros for every read.
    devices.Link();
    channel.SetSuspended(true);
    EXPECT_EQ(commands.ReadProfileRecord(), kChannelFailed);
    EXPECT_FALSE(commands.ReadPowerStatus());
    EXPECT_EQ(commands.ReadDeviceData(), kChannelOk) << "a full read takes the device back";
    EXPECT_FALSE(channel.IsSuspended());
}

TEST_F(MouseCommandSetTest, KeepAliveIsTheShorterDeviceSleepAndAtLeastOneMinute)
{
    const std::pair<uint16_t, uint16_t> sleeps[] = {{1, 10}, {7, 5}, {0, 0}};
    const int expected[] = {1, 5, 1};
    for (int i = 0; i < 3; ++i) {
        MouseSystemSettings system = profile.GetMouseSystem();
        system.words[MouseSystemSettings::DeviceSleep1] = sleeps[i].first;
        system.words[MouseSystemSettings::DeviceSleep2] = sleeps[i].second;
        profile.SetMouseSystem(system);
        EXPECT_EQ(commands.KeepAliveMinutes(), expected[i]);
    }
}

TEST_F(MouseCommandSetTest, ConnectSequenceRunsEveryStepEvenAfterAFailure)
{
    commands.ReadAllFromDevice();
    EXPECT_EQ(host.calls, (std::vector<std::string>{"init 1", "firmware 8868 259", "LoadProfile", "RefreshPage", "StartLighting"}));
    EXPECT_EQ(profile.GetActiveStage(), 1) << "the simulated record's current stage";

    host.calls.clear();
    Firmware().ScheduleFault(SimFault::StatusFF, 1); // the information block read fails
    commands.ReadAllFromDevice();
    EXPECT_EQ(host.calls, (std::vector<std::string>{"LoadProfile", "RefreshPage", "StartLighting"}));

    host.calls.clear();
    commands.ReloadFromDevice();
    EXPECT_EQ(host.calls, std::vector<std::string>{"RefreshPage"});
}

} // namespace
