#pragma once

#include <string_view>

// The DPI values a window accepts: 48, 72, 96, 120, 144, 168 and 192. Any other value is
// reported on the debug output with errorLine ("MSG_WND DPI SET ERROR") and becomes 96.
int AcceptWindowDpi(int dpi, std::string_view errorLine);
