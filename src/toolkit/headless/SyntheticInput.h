#pragma once

// Synthetic user input for tests: each call sends the window messages a real mouse or
// keyboard would (move, press, release, characters), so controls see the same events.

#include "toolkit/UIDefs.h"

#include <string>

class CControlUI;
class CWindowWnd;

namespace synthetic {

// The window a control lives in (null when it is in none).
CWindowWnd* WindowOf(CControlUI* control);
POINT CenterOf(CControlUI* control);
void MoveTo(CWindowWnd* window, POINT pt);
void Press(CWindowWnd* window, POINT pt, UINT modifiers = 0);
void Release(CWindowWnd* window, POINT pt, UINT modifiers = 0);
// Move, press and release at pt.
void ClickAt(CWindowWnd* window, POINT pt, UINT modifiers = 0);
// A click at the control's centre.
void Click(CControlUI* control, UINT modifiers = 0);
void DoubleClick(CControlUI* control);
void RightClick(CControlUI* control);
// Press at from, move in steps to to, release there.
void Drag(CWindowWnd* window, POINT from, POINT to, int steps = 4);
void Wheel(CControlUI* control, int delta);
// WM_CHAR for each character of the UTF-8 text, to the focused control.
void Type(CWindowWnd* window, const std::string& text);
// Key down and up of a virtual key, with MK_CONTROL / MK_SHIFT modifiers.
void PressKey(CWindowWnd* window, UINT virtualKey, UINT modifiers = 0);

} // namespace synthetic
