#include "toolkit/qt/QtHostFactory.h"

#include "toolkit/qt/QtHost.h"

#include <xcb/xcb.h>

#include <cstdlib>

namespace {

bool IsSet(const char* variable)
{
    const char* value = std::getenv(variable);
    return value && *value;
}

// Qt ends the process when the X server it is told to use does not answer; ask first.
bool XServerAnswers()
{
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    bool answers = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return answers;
}

} // namespace

bool QtDisplayAvailable()
{
    if (IsSet("QT_QPA_PLATFORM") || IsSet("WAYLAND_DISPLAY"))
        return true;
    return IsSet("DISPLAY") && XServerAnswers();
}

std::unique_ptr<IUIHost> CreateQtHost(int& argc, char** argv)
{
    return std::make_unique<CQtHost>(argc, argv);
}
