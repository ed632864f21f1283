// The one rule for the user's files, over every kind of file the program reads and repairs: a
// file that exists but cannot be used as it stands keeps its bytes beside itself (a
// "<name>.damaged-<time>" copy) before the program repairs or replaces it.

#include "macro/MacroLibrary.h"
#include "platform/SettingsStore.h"
#include "profile/AudioLightingFile.h"
#include "profile/CMouseProfiledata.h"
#include "profile/ColorOptionFile.h"
#include "profile/JsonFile.h"
#include "profile/ProfileLibrary.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sys/stat.h>

using testsupport::ReadFileBytes;
using testsupport::ScopedEnv;
using testsupport::TempFolder;
using testsupport::WriteFileBytes;
namespace fs = std::filesystem;

namespace {

const char kGuid[] = "2026_01_01_10_00_00_001";

// One kind of user file: where it lives, a usable content, what the program does that reads
// and repairs it, and how a repaired file looks.
struct FileKind {
    const char* label;
    std::string path;
    std::string valid;
    std::string wrongShape;
    long maxBytes;
    std::function<void()> readAndRepair;
    std::function<bool(const std::string& path)> isRepaired;
};

// One way a file can be unusable, applied to a kind's path.
struct Damage {
    const char* label;
    std::function<void(const FileKind& kind, const std::string& outside)> make;
};

class UserFileRule : public ::testing::Test {
protected:
    std::string UserFolder() const { return dir / "data/QV742-CORE"; }
    std::string DeviceFolder() const { return UserFolder() + "/mouse"; }

    std::vector<FileKind> Kinds()
    {
        const std::string defaultProfile = dir / "default.Json";
        const std::string defaultColours = dir / "color_option_info.config";
        const std::string defaultAudio = dir / "AudioFile.json";
        WriteFileBytes(defaultProfile, R"({"Device": [{"LightInfo": {"Light": 3}}], "profilename": "Default"})");
        WriteFileBytes(defaultColours, R"({"coloroptioninfo": {"palletDialogcoloroption": [{"color": "FFFF0000"}]}})");
        WriteFileBytes(defaultAudio, R"({"Device": {"AudioMode": 1}})");
        auto json = [](const std::string& path) { return JsonFile().InspectUserDocument(path).document; };
        const std::string folder = DeviceFolder();
        return {
            {"profile", folder + "/" + kGuid + ".Json",
             std::string(R"({"Device": [{"LightInfo": {"Light": 1}}], "profilename": "Mine", "profileUUID": ")") + kGuid + "\"}",
             "[1, 2, 3]", JsonFile::kMaxFileSize,
             [=] {
                 CMouseProfiledata profile;
                 profile.SetDefaultProfilePath(defaultProfile);
                 profile.LoadProfile(folder + "/" + kGuid + ".Json");
             },
             [=](const std::string& path) {
                 Json::Value document = json(path);
                 return document["Device"][0]["LightInfo"]["Light"] == 3 && document["profileUUID"] == kGuid;
             }},
            {"profile list", folder + "/ProfileList.ini",
             std::string(R"({"profilelist": [{"profilename": "Mine", "profileUUID": ")") + kGuid + R"("}], "profileselect": 0})",
             R"({"profilelist": "none"})", JsonFile::kMaxFileSize,
             [=] {
                 ProfileLibrary library;
                 library.SetFolders(folder, defaultProfile);
                 library.Init();
             },
             [=](const std::string& path) { return json(path)["profilelist"].size() == 1; }},
            {"macro index", folder + "/macro.config",
             std::string(R"({"MacroInfo": [{"MacroName": "Fire", "Guid": ")") + kGuid + "\"}]}", R"({"MacroInfo": 7})",
             JsonFile::kMaxFileSize,
             [=] {
                 MacroLibrary macros;
                 macros.SetFolder(folder);
                 macros.LoadMacroList();
                 std::string name;
                 macros.NewMacro(name);
             },
             [=](const std::string& path) { return json(path)["MacroInfo"].isArray() && !json(path)["MacroInfo"].empty(); }},
            {"macro file", folder + "/" + kGuid + ".mac",
             R"({"MacroName": "Fire", "Events": [{"Type": 10, "Button": 4, "Action": "down", "Delay": "5"}], "Version": 64})",
             R"({"Events": {"Type": 10}})", JsonFile::kMaxFileSize,
             [=] {
                 WriteFileBytes(folder + "/macro.config",
                                std::string(R"({"MacroInfo": [{"MacroName": "Fire", "Guid": ")") + kGuid + "\"}]}");
                 MacroLibrary macros;
                 macros.SetFolder(folder);
                 macros.LoadMacroList();
                 macros.SaveMacro(0, {{MacroEventType::Key, 5, true, 9}});
             },
             [=](const std::string& path) { return json(path)["Events"][0]["Button"] == 5; }},
            {"colour swatches", UserFolder() + "/color_option_info.config",
             R"({"coloroptioninfo": {"palletDialogcoloroption": [{"color": "FF00FF00"}]}})",
             R"({"coloroptioninfo": {"palletDialogcoloroption": "x"}})", JsonFile::kMaxFileSize,
             [=] { ColorOptionFile::ReadOrCopyDefault(UserFolder() + "/color_option_info.config", defaultColours); },
             [=](const std::string& path) { return ColorOptionFile::Preset(json(path), 0) == 0xFFFF0000u; }},
            {"audio lighting", UserFolder() + "/AudioFile.json", R"({"Device": {"AudioMode": 2}})", R"({"Device": null})",
             JsonFile::kMaxFileSize,
             [=] { AudioLightingFile::ReadOrCopyDefault(UserFolder() + "/AudioFile.json", defaultAudio); },
             [=](const std::string& path) { return json(path)["Device"]["AudioMode"] == 1; }},
            {"settings store", dir / "config/QV742-CORE/settings.reg", "[SOFTWARE\\QV742-CORE]\nLANGUAGE=dword:2\n",
             "no key here\n", 1024 * 1024,
             [=] { platform::SettingsStore(dir / "config/QV742-CORE/settings.reg").SetDword("SOFTWARE\\QV742-CORE", "Skin", 1); },
             [=](const std::string& path) {
                 return platform::SettingsStore(path).QueryDword("SOFTWARE\\QV742-CORE", "Skin") == 1u;
             }},
        };
    }

    static std::vector<Damage> Damages()
    {
        return {
            {"truncated", [](const FileKind& kind, const std::string&) { WriteFileBytes(kind.path, kind.valid.substr(0, kind.valid.size() / 2)); }},
            {"garbage", [](const FileKind& kind, const std::string&) { WriteFileBytes(kind.path, std::string("\x7f\0\xff garbage {{", 14)); }},
            {"oversized", [](const FileKind& kind, const std::string&) {
                 std::string padding(static_cast<size_t>(kind.maxBytes), ' ');
                 WriteFileBytes(kind.path, kind.valid + padding);
             }},
            {"wrong shape", [](const FileKind& kind, const std::string&) { WriteFileBytes(kind.path, kind.wrongShape); }},
            {"unreadable", [](const FileKind& kind, const std::string&) { ASSERT_EQ(mkfifo(kind.path.c_str(), 0600), 0); }},
            {"link out of the folder", [](const FileKind& kind, const std::string& outside) {
                 WriteFileBytes(outside, kind.valid);
                 fs::create_symlink(outside, kind.path);
             }},
        };
    }

    // The "<name>.damaged-*" entries beside path.
    static std::vector<fs::path> CopiesOf(const std::string& path)
    {
        std::vector<fs::path> copies;
        const std::string prefix = fs::path(path).filename().string() + ".damaged-";
        for (const auto& item : fs::directory_iterator(fs::path(path).parent_path()))
            if (item.path().filename().string().rfind(prefix, 0) == 0)
                copies.push_back(item.path());
        return copies;
    }

    TempFolder dir;
    ScopedEnv data {"XDG_DATA_HOME", dir / "data"};
    ScopedEnv config {"XDG_CONFIG_HOME", dir / "config"};
};

TEST_F(UserFileRule, EveryUnusableFileKeepsItsBytesBesideItselfBeforeTheRepair)
{
    for (const FileKind& kind : Kinds()) {
        for (const Damage& damage : Damages()) {
            SCOPED_TRACE(std::string(kind.label) + ", " + damage.label);
            fs::remove_all(dir / "data");
            fs::remove_all(dir / "config");
            fs::create_directories(DeviceFolder());
            fs::create_directories(dir / "config/QV742-CORE");
            const std::string outside = dir / "outside";
            damage.make(kind, outside);
            const bool isLink = fs::is_symlink(kind.path);
            const bool isPipe = fs::is_fifo(fs::symlink_status(kind.path));
            const std::string original = isLink || isPipe ? std::string() : ReadFileBytes(kind.path);

            kind.readAndRepair();

            std::vector<fs::path> copies = CopiesOf(kind.path);
            ASSERT_EQ(copies.size(), 1u);
            if (isLink) {
                EXPECT_EQ(fs::read_symlink(copies[0]), outside);
                EXPECT_EQ(ReadFileBytes(outside), kind.valid) << "the link's target is never written";
            } else if (isPipe) {
                EXPECT_TRUE(fs::is_fifo(fs::symlink_status(copies[0])));
            } else {
                EXPECT_EQ(ReadFileBytes(copies[0].string()), original);
            }
            EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(kind.path)));
            EXPECT_TRUE(kind.isRepaired(kind.path));

            kind.readAndRepair();
            EXPECT_EQ(CopiesOf(kind.path).size(), 1u) << "a repaired file needs no second copy";
        }
    }
}

TEST_F(UserFileRule, UsableFilesAndLinksInsideTheFolderAreUsedAsTheyAre)
{
    for (const FileKind& kind : Kinds()) {
        SCOPED_TRACE(kind.label);
        fs::remove_all(dir / "data");
        fs::remove_all(dir / "config");
        fs::create_directories(DeviceFolder());
        fs::create_directories(dir / "config/QV742-CORE");
        // The real file sits in the user's own folder tree, the program's name is a link to it.
        const std::string real = fs::path(kind.path).parent_path().string() + "/real-file";
        WriteFileBytes(real, kind.valid);
        fs::create_symlink(real, kind.path);
        kind.readAndRepair();
        EXPECT_TRUE(CopiesOf(kind.path).empty());
        EXPECT_EQ(ReadFileBytes(real), kind.valid) << "a usable file is not repaired";
    }
}

} // namespace
