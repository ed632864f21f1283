#include "toolkit/RenderEngine.h"

#include "toolkit/DrawInfo.h"
#include "toolkit/PaintManagerUI.h"
#include "toolkit/UIHost.h"

#include <algorithm>

namespace {

TImageDraw PlainDraw(const RECT& dest, const RECT& source, const RECT& corner, const RECT& cornerDest, BYTE fade,
                     bool xtiled, bool ytiled)
{
    TImageDraw how;
    how.rcDest = dest;
    how.rcSource = source;
    how.rcCorner = corner;
    how.rcCornerDest = cornerDest;
    how.uFade = fade;
    how.bTiledX = xtiled;
    how.bTiledY = ytiled;
    return how;
}

} // namespace

bool CRenderEngine::DrawImageString(HDC hDC, CPaintManagerUI* manager, const RECT& rcItem, const RECT& rcPaint,
                                    const CDuiString& image, const CDuiString& modify, DWORD tint, int level,
                                    bool tinted)
{
    if (!hDC || !manager || image.empty())
        return false;
    const TDrawInfo* info = manager->GetDrawInfo(image, modify);
    return DrawImageInfo(hDC, manager, rcItem, rcPaint, *info, tint, level, tinted);
}

bool CRenderEngine::DrawImageInfo(HDC hDC, CPaintManagerUI* manager, const RECT& rcItem, const RECT& rcPaint,
                                  const TDrawInfo& info, DWORD tint, int level, bool tinted)
{
    if (!hDC || !manager || info.sImageName.empty())
        return false;
    const TImageInfo* picture = manager->GetImageEx(info.sImageName, info.sResType, info.dwMask, info.bHSL);
    if (!picture)
        return false;
    RECT dest = rcItem;
    if (info.bDestSet) {
        RECT scaled = manager->GetDPIObj()->Scale(info.rcDest);
        dest = RECT{rcItem.left + scaled.left, rcItem.top + scaled.top, std::min(rcItem.left + scaled.right, rcItem.right),
                    std::min(rcItem.top + scaled.bottom, rcItem.bottom)};
    }
    RECT visible;
    if (!IntersectRect(&visible, &dest, &rcPaint))
        return false;
    TImageDraw how = PlainDraw(dest, info.rcSource, info.rcCorner, manager->GetDPIObj()->Scale(info.rcCorner),
                               info.uFade, info.bTiledX, info.bTiledY);
    how.bTinted = tinted;
    how.dwTint = tint;
    how.nTintLevel = std::clamp(level, 0, 255);
    hDC->DrawImage(*picture, how);
    return true;
}

void CRenderEngine::DrawImage(HDC hDC, const TImageInfo& image, const RECT& rcDest, const RECT& rcPaint,
                              const RECT& rcSource, const RECT& rcCorner, bool, BYTE fade, bool, bool xtiled,
                              bool ytiled)
{
    RECT visible;
    if (!hDC || !IntersectRect(&visible, &rcDest, &rcPaint))
        return;
    hDC->DrawImage(image, PlainDraw(rcDest, rcSource, rcCorner, rcCorner, fade, xtiled, ytiled));
}

void CRenderEngine::DrawColor(HDC hDC, const RECT& rc, DWORD argb)
{
    if (hDC && argb != 0)
        hDC->FillRect(rc, argb);
}

void CRenderEngine::DrawGradient(HDC hDC, const RECT& rc, DWORD from, DWORD to, bool vertical)
{
    if (hDC)
        hDC->FillGradient(rc, from, to, vertical);
}

void CRenderEngine::DrawLine(HDC hDC, const RECT& rc, int size, DWORD argb)
{
    if (hDC)
        hDC->DrawLine(POINT{rc.left, rc.top}, POINT{rc.right, rc.bottom}, size, argb);
}

void CRenderEngine::DrawRect(HDC hDC, const RECT& rc, int size, DWORD argb)
{
    if (hDC)
        hDC->DrawRect(rc, size, argb);
}

void CRenderEngine::DrawRoundRect(HDC hDC, const RECT& rc, int size, int radius, DWORD argb)
{
    if (hDC)
        hDC->DrawRect(rc, size, argb, radius);
}

void CRenderEngine::DrawText(HDC hDC, CPaintManagerUI* manager, const RECT& rc, const CDuiString& text, DWORD argb,
                             int font, UINT style)
{
    if (!hDC || !manager || text.empty())
        return;
    const TFontInfo& info = manager->GetFont(font);
    hDC->DrawText(rc, text, argb, info, manager->ScaledFontSize(info), style);
}

SIZE CRenderEngine::GetTextSize(CPaintManagerUI* manager, const CDuiString& text, int font)
{
    IUIHost* host = UIHost();
    if (!host || !manager)
        return SIZE{};
    const TFontInfo& info = manager->GetFont(font);
    return host->MeasureText(text, info, manager->ScaledFontSize(info));
}
