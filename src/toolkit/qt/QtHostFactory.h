#pragma once

// Starts the Qt host for code that must not include Qt headers (the program's entry point).

#include "toolkit/UIHost.h"

#include <memory>

// True when a window system is reachable (a display, or a Qt platform chosen explicitly).
bool QtDisplayAvailable();
// The Qt host, installed as the toolkit's host for its lifetime.
std::unique_ptr<IUIHost> CreateQtHost(int& argc, char** argv);
