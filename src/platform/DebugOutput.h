#pragma once

#include <string_view>

namespace platform {

// Trace lines for developers: silent unless QV742_DEBUG is set, then one line on standard error.
void DebugOutput(std::string_view text);

// True when QV742_DEBUG is set (read once).
bool DebugOutputEnabled();

} // namespace platform
