#include "platform/ProcessLauncher.h"

#include <csignal>
#include <cstdlib>
#include <spawn.h>
#include <sys/stat.h>
#include <unistd.h>

extern char** environ;

namespace platform {

bool ProcessLauncher::Launch(const std::vector<std::string>& argv)
{
    return LaunchIn(argv, {});
}

bool ProcessLauncher::LaunchIn(const std::vector<std::string>& argv, const std::string& workingFolder)
{
    if (argv.empty())
        return false;
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    // The child is not waited for; ignoring SIGCHLD lets the system reap it.
    std::signal(SIGCHLD, SIG_IGN);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!workingFolder.empty())
        posix_spawn_file_actions_addchdir_np(&actions, workingFolder.c_str());
    pid_t child = 0;
    const bool started = posix_spawnp(&child, args[0], &actions, nullptr, args.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    return started;
}

bool ProcessLauncher::IsRunnable(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(path.c_str(), X_OK) == 0;
}

std::string ProcessLauncher::FindInPath(const std::string& program)
{
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "/usr/bin:/bin";
    size_t start = 0;
    while (start <= folders.size()) {
        size_t end = folders.find(':', start);
        std::string folder = folders.substr(start, end == std::string::npos ? std::string::npos : end - start);
        std::string candidate = (folder.empty() ? "." : folder) + "/" + program;
        if (IsRunnable(candidate))
            return candidate;
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return {};
}

} // namespace platform
