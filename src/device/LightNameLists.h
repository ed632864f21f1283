#pragma once

#include <string>
#include <vector>

// The lighting names of one device family: its modes from the program's "default_light.json"
// ("DefaultLightName"[family]: "LightName" language key, "visible", the device's "value"), its
// area names ("AreaLightName"[family]) and its custom effects from the light configuration of
// the device folder. A file that is missing or unreadable leaves the lists as they were.
struct LightNameLists {
    std::vector<std::string> modeNames;
    std::vector<int> visible;
    std::vector<int> modeValues;
    std::vector<std::string> areaNames;
    std::vector<std::string> customNames;

    // Reads the mode and area lists of family from the default light file at path.
    void LoadDefaults(const std::string& path, int family);
    // Reads the custom effect names of family from the light configuration in deviceFolder.
    void LoadCustomEffects(const std::string& deviceFolder, int family);
    int ModeCount() const { return static_cast<int>(modeNames.size()); }
};
