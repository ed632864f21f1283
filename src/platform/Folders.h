#pragma once

#include <string>

namespace platform {

// Where the program keeps its files. Paths are UTF-8 and carry no trailing '/'.
class Folders {
public:
    // $XDG_DATA_HOME (default ~/.local/share) + "/QV742-CORE": the user's profiles, macros and log.
    static std::string UserDataFolder();
    // Creates the user data folder and its parents when missing; true when it exists afterwards.
    static bool EnsureUserDataFolder();
    // $XDG_CONFIG_HOME (default ~/.config) + "/QV742-CORE": the settings store.
    static std::string UserConfigFolder();
    // $XDG_STATE_HOME (default ~/.local/state) + "/QV742-CORE": state kept between runs that is
    // not the user's own data (the memory of the simulated devices).
    static std::string UserStateFolder();
    // $XDG_RUNTIME_DIR + "/QV742-CORE", or a per-user folder under /tmp when unset.
    static std::string RuntimeFolder();
    // The folder holding "skin", "DefaultData", "Font", "SDK" and "Update": the executable's own
    // folder in a build tree, <prefix>/share/qv742-core when installed; $QV742_DATA_DIR overrides.
    static std::string ProgramFolder();
    // The running executable's folder.
    static std::string ExecutableFolder();

    // mkdir -p; true when the folder exists afterwards.
    static bool CreateFolders(const std::string& path);
    static bool FolderExists(const std::string& path);
    static bool FileExists(const std::string& path);
    // True when path is a symbolic link (a dangling one too) whose target lies outside the
    // folder tree the path belongs to: the user data folder or the user config folder when path
    // lies in one of them, else path's own folder. The program's files never follow such a link.
    static bool IsLinkOutOfItsFolder(const std::string& path);
};

} // namespace platform
