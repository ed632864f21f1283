#include "toolkit/DrawInfo.h"

#include "toolkit/UIParse.h"

#include <algorithm>

void TDrawInfo::Parse(const CDuiString& drawString, const CDuiString& modify)
{
    *this = TDrawInfo{};
    sDrawString = drawString;
    sDrawModify = modify;
    Apply(drawString);
    Apply(modify);
}

void TDrawInfo::Apply(const CDuiString& text)
{
    if (text.empty())
        return;
    if (text.find('=') == std::string::npos) {
        sImageName = text;
        return;
    }
    for (const auto& [key, value] : ParseAttributeList(text)) {
        if (key == "file" || key == "res") sImageName = value;
        else if (key == "restype") sResType = value;
        else if (key == "dest") {
            rcDest = ParseRect(value);
            bDestSet = true;
        }
        else if (key == "source") rcSource = ParseRect(value);
        else if (key == "corner") rcCorner = ParseRect(value);
        else if (key == "mask") dwMask = ParseColor(value);
        else if (key == "fade") uFade = BYTE(std::clamp(ParseInt(value, 255), 0, 255));
        else if (key == "hole") bHole = ParseBool(value);
        else if (key == "xtiled") bTiledX = ParseBool(value);
        else if (key == "ytiled") bTiledY = ParseBool(value);
        else if (key == "hsl") bHSL = ParseBool(value);
    }
}
