#pragma once

// What the toolkit draws with: a painter interface each host implements, and the font and
// image records it is handed. Coordinates are device pixels of the window's client area.

#include "toolkit/UIDefs.h"

#include <memory>
#include <string>

struct TFontInfo {
    std::string sFontName;
    int iSize = 12; // pixels at DPI 96
    bool bBold = false;
    bool bUnderline = false;
    bool bItalic = false;
};

// A loaded picture. width and height are its natural size in pixels (an SVG's own size); the
// host keeps its decoded form in hostData.
struct TImageInfo {
    int nX = 0;
    int nY = 0;
    bool bAlpha = true;
    bool bSvg = false;
    DWORD dwMask = 0;
    std::string sPath;
    std::shared_ptr<void> hostData;
};

// How one picture is drawn: parts of the draw string after the file has been resolved.
struct TImageDraw {
    RECT rcDest;
    RECT rcSource;  // in picture pixels; all zero means the whole picture
    RECT rcCorner;  // nine-patch borders that are not stretched, in picture pixels
    RECT rcCornerDest; // the same borders on the window (scaled to its DPI)
    BYTE uFade = 255;
    bool bTiledX = false;
    bool bTiledY = false;
    bool bTinted = false;   // paint the opaque parts in dwTint
    DWORD dwTint = 0;       // 0x00RRGGBB
    int nTintLevel = 255;   // opacity of the tinted picture, 0-255
};

class IPainter {
public:
    virtual ~IPainter() = default;
    virtual void FillRect(const RECT& rc, DWORD argb) = 0;
    virtual void FillRoundRect(const RECT& rc, int radius, DWORD argb) = 0;
    virtual void DrawRect(const RECT& rc, int width, DWORD argb, int radius = 0) = 0;
    virtual void DrawLine(POINT from, POINT to, int width, DWORD argb) = 0;
    virtual void FillEllipse(const RECT& rc, DWORD argb) = 0;
    // Angles in degrees, clockwise from the positive x axis.
    virtual void FillPie(const RECT& rc, float startDegrees, float sweepDegrees, DWORD argb) = 0;
    virtual void FillGradient(const RECT& rc, DWORD from, DWORD to, bool vertical) = 0;
    // pixelSize is the font's size already scaled to the window's DPI.
    virtual void DrawText(const RECT& rc, const std::string& text, DWORD argb, const TFontInfo& font,
                          int pixelSize, UINT style) = 0;
    virtual void DrawImage(const TImageInfo& image, const TImageDraw& how) = 0;
    virtual void PushClip(const RECT& rc) = 0;
    virtual void PopClip() = 0;
};

// The paint context handed to controls, in the spirit of a device context handle.
using HDC = IPainter*;
