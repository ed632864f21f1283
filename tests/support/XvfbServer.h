#pragma once

// A private X server for tests that need one: Xvfb picks a free display number itself
// (-displayfd) and the object points DISPLAY at it until it stops the server again. The server
// also ends when its last client goes (-terminate), so a test that crashes leaves none behind.

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <string>

extern char** environ;

namespace testsupport {

class XvfbServer {
public:
    explicit XvfbServer(const char* screen = "1024x768x24")
    {
        int fds[2];
        if (pipe(fds) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addclose(&actions, fds[0]);
        std::string fd = std::to_string(fds[1]);
        const char* argv[] = {"Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen, "-nolisten", "tcp", "-terminate", nullptr};
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        if (posix_spawnp(&m_pid, "Xvfb", &actions, nullptr, const_cast<char**>(argv), environ) != 0)
            m_pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        close(fds[1]);
        std::string number;
        char c;
        while (m_pid > 0 && read(fds[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(fds[0]);
        if (number.empty())
            return;
        m_display = ":" + number;
        if (const char* old = std::getenv("DISPLAY"))
            m_oldDisplay = old;
        setenv("DISPLAY", m_display.c_str(), 1);
    }

    ~XvfbServer()
    {
        if (m_oldDisplay)
            setenv("DISPLAY", m_oldDisplay->c_str(), 1);
        else
            unsetenv("DISPLAY");
        if (m_pid > 0) {
            kill(m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
        }
    }
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    bool Running() const { return !m_display.empty(); }
    const std::string& Display() const { return m_display; }

private:
    pid_t m_pid = -1;
    std::string m_display;
    std::optional<std::string> m_oldDisplay;
};

} // namespace testsupport
