#pragma once

// Drawing helpers the controls share: draw strings, pictures, colours and text, all through
// the window's painter.

#include "toolkit/DuiString.h"
#include "toolkit/Painter.h"

class CPaintManagerUI;
struct TDrawInfo;

class CRenderEngine {
public:
    // Draws a draw string over rcItem, limited to rcPaint. With tinted, the picture's opaque
    // parts are painted in tint (0x00RRGGBB) at opacity level (0-255): a lit key shows its light
    // image in the light's colour and brightness. False when nothing could be drawn.
    static bool DrawImageString(HDC hDC, CPaintManagerUI* manager, const RECT& rcItem, const RECT& rcPaint,
                                const CDuiString& image, const CDuiString& modify = "", DWORD tint = 0,
                                int level = 255, bool tinted = false);
    static bool DrawImageInfo(HDC hDC, CPaintManagerUI* manager, const RECT& rcItem, const RECT& rcPaint,
                              const TDrawInfo& info, DWORD tint = 0, int level = 255, bool tinted = false);
    // Draws part rcSource of a picture into rcDest (all-zero source: the whole picture).
    static void DrawImage(HDC hDC, const TImageInfo& image, const RECT& rcDest, const RECT& rcPaint,
                          const RECT& rcSource, const RECT& rcCorner, bool alpha, BYTE fade = 255,
                          bool hole = false, bool xtiled = false, bool ytiled = false);
    static void DrawColor(HDC hDC, const RECT& rc, DWORD argb);
    static void DrawGradient(HDC hDC, const RECT& rc, DWORD from, DWORD to, bool vertical);
    static void DrawLine(HDC hDC, const RECT& rc, int size, DWORD argb);
    static void DrawRect(HDC hDC, const RECT& rc, int size, DWORD argb);
    static void DrawRoundRect(HDC hDC, const RECT& rc, int size, int radius, DWORD argb);
    // Text in the window's font id (-1: default font), scaled to its DPI.
    static void DrawText(HDC hDC, CPaintManagerUI* manager, const RECT& rc, const CDuiString& text, DWORD argb,
                         int font, UINT style);
    static SIZE GetTextSize(CPaintManagerUI* manager, const CDuiString& text, int font);
};
