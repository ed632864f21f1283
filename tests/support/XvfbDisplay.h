#pragma once

// A private X server for one test: Xvfb picks a free display number itself (-displayfd), so
// tests and helpers running at the same time never share or fight over one. Stopped with the
// object.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

extern char** environ;

namespace testsupport {

class XvfbDisplay {
public:
    XvfbDisplay()
    {
        int ends[2];
        if (::pipe(ends) != 0)
            return;
        char program[] = "Xvfb";
        char screenFlag[] = "-screen", screen[] = "0", size[] = "1600x1000x24";
        char tcpFlag[] = "-nolisten", tcp[] = "tcp", fdFlag[] = "-displayfd", fd[] = "3";
        char* argv[] = {program, screenFlag, screen, size, tcpFlag, tcp, fdFlag, fd, nullptr};
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, ends[1], 3);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        if (posix_spawnp(&m_pid, program, &actions, nullptr, argv, environ) != 0)
            m_pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(ends[1]);
        // Xvfb writes the number once it accepts connections.
        pollfd ready{ends[0], POLLIN, 0};
        char digits[16] = {};
        if (m_pid > 0 && ::poll(&ready, 1, 30000) > 0 && ::read(ends[0], digits, sizeof digits - 1) > 0) {
            std::string number(digits);
            number.erase(number.find_last_not_of("\n") + 1);
            if (!number.empty())
                m_display = ":" + number;
        }
        ::close(ends[0]);
    }
    ~XvfbDisplay()
    {
        if (m_pid > 0) {
            ::kill(m_pid, SIGTERM);
            ::waitpid(m_pid, nullptr, 0);
        }
    }
    XvfbDisplay(const XvfbDisplay&) = delete;
    XvfbDisplay& operator=(const XvfbDisplay&) = delete;

    // ":N", empty when the server did not start.
    const std::string& Name() const { return m_display; }

private:
    pid_t m_pid = -1;
    std::string m_display;
};

} // namespace testsupport
