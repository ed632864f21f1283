#include "platform/Folders.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

const char kProductFolder[] = "QV742-CORE";

std::string HomeFolder()
{
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir)
        return entry->pw_dir;
    return "/tmp";
}

// An XDG base folder: the variable when it holds an absolute path, else HOME + fallback.
std::string XdgFolder(const char* variable, const char* fallbackUnderHome)
{
    const char* value = std::getenv(variable);
    if (value && value[0] == '/')
        return value;
    return HomeFolder() + fallbackUnderHome;
}

bool IsWithin(const std::filesystem::path& path, const std::filesystem::path& folder)
{
    auto [end, unused] = std::mismatch(folder.begin(), folder.end(), path.begin(), path.end());
    (void)unused;
    return end == folder.end();
}

// Where path's links may lead: the program's user folder that holds it, else its own folder.
std::filesystem::path ContainingRoot(const std::filesystem::path& path)
{
    std::error_code error;
    const std::filesystem::path parent = std::filesystem::weakly_canonical(path.parent_path(), error);
    for (const std::string& root : {Folders::UserDataFolder(), Folders::UserConfigFolder()}) {
        std::filesystem::path canonicalRoot = std::filesystem::weakly_canonical(root, error);
        if (!error && IsWithin(parent, canonicalRoot))
            return canonicalRoot;
    }
    return parent;
}

} // namespace

std::string Folders::UserDataFolder()
{
    return XdgFolder("XDG_DATA_HOME", "/.local/share") + "/" + kProductFolder;
}

bool Folders::EnsureUserDataFolder()
{
    return CreateFolders(UserDataFolder());
}

std::string Folders::UserConfigFolder()
{
    return XdgFolder("XDG_CONFIG_HOME", "/.config") + "/" + kProductFolder;
}

std::string Folders::UserStateFolder()
{
    return XdgFolder("XDG_STATE_HOME", "/.local/state") + "/" + kProductFolder;
}

std::string Folders::RuntimeFolder()
{
    const char* value = std::getenv("XDG_RUNTIME_DIR");
    if (value && value[0] == '/')
        return std::string(value) + "/" + kProductFolder;
    return "/tmp/" + std::string(kProductFolder) + "-" + std::to_string(getuid());
}

std::string Folders::ExecutableFolder()
{
    char buffer[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0)
        return ".";
    std::string path(buffer, static_cast<size_t>(length));
    auto slash = path.find_last_of('/');
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string Folders::ProgramFolder()
{
    if (const char* overridden = std::getenv("QV742_DATA_DIR"); overridden && *overridden)
        return overridden;
    std::string executable = ExecutableFolder();
    if (FolderExists(executable + "/skin") || FolderExists(executable + "/DefaultData"))
        return executable;
    std::string installed = executable + "/../share/qv742-core";
    if (FolderExists(installed))
        return installed;
    return executable;
}

bool Folders::CreateFolders(const std::string& path)
{
    if (path.empty())
        return false;
    for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
        std::string part = path.substr(0, slash);
        if (mkdir(part.c_str(), 0755) != 0 && errno != EEXIST)
            return false;
    }
    if (mkdir(path.c_str(), 0755) != 0 && errno != EEXIST)
        return false;
    return FolderExists(path);
}

bool Folders::FolderExists(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool Folders::FileExists(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool Folders::IsLinkOutOfItsFolder(const std::string& path)
{
    namespace fs = std::filesystem;
    std::error_code error;
    if (path.empty() || !fs::is_symlink(path, error))
        return false;
    // Follow the chain by hand: a dangling link must be judged by where it points.
    fs::path target = fs::absolute(path, error);
    constexpr int kMaxHops = 40;
    for (int hop = 0; hop < kMaxHops && fs::is_symlink(target, error); ++hop) {
        fs::path next = fs::read_symlink(target, error);
        if (error)
            return true;
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    if (fs::is_symlink(target, error))
        return true; // a loop
    target = fs::weakly_canonical(target, error);
    return error || !IsWithin(target, ContainingRoot(fs::absolute(path, error)));
}

} // namespace platform
