#pragma once

#include "toolkit/UIDefs.h"

#include <string_view>

class CPaintManagerUI;
class CWindowWnd;

// The DPI values a window accepts: 48, 72, 96, 120, 144, 168 and 192. Any other value is
// reported on the debug output with errorLine ("MSG_WND DPI SET ERROR") and becomes 96.
int AcceptWindowDpi(int dpi, std::string_view errorLine);

// The system's DPI-change message: the window takes the DPI of wParam's low word (checked as
// above), resets its DPI assets, moves to the suggested rectangle in lParam without activation
// or z-order change and lays out again. The DPI taken.
int ApplyDpiChange(CWindowWnd& window, CPaintManagerUI& manager, WPARAM wParam, LPARAM lParam, std::string_view errorLine);
