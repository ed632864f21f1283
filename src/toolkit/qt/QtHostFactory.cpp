#include "toolkit/qt/QtHostFactory.h"

#include "toolkit/qt/QtHost.h"

#include <QString>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <vector>

namespace {

std::string Env(const char* variable)
{
    const char* value = std::getenv(variable);
    return value ? value : "";
}

bool XServerAnswers()
{
    if (Env("DISPLAY").empty())
        return false;
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    bool answers = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return answers;
}

// The compositor listens on $WAYLAND_DISPLAY (default "wayland-0"), relative to
// $XDG_RUNTIME_DIR unless it is an absolute path.
bool WaylandCompositorAnswers()
{
    if (!Env("WAYLAND_SOCKET").empty())
        return true;
    std::string name = Env("WAYLAND_DISPLAY");
    if (name.empty())
        name = "wayland-0";
    std::string path = name;
    if (name.front() != '/') {
        std::string runtime = Env("XDG_RUNTIME_DIR");
        if (runtime.empty())
            return false;
        path = runtime + "/" + name;
    }
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    bool answers = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return answers;
}

// The platform names Qt will try, in order, without their ":arguments".
std::vector<std::string> CandidatePlatforms()
{
    std::vector<std::string> names;
    std::string chosen = Env("QT_QPA_PLATFORM");
    if (chosen.empty()) {
        if (Env("XDG_SESSION_TYPE") == "wayland" || !Env("WAYLAND_DISPLAY").empty())
            names.push_back("wayland");
        names.push_back("xcb");
        return names;
    }
    std::istringstream list(chosen);
    for (std::string entry; std::getline(list, entry, ';');) {
        std::string name = entry.substr(0, entry.find(':'));
        if (!name.empty())
            names.push_back(name);
    }
    return names;
}

bool PlatformDisplayAnswers(const std::string& name)
{
    if (name == "xcb")
        return XServerAnswers();
    if (name.rfind("wayland", 0) == 0)
        return WaylandCompositorAnswers();
    // Display-less platforms (offscreen, minimal, vnc, framebuffers) need nothing to answer;
    // whether Qt has the plugin at all is for Qt to say.
    return true;
}

QtMessageHandler g_previousHandler = nullptr;
std::string g_noDisplayMessage;

// Qt reports a platform it cannot start as a fatal message and then aborts; the program ends
// with its own message and 0 instead.
void EndStartWithoutDisplay(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type != QtFatalMsg) {
        if (g_previousHandler)
            g_previousHandler(type, context, text);
        return;
    }
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    std::puts(g_noDisplayMessage.c_str());
    std::fflush(nullptr);
    std::_Exit(0);
}

} // namespace

bool QtDisplayAvailable()
{
    for (const std::string& name : CandidatePlatforms())
        if (PlatformDisplayAnswers(name))
            return true;
    return false;
}

std::unique_ptr<IUIHost> CreateQtHost(int& argc, char** argv, const std::string& noDisplayMessage)
{
    g_noDisplayMessage = noDisplayMessage;
    g_previousHandler = qInstallMessageHandler(EndStartWithoutDisplay);
    auto host = std::make_unique<CQtHost>(argc, argv);
    qInstallMessageHandler(g_previousHandler);
    return host;
}
