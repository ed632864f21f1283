#include "platform/TerminationSignals.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

// Both ends are set once, before any handler can run, and never closed.
int g_readEnd = -1;
volatile sig_atomic_t g_writeEnd = -1;

void OnSignal(int signal)
{
    int saved = errno;
    unsigned char number = static_cast<unsigned char>(signal);
    // A full pipe already holds a pending request; losing this byte changes nothing.
    [[maybe_unused]] ssize_t written = ::write(g_writeEnd, &number, 1);
    errno = saved;
}

} // namespace

bool TerminationSignals::Install()
{
    if (g_readEnd < 0) {
        int ends[2];
        if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
            return false;
        g_readEnd = ends[0];
        g_writeEnd = ends[1];
    }
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : kSignals)
        ::sigaction(signal, &action, nullptr);
    return true;
}

int TerminationSignals::Fd()
{
    return g_readEnd;
}

int TerminationSignals::Take()
{
    unsigned char number = 0;
    if (g_readEnd < 0 || ::read(g_readEnd, &number, 1) != 1)
        return 0;
    return number;
}

void TerminationSignals::RestoreDefaults()
{
    for (int signal : kSignals)
        ::signal(signal, SIG_DFL);
}

} // namespace platform
