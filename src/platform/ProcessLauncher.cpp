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
    if (argv.empty())
        return false;
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    // The child is not waited for; ignoring SIGCHLD lets the system reap it.
    std::signal(SIGCHLD, SIG_IGN);
    pid_t child = 0;
    return posix_spawnp(&child, args[0], nullptr, nullptr, args.data(), environ) == 0;
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
        struct stat info {};
        if (stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(candidate.c_str(), X_OK) == 0)
            return candidate;
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return {};
}

} // namespace platform
