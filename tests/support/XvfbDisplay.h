#pragma once

// A private X server for one test: Xvfb picks a free display number itself (-displayfd), so
// tests and helpers running at the same time never share or fight over one. Stopped with the
// object.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

namespace testsupport {

class XvfbDisplay {
public:
    XvfbDisplay()
    {
        int ends[2];
        if (::pipe(ends) != 0)
            return;
        m_pid = ::fork();
        if (m_pid == 0) {
            // The server goes with the test process, even when that one ends abruptly.
            ::prctl(PR_SET_PDEATHSIG, SIGTERM);
            ::dup2(ends[1], 3);
            int null = ::open("/dev/null", O_WRONLY);
            ::dup2(null, 1);
            ::dup2(null, 2);
            ::execlp("Xvfb", "Xvfb", "-screen", "0", "1600x1000x24", "-nolisten", "tcp", "-displayfd", "3",
                     static_cast<char*>(nullptr));
            ::_exit(127);
        }
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
