#include "platform/Folders.h"

#include <cstdio>

// The command line is ignored and the exit code is always 0.
int main()
{
    platform::Folders::EnsureUserDataFolder();
    std::puts("qv742-core: no window host is built into this program yet; nothing to show.");
    return 0;
}
