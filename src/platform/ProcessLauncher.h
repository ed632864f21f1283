#pragma once

#include <string>
#include <vector>

namespace platform {

// Starts other programs without waiting for them.
class ProcessLauncher {
public:
    // Starts argv[0] (looked up in PATH) with its arguments; true when it started.
    static bool Launch(const std::vector<std::string>& argv);
    // The same, started in workingFolder; false when it could not be started there.
    static bool LaunchIn(const std::vector<std::string>& argv, const std::string& workingFolder);
    // Whether path is a regular file this user may run.
    static bool IsRunnable(const std::string& path);
    // The full path of a program found in PATH, or empty.
    static std::string FindInPath(const std::string& program);
};

} // namespace platform
