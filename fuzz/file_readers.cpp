// fuzz-deps: qv742_profile qv742_macro
// fuzz-sources: src/ui/LanguageList.cpp
// Feeds JSON values of every shape (built from the input, with the member names the program's
// files use) to every reader of the program's files: profiles (every getter and setter, the
// light configuration and effect frames), the profile list, the macro index, macro and shooting
// files, the audio-lighting file, the colour swatch file (reads and both saves) and the language
// list. Every input goes to the readers' parsed-document entry points; one run in 4096 (and the
// first) also goes through the files themselves (load, repair, save, the profile and macro
// libraries) in a memory-backed scratch folder. One input in sixteen is taken as raw file bytes
// instead of a built value. Any exception that escapes a reader ends the run.

#include "macro/MacroConfigFile.h"
#include "macro/MacroFile.h"
#include "macro/MacroLibrary.h"
#include "profile/AudioLightingFile.h"
#include "profile/CMouseProfiledata.h"
#include "profile/ColorOptionFile.h"
#include "profile/JsonFile.h"
#include "profile/ProfileLibrary.h"
#include "profile/ProfileListFile.h"
#include "ui/LanguageList.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

constexpr const char* kKeys[] = {
    "Device", "profilename", "profileUUID", "profilelist", "profileselect", "profileislink", "profilelinkmame",
    "LightInfo", "SelectItem", "Light", "Speed", "Fx", "MultiColor", "Red", "Green", "Blue", "ZZCCLedMode",
    "CustomGroup", "OldLedmode", "AudioLightInfo", "AudioMode", "BkColorR", "FgColorB", "7ColorFlags",
    "ColorTypeFlags", "LightList", "LEDREGMode", "LEDBrightness", "LEDSpeed", "LEDDirection", "LEDMultiColor",
    "red", "green", "blue", "KeyList", "Assignment", "DefaultAssignment", "DPIStages", "StageActive", "StageDPIs",
    "StageXY", "StageDPIX", "StageDPIY", "StageColorR", "StageColorG", "StageColorB", "SystemStages",
    "DoubleClickTime", "ScorllPage", "WheelScorlllinse", "Logoledmode", "ReportStages", "SilentAltitude",
    "key_debounce_time", "MacroInfo", "MacroName", "Guid", "Events", "Type", "Button", "Action", "Delay",
    "Version", "LEDEffectList", "Time", "Cyle", "coloroptioninfo", "palletDialogcoloroption", "color", "UserData",
    "palletDialogcoloroption_selectitem", "palletDialogcollectcoloroption",
    "palletDialogcollectcoloroption_selectitem", "Language", "Language_ID", "Language_name", "Language_file",
    "Language_text", "Locale",
};

constexpr const char* kTexts[] = {
    "2026_01_01_00_00_00_000", "2026_01_01_00_00_00_001", "../../etc/passwd", "down", "up", "1", "65536", "-3",
    "FF00FF00", "zz", "", "\xE4\xB8\x80", "{8A5C-GUID}", "lan_en.xml",
};

constexpr int kMaxDepth = 7;

Json::Value RandomValue(FuzzedDataProvider& in, int depth);

Json::Value RandomContainer(FuzzedDataProvider& in, int depth, bool object)
{
    Json::Value container(object ? Json::objectValue : Json::arrayValue);
    const int count = in.ConsumeIntegralInRange(0, 8);
    for (int i = 0; i < count && in.remaining_bytes() > 0; ++i) {
        if (!object) {
            container.append(RandomValue(in, depth + 1));
            continue;
        }
        std::string key = in.ConsumeBool() ? kKeys[in.ConsumeIntegralInRange<size_t>(0, std::size(kKeys) - 1)]
                                           : in.ConsumeRandomLengthString(12);
        container[key] = RandomValue(in, depth + 1);
    }
    return container;
}

Json::Value RandomValue(FuzzedDataProvider& in, int depth)
{
    switch (in.ConsumeIntegralInRange(0, depth >= kMaxDepth ? 6 : 8)) {
    case 0: return Json::Value();
    case 1: return Json::Value(in.ConsumeBool());
    case 2: return Json::Value(static_cast<Json::Int64>(in.ConsumeIntegralInRange<int64_t>(-300, 70000)));
    case 3: return Json::Value(static_cast<Json::Int64>(in.ConsumeIntegral<int64_t>()));
    case 4: return Json::Value(in.ConsumeFloatingPoint<double>());
    case 5: return Json::Value(in.ConsumeRandomLengthString(24));
    case 6: return Json::Value(kTexts[in.ConsumeIntegralInRange<size_t>(0, std::size(kTexts) - 1)]);
    case 7: return RandomContainer(in, depth, false);
    default: return RandomContainer(in, depth, true);
    }
}

// One scratch folder per fuzzing process in memory-backed storage, removed when it ends.
struct ScratchFolder {
    ScratchFolder()
    {
        std::string base = std::filesystem::exists("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path().string();
        std::string pattern = base + "/qv742-fuzz-XXXXXX";
        path = mkdtemp(pattern.data());
    }
    ~ScratchFolder() { std::filesystem::remove_all(path); }
    void Empty() const
    {
        for (const auto& item : std::filesystem::directory_iterator(path))
            std::filesystem::remove_all(item.path());
    }
    std::string path;
};

const ScratchFolder& Scratch()
{
    static const ScratchFolder folder;
    return folder;
}

std::string InFolder(const std::string& name)
{
    return Scratch().path + "/" + name;
}

void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

const char kGuid[] = "2026_01_01_00_00_00_000";

void ExerciseProfile(const std::string& text)
{
    const std::string path = InFolder(std::string(kGuid) + ".Json");
    WriteFile(path, text);
    WriteFile(InFolder("tavix_light.config"), text);
    WriteFile(InFolder(std::string(kGuid) + ".light"), text);
    CMouseProfiledata profile;
    profile.SetDefaultProfilePath(InFolder("missing-default.Json"));
    profile.SetProfilePath(path);
    profile.SetLightConfigPath(InFolder("tavix_light.config"));
    profile.LoadProfile(path);
    LightInfo light = profile.GetLightInfo();
    AudioLightInfo audio = profile.GetAudioLightInfo();
    profile.GetLightList();
    profile.LoadLightConfig(profile.GetLightConfigPath());
    profile.GetLightEffectSteps();
    std::vector<KeyAssignment> keys = profile.GetKeyList();
    std::vector<DpiStage> stages = profile.GetDpiStages();
    MouseSystemSettings system = profile.GetMouseSystem();
    profile.SetLightInfo(light);
    profile.SetAudioLightInfo(audio);
    profile.SetKeyList(keys);
    profile.SetDpiStages(stages);
    profile.SetActiveStage(profile.GetActiveStage());
    profile.SetMouseSystem(system);
    profile.SaveProfile();
    profile.LoadOtherProfile(path);
    profile.SetOtherKeyList(profile.GetOtherKeyList());
    profile.SaveOtherProfile(path);
}

void ExerciseProfileList(const std::string& text)
{
    const std::string folder = InFolder("mouse");
    std::filesystem::create_directory(folder);
    WriteFile(folder + "/ProfileList.ini", text);
    WriteFile(folder + "/" + kGuid + ".Json", text);
    ProfileListFile list;
    if (list.Read(folder + "/ProfileList.ini")) {
        for (size_t i = 0; i < list.entries.size(); ++i)
            list.FileId(i);
    }
    ProfileLibrary library;
    library.SetFolders(folder, InFolder("missing-default.Json"));
    library.Init();
    library.Names();
    library.Select(1);
    library.Rename("renamed");
    library.Delete();
}

void ExerciseMacros(const std::string& text)
{
    const std::string folder = InFolder("keyboard");
    std::filesystem::create_directory(folder);
    WriteFile(folder + "/macro.config", text);
    WriteFile(folder + "/" + kGuid + ".mac", text);
    MacroLibrary macros;
    macros.SetFolder(folder);
    const int count = macros.LoadMacroList();
    for (int i = 0; i < count && i < 64; ++i)
        macros.LoadMacro(i);
    macros.SaveMacro(0, macros.LoadMacro(0));
    macros.RenameMacro(0, "renamed");
    macros.DeleteMacro(1);
    JsonFieldReader fields;
    MacroFile::ReadEvents(folder + "/" + kGuid + ".mac", fields);
}

void ExerciseOtherFiles(const std::string& text)
{
    const std::string path = InFolder("input.json");
    WriteFile(path, text);
    JsonFieldReader fields;
    MacroFile::ReadEvents(path, fields); // a shooting file "ShootData_<n>.Shoot"
    LanguageList languages;
    languages.Load(path);

    const Json::Value colours = ColorOptionFile::ReadOrCopyDefault(path, InFolder("missing-default"));
    std::vector<std::optional<uint32_t>> presets(ColorOptionFile::kSwatches);
    std::vector<std::optional<ColorOptionFile::Swatch>> swatches(ColorOptionFile::kSwatches);
    for (int i = 0; i < ColorOptionFile::kSwatches; ++i) {
        presets[i] = ColorOptionFile::Preset(colours, i);
        swatches[i] = ColorOptionFile::UserSwatch(colours, i);
    }
    ColorOptionFile::PresetSelection(colours);
    WriteFile(path, text);
    ColorOptionFile::SavePresets(path, presets, 3);
    ColorOptionFile::SaveUserSwatches(path, swatches, -1);

    WriteFile(path, text);
    AudioLightingFile::ReadOrCopyDefault(path, InFolder("missing-default"));
}

void ExerciseDocuments(const Json::Value& document)
{
    CMouseProfiledata profile;
    profile.TakeDocument(document);
    LightInfo light = profile.GetLightInfo();
    AudioLightInfo audio = profile.GetAudioLightInfo();
    profile.GetLightList();
    profile.TakeLightConfig(document);
    profile.LightEffectStepsOf(document);
    std::vector<KeyAssignment> keys = profile.GetKeyList();
    std::vector<DpiStage> stages = profile.GetDpiStages();
    MouseSystemSettings system = profile.GetMouseSystem();
    profile.SetLightInfo(light);
    profile.SetAudioLightInfo(audio);
    profile.SetKeyList(keys);
    profile.SetDpiStages(stages);
    profile.SetActiveStage(profile.GetActiveStage());
    profile.SetMouseSystem(system);
    profile.SetOtherKeyList(profile.GetOtherKeyList());

    ProfileListFile list;
    if (list.FromDocument(document)) {
        for (size_t i = 0; i < list.entries.size(); ++i)
            list.FileId(i);
        if (!list.entries.empty())
            list.SetName(0, "renamed");
    }
    MacroConfigFile index;
    if (index.FromDocument(document)) {
        for (size_t i = 0; i < index.entries.size(); ++i)
            index.FileGuid(i);
        if (!index.entries.empty())
            index.SetName(0, "renamed");
    }
    JsonFieldReader fields;
    MacroFile::EventsOf(document, fields); // macro files and shooting files "ShootData_<n>.Shoot"
    AudioLightingFile::IsAudioDocument(document);
    LanguageList languages;
    languages.LoadDocument(document);

    ColorOptionFile::IsColourDocument(document);
    std::vector<std::optional<uint32_t>> presets(ColorOptionFile::kSwatches);
    std::vector<std::optional<ColorOptionFile::Swatch>> swatches(ColorOptionFile::kSwatches);
    for (int i = 0; i < ColorOptionFile::kSwatches; ++i) {
        presets[i] = ColorOptionFile::Preset(document, i);
        swatches[i] = ColorOptionFile::UserSwatch(document, i);
    }
    ColorOptionFile::PresetSelection(document);
    Json::Value written = document;
    ColorOptionFile::PutPresets(written, presets, 3);
    written = document;
    ColorOptionFile::PutUserSwatches(written, swatches, -1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider in(data, size);
    // Chosen by count, not by the input, so that the corpus does not drift towards the slower
    // file path; a replayed input (the first run) always takes it.
    static uint64_t runs = 0;
    const bool throughFiles = runs++ % 4096 == 0;
    const bool rawBytes = in.ConsumeIntegralInRange(0, 15) == 15;
    std::string text;
    Json::Value document;
    if (rawBytes) {
        text = in.ConsumeRemainingBytesAsString();
        document = JsonFile::ParseJson(text);
    } else {
        document = RandomValue(in, 0);
        text = JsonFile::StyledText(document);
    }
    ExerciseDocuments(document);
    if (throughFiles) {
        ExerciseProfile(text);
        ExerciseProfileList(text);
        ExerciseMacros(text);
        ExerciseOtherFiles(text);
        Scratch().Empty();
    }
    return 0;
}
