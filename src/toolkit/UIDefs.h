#pragma once

// Basic types of the toolkit: rectangles, points, window message and event codes, control
// states. The names follow the Windows vocabulary the program's code is written in.

#include <cstdint>

using UINT = unsigned int;
using DWORD = uint32_t;
using WORD = uint16_t;
using BYTE = uint8_t;
using BOOL = int;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using UINT_PTR = uintptr_t;
using HWND = struct HWND__*; // an opaque window handle; never a pointer to the window object

#ifndef TRUE
#define TRUE 1
#define FALSE 0
#endif

struct POINT {
    int x = 0;
    int y = 0;
};

struct SIZE {
    int cx = 0;
    int cy = 0;
};

struct RECT {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// A RECT with the helpers layout code needs.
struct CDuiRect : RECT {
    CDuiRect() = default;
    CDuiRect(const RECT& rc) : RECT(rc) {}
    CDuiRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
    int GetWidth() const { return right - left; }
    int GetHeight() const { return bottom - top; }
    bool IsNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    void Offset(int dx, int dy) { left += dx; right += dx; top += dy; bottom += dy; }
    void Deflate(const RECT& by) { left += by.left; top += by.top; right -= by.right; bottom -= by.bottom; }
};

inline bool operator==(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline bool operator==(const POINT& a, const POINT& b) { return a.x == b.x && a.y == b.y; }
inline bool operator==(const SIZE& a, const SIZE& b) { return a.cx == b.cx && a.cy == b.cy; }

// The intersection of a and b into out; false (and out emptied) when it is empty.
bool IntersectRect(RECT* out, const RECT* a, const RECT* b);
bool PtInRect(const RECT* rc, POINT pt);
bool IsRectEmpty(const RECT* rc);
// The smallest rectangle holding a and b (an empty one does not count).
RECT UnionRect(const RECT& a, const RECT& b);

constexpr LPARAM MAKELPARAM(int lo, int hi) { return LPARAM((uint32_t(uint16_t(lo))) | (uint32_t(uint16_t(hi)) << 16)); }
constexpr int GET_X_LPARAM(LPARAM lp) { return int16_t(uint16_t(lp & 0xFFFF)); }
constexpr int GET_Y_LPARAM(LPARAM lp) { return int16_t(uint16_t((lp >> 16) & 0xFFFF)); }
constexpr WORD LOWORD(uintptr_t v) { return WORD(v & 0xFFFF); }
constexpr WORD HIWORD(uintptr_t v) { return WORD((v >> 16) & 0xFFFF); }

// Window messages. Mouse messages carry the client point in lParam (MAKELPARAM(x, y)) and the
// button and modifier state in wParam (MK_*). Key messages carry the virtual key in wParam and
// the modifier state (MK_SHIFT, MK_CONTROL) in lParam. WM_CHAR carries one Unicode code point.
enum : UINT {
    WM_NULL = 0x0000,
    WM_CREATE = 0x0001,
    WM_DESTROY = 0x0002,
    WM_MOVE = 0x0003,
    WM_SIZE = 0x0005,
    WM_ACTIVATE = 0x0006,
    WM_SETFOCUS = 0x0007,
    WM_KILLFOCUS = 0x0008,
    WM_PAINT = 0x000F,
    WM_CLOSE = 0x0010,
    WM_QUIT = 0x0012,
    WM_SHOWWINDOW = 0x0018,
    WM_SETCURSOR = 0x0020,
    WM_COPYDATA = 0x004A,
    WM_CONTEXTMENU = 0x007B,
    WM_DISPLAYCHANGE = 0x007E,
    WM_NCDESTROY = 0x0082,
    WM_KEYDOWN = 0x0100,
    WM_KEYUP = 0x0101,
    WM_CHAR = 0x0102,
    WM_SYSKEYDOWN = 0x0104,
    WM_SYSCOMMAND = 0x0112,
    WM_TIMER = 0x0113,
    WM_MOUSEMOVE = 0x0200,
    WM_LBUTTONDOWN = 0x0201,
    WM_LBUTTONUP = 0x0202,
    WM_LBUTTONDBLCLK = 0x0203,
    WM_RBUTTONDOWN = 0x0204,
    WM_RBUTTONUP = 0x0205,
    WM_MOUSEWHEEL = 0x020A,
    WM_POWERBROADCAST = 0x0218,
    WM_MOUSEHOVER = 0x02A1,
    WM_MOUSELEAVE = 0x02A3,
    WM_DPICHANGED = 0x02E0,
    WM_USER = 0x0400,
    WM_APP = 0x8000,
};

// wParam of WM_SYSCOMMAND.
enum : UINT { SC_MINIMIZE = 0xF020, SC_MAXIMIZE = 0xF030, SC_CLOSE = 0xF060, SC_RESTORE = 0xF120 };
// wParam of WM_SIZE.
enum : UINT { SIZE_RESTORED = 0, SIZE_MINIMIZED = 1, SIZE_MAXIMIZED = 2 };
// Mouse message wParam bits.
enum : UINT { MK_LBUTTON = 0x01, MK_RBUTTON = 0x02, MK_SHIFT = 0x04, MK_CONTROL = 0x08 };
// Window styles the host understands; the others are accepted and ignored.
enum : DWORD {
    WS_POPUP = 0x80000000,
    WS_VISIBLE = 0x10000000,
    WS_CHILD = 0x40000000,
    WS_CAPTION = 0x00C00000,
    WS_SYSMENU = 0x00080000,
    WS_MINIMIZEBOX = 0x00020000,
    WS_EX_TOPMOST = 0x00000008,
    WS_EX_TOOLWINDOW = 0x00000080,
    // The toolkit's own: a menu or drop-down that closes when the user clicks elsewhere.
    WS_EX_UIPOPUP = 0x80000000,
};
enum : UINT { SWP_NOSIZE = 0x1, SWP_NOMOVE = 0x2, SWP_NOZORDER = 0x4, SWP_NOACTIVATE = 0x10, SWP_FRAMECHANGED = 0x20 };
constexpr int CW_USEDEFAULT = int(0x80000000);
enum : UINT { IDOK = 1, IDCANCEL = 2 };

// Virtual key codes the controls react to.
enum : UINT {
    VK_BACK = 0x08, VK_TAB = 0x09, VK_RETURN = 0x0D, VK_SHIFT = 0x10, VK_CONTROL = 0x11,
    VK_ESCAPE = 0x1B, VK_SPACE = 0x20, VK_END = 0x23, VK_HOME = 0x24, VK_LEFT = 0x25, VK_UP = 0x26,
    VK_RIGHT = 0x27, VK_DOWN = 0x28, VK_DELETE = 0x2E,
};

// Events the paint manager hands to a control's DoEvent.
enum UIEVENT {
    UIEVENT__FIRST = 1,
    UIEVENT__KEYBEGIN,
    UIEVENT_KEYDOWN,
    UIEVENT_KEYUP,
    UIEVENT_CHAR,
    UIEVENT_SYSKEY,
    UIEVENT__KEYEND,
    UIEVENT__MOUSEBEGIN,
    UIEVENT_MOUSEMOVE,
    UIEVENT_MOUSELEAVE,
    UIEVENT_MOUSEENTER,
    UIEVENT_MOUSEHOVER,
    UIEVENT_BUTTONDOWN,
    UIEVENT_BUTTONUP,
    UIEVENT_RBUTTONDOWN,
    UIEVENT_RBUTTONUP,
    UIEVENT_DBLCLICK,
    UIEVENT_CONTEXTMENU,
    UIEVENT_SCROLLWHEEL,
    UIEVENT__MOUSEEND,
    UIEVENT_KILLFOCUS,
    UIEVENT_SETFOCUS,
    UIEVENT_WINDOWSIZE,
    UIEVENT_SETCURSOR,
    UIEVENT_TIMER,
    UIEVENT__LAST,
};

// Control state bits.
enum : UINT {
    UISTATE_FOCUSED = 0x01,
    UISTATE_SELECTED = 0x02,
    UISTATE_DISABLED = 0x04,
    UISTATE_HOT = 0x08,
    UISTATE_PUSHED = 0x10,
    UISTATE_READONLY = 0x20,
    UISTATE_CAPTURED = 0x40,
};

// Text drawing flags.
enum : UINT {
    DT_LEFT = 0x0000, DT_TOP = 0x0000, DT_CENTER = 0x0001, DT_RIGHT = 0x0002, DT_VCENTER = 0x0004,
    DT_BOTTOM = 0x0008, DT_WORDBREAK = 0x0010, DT_SINGLELINE = 0x0020, DT_END_ELLIPSIS = 0x8000,
};

// Flags of FindControl's tree walk.
enum : UINT {
    UIFIND_ALL = 0x0, UIFIND_VISIBLE = 0x1, UIFIND_ENABLED = 0x2, UIFIND_HITTEST = 0x4,
    UIFIND_TOP_FIRST = 0x8, UIFIND_ME_FIRST = 0x8000,
};

// The message a menu item click sends to the menu's owner window; wParam points to a MenuCmd.
constexpr UINT WM_MENUCLICK = WM_USER + 121;
// The message a tray icon sends to its window; lParam is the mouse message (WM_LBUTTONUP...).
constexpr UINT UIMSG_TRAYICON = WM_USER + 1;
