#pragma once

#include <string>

namespace platform {

// The program's one-instance guard: an exclusive lock on a file in the user's runtime folder
// (mode 0700). The lock goes with the process, so a crashed instance never blocks the next.
class SingleInstance {
public:
    // name is the mutex name ("QV742-CORE"); folder defaults to Folders::RuntimeFolder().
    explicit SingleInstance(const std::string& name, std::string folder = {});
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this process holds the lock; false when another process does. When the lock
    // file cannot be made at all, start-up goes on as the only instance (true).
    bool Acquire();
    bool IsHeld() const { return m_fd >= 0; }

private:
    std::string m_path;
    int m_fd = -1;
};

// Creates folder (and parents) with mode 0700 and checks it is this user's alone.
bool EnsurePrivateFolder(const std::string& folder);

} // namespace platform
