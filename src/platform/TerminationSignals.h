#pragma once

namespace platform {

// Turns SIGTERM, SIGINT and SIGHUP into bytes on a pipe, so that the program's own loop runs
// its normal shutdown instead of the process dying wherever it is. The handler only writes the
// signal number; everything else happens on the thread that watches Fd().
class TerminationSignals {
public:
    // Installs the handlers for the process (later calls reuse the pipe). False when the pipe
    // cannot be made, in which case the signals keep their default action.
    static bool Install();
    // The read end to watch for readability; -1 before Install.
    static int Fd();
    // The first signal number waiting, or 0 when none is; never blocks.
    static int Take();
    // Gives the signals back their default action, so that a second request while a shutdown
    // hangs ends the process at once.
    static void RestoreDefaults();
};

} // namespace platform
