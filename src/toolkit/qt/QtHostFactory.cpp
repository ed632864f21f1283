#include "toolkit/qt/QtHostFactory.h"

#include "toolkit/qt/QtHost.h"

#include <cstdlib>

bool QtDisplayAvailable()
{
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(variable);
        if (value && *value)
            return true;
    }
    return false;
}

std::unique_ptr<IUIHost> CreateQtHost(int& argc, char** argv)
{
    return std::make_unique<CQtHost>(argc, argv);
}
