// fuzz-deps: qv742_profile qv742_macro
// Feeds arbitrary bytes, as a file, to every reader of profile and macro files: the profile
// object (load, every getter, every setter, save), the profile list, the light configuration
// with its effect file, the macro index and the macro file reader.

#include "macro/MacroConfigFile.h"
#include "macro/MacroFile.h"
#include "profile/CMouseProfiledata.h"
#include "profile/ProfileListFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

// One scratch folder per fuzzing process, removed when it ends.
struct ScratchFolder {
    ScratchFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "qv742-fuzz-XXXXXX").string();
        path = mkdtemp(pattern.data());
    }
    ~ScratchFolder() { std::filesystem::remove_all(path); }
    std::string path;
};

const std::string& Folder()
{
    static const ScratchFolder folder;
    return folder.path;
}

std::string InFolder(const std::string& name)
{
    return Folder() + "/" + name;
}

void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

void ExerciseProfile(const std::string& path, const std::string& lightConfig)
{
    CMouseProfiledata profile;
    profile.SetDefaultProfilePath(InFolder("missing-default.Json"));
    profile.SetProfilePath(path);
    profile.SetLightConfigPath(lightConfig);
    profile.LoadProfile(path);
    LightInfo light = profile.GetLightInfo();
    AudioLightInfo audio = profile.GetAudioLightInfo();
    profile.GetLightList();
    profile.LoadLightConfig(lightConfig);
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
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::string path = InFolder("input.Json");
    const std::string lightConfig = InFolder("tavix_light.config");
    WriteFile(path, input);
    WriteFile(lightConfig, input);
    // The effect file that the seeds' light configuration names holds the input too.
    WriteFile(InFolder("2026_01_01_00_00_00_000.light"), input);

    ProfileListFile list;
    list.Read(path);
    MacroConfigFile macros;
    macros.Read(path);
    JsonFieldReader fields;
    MacroFile::ReadEvents(path, fields);
    ExerciseProfile(path, lightConfig);
    return 0;
}
