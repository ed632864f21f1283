#include "toolkit/headless/SyntheticInput.h"

#include "toolkit/ControlUI.h"
#include "toolkit/PaintManagerUI.h"
#include "toolkit/UIParse.h"
#include "toolkit/WindowWnd.h"

namespace synthetic {

CWindowWnd* WindowOf(CControlUI* control)
{
    return control && control->GetManager() ? control->GetManager()->GetWindow() : nullptr;
}

POINT CenterOf(CControlUI* control)
{
    const RECT& rc = control->GetPos();
    return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

void MoveTo(CWindowWnd* window, POINT pt)
{
    if (window)
        window->HandleMessage(WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
}

void Press(CWindowWnd* window, POINT pt, UINT modifiers)
{
    if (window)
        window->HandleMessage(WM_LBUTTONDOWN, MK_LBUTTON | modifiers, MAKELPARAM(pt.x, pt.y));
}

void Release(CWindowWnd* window, POINT pt, UINT modifiers)
{
    if (window)
        window->HandleMessage(WM_LBUTTONUP, modifiers, MAKELPARAM(pt.x, pt.y));
}

void ClickAt(CWindowWnd* window, POINT pt, UINT modifiers)
{
    MoveTo(window, pt);
    Press(window, pt, modifiers);
    Release(window, pt, modifiers);
}

void Click(CControlUI* control, UINT modifiers)
{
    ClickAt(WindowOf(control), CenterOf(control), modifiers);
}

void DoubleClick(CControlUI* control)
{
    CWindowWnd* window = WindowOf(control);
    POINT pt = CenterOf(control);
    ClickAt(window, pt);
    if (window) {
        window->HandleMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        window->HandleMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    }
}

void RightClick(CControlUI* control)
{
    CWindowWnd* window = WindowOf(control);
    POINT pt = CenterOf(control);
    MoveTo(window, pt);
    if (window) {
        window->HandleMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(pt.x, pt.y));
        window->HandleMessage(WM_RBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    }
}

void Drag(CWindowWnd* window, POINT from, POINT to, int steps)
{
    MoveTo(window, from);
    Press(window, from);
    steps = std::max(1, steps);
    for (int i = 1; i <= steps; ++i) {
        POINT pt{from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps};
        if (window)
            window->HandleMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    }
    Release(window, to);
}

void Wheel(CControlUI* control, int delta)
{
    CWindowWnd* window = WindowOf(control);
    POINT pt = CenterOf(control);
    MoveTo(window, pt);
    if (window)
        window->HandleMessage(WM_MOUSEWHEEL, WPARAM(uint16_t(int16_t(delta))) << 16, MAKELPARAM(pt.x, pt.y));
}

void Type(CWindowWnd* window, const std::string& text)
{
    if (!window)
        return;
    for (char32_t c : DecodeUtf8(text))
        window->HandleMessage(WM_CHAR, WPARAM(c), 0);
}

void PressKey(CWindowWnd* window, UINT virtualKey, UINT modifiers)
{
    if (!window)
        return;
    window->HandleMessage(WM_KEYDOWN, virtualKey, LPARAM(modifiers));
    window->HandleMessage(WM_KEYUP, virtualKey, LPARAM(modifiers));
}

} // namespace synthetic
