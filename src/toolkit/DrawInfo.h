#pragma once

#include "toolkit/DuiString.h"
#include "toolkit/UIDefs.h"

// A parsed draw string. The grammar: either a plain file name, or pairs key='value' with the
// keys file (or res), restype, dest, source, corner, mask, fade, hole, xtiled, ytiled, hsl.
// dest is relative to the control's top-left in skin units; source and corner are in picture
// pixels; mask is a colour made transparent; fade is 0-255.
struct TDrawInfo {
    CDuiString sDrawString;
    CDuiString sDrawModify;
    CDuiString sImageName;
    CDuiString sResType;
    RECT rcDest;
    RECT rcSource;
    RECT rcCorner;
    DWORD dwMask = 0;
    BYTE uFade = 255;
    bool bHole = false;
    bool bTiledX = false;
    bool bTiledY = false;
    bool bHSL = false;
    bool bDestSet = false;

    // Parses drawString, then modify over it (a modify string only changes what it names).
    void Parse(const CDuiString& drawString, const CDuiString& modify = "");

private:
    void Apply(const CDuiString& text);
};
