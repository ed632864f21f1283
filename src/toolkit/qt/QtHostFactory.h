#pragma once

// Starts the Qt host for code that must not include Qt headers (the program's entry point).

#include "toolkit/UIHost.h"

#include <memory>
#include <string>

// True when the display that Qt's platform needs answers: the X server for "xcb", the
// compositor's socket for "wayland", nothing for display-less platforms such as "offscreen".
// QT_QPA_PLATFORM (a list separated by ';') names the platforms Qt tries; without it Qt tries
// X11, and Wayland first in a Wayland session.
bool QtDisplayAvailable();
// The Qt host, installed as the toolkit's host for its lifetime. Should Qt still fail to start
// its platform, the process prints noDisplayMessage and ends with 0 instead of aborting.
std::unique_ptr<IUIHost> CreateQtHost(int& argc, char** argv, const std::string& noDisplayMessage);
