#include "toolkit/ColorPaletteUI.h"

#include "toolkit/PaintManagerUI.h"
#include "toolkit/UIParse.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr DWORD kDisabledVeil = 0xB0262A33;

DWORD HsvToArgb(float hue, float sat, float value)
{
    float c = value * sat;
    float h = std::fmod(hue, 360.0f) / 60.0f;
    float x = c * (1 - std::fabs(std::fmod(h, 2.0f) - 1));
    float r = 0, g = 0, b = 0;
    switch (int(h)) {
    case 0: r = c; g = x; break;
    case 1: r = x; g = c; break;
    case 2: g = c; b = x; break;
    case 3: g = x; b = c; break;
    case 4: r = x; b = c; break;
    default: r = c; b = x; break;
    }
    float m = value - c;
    auto byte = [m](float v) { return DWORD(std::lround(std::clamp(v + m, 0.0f, 1.0f) * 255)); };
    return 0xFF000000 | (byte(r) << 16) | (byte(g) << 8) | byte(b);
}

} // namespace

CColorPaletteUI::CColorPaletteUI() = default;

const char* CColorPaletteUI::GetClass() const
{
    return "ColorPaletteUI";
}

void* CColorPaletteUI::GetInterface(std::string_view name)
{
    return name == "ColorPalette" ? this : CControlUI::GetInterface(name);
}

DWORD CColorPaletteUI::GetSelectColor() const
{
    return HsvToArgb(m_fHue, m_fSat, m_fValue);
}

void CColorPaletteUI::SetSelectColor(DWORD argb)
{
    float r = float((argb >> 16) & 0xFF) / 255, g = float((argb >> 8) & 0xFF) / 255, b = float(argb & 0xFF) / 255;
    float high = std::max({r, g, b});
    float low = std::min({r, g, b});
    float delta = high - low;
    float hue = m_fHue; // a grey keeps the hue shown
    if (delta > 0) {
        if (high == r)
            hue = 60 * std::fmod((g - b) / delta, 6.0f);
        else if (high == g)
            hue = 60 * ((b - r) / delta + 2);
        else
            hue = 60 * ((r - g) / delta + 4);
        if (hue < 0)
            hue += 360;
    }
    m_fHue = hue;
    m_fSat = high > 0 ? delta / high : 0;
    m_fValue = high;
    InvalidateWithMarkers();
}

void CColorPaletteUI::SetPalletHeight(int height)
{
    m_nPalletHeight = std::max(0, height);
    Invalidate();
}

void CColorPaletteUI::SetBarHeight(int height)
{
    m_nBarHeight = std::max(0, height);
    Invalidate();
}

void CColorPaletteUI::InvalidateWithMarkers()
{
    // The markers reach past the control's edges (the hue marker above and below the bar, the
    // point's ring at the square's sides): their old pixels there must be painted over too.
    if (!IsVisible() || !m_pManager)
        return;
    const int overhang = Scale(kMarkerOverhang);
    RECT rc = m_rcItem;
    rc.left -= overhang;
    rc.top -= overhang;
    rc.right += overhang;
    rc.bottom += overhang;
    m_pManager->Invalidate(rc);
}

RECT CColorPaletteUI::PalletRect() const
{
    RECT rc = m_rcItem;
    int gap = Scale(8);
    rc.bottom = m_nPalletHeight > 0 ? rc.top + Scale(m_nPalletHeight) : rc.bottom - Scale(m_nBarHeight) - gap;
    return rc;
}

RECT CColorPaletteUI::BarRect() const
{
    RECT rc = m_rcItem;
    rc.top = rc.bottom - Scale(m_nBarHeight);
    return rc;
}

void CColorPaletteUI::PickAt(POINT pt)
{
    DWORD before = GetSelectColor();
    if (m_drag == Drag::Pallet) {
        RECT p = PalletRect();
        m_fSat = std::clamp(float(pt.x - p.left) / float(std::max(1, p.right - p.left - 1)), 0.0f, 1.0f);
        m_fValue = 1 - std::clamp(float(pt.y - p.top) / float(std::max(1, p.bottom - p.top - 1)), 0.0f, 1.0f);
    } else if (m_drag == Drag::Bar) {
        RECT bar = BarRect();
        m_fHue = 359.0f * std::clamp(float(pt.x - bar.left) / float(std::max(1, bar.right - bar.left - 1)), 0.0f, 1.0f);
    }
    InvalidateWithMarkers();
    if (GetSelectColor() != before && m_pManager)
        m_pManager->SendNotify(this, "colorchanged", WPARAM(GetSelectColor()));
}

void CColorPaletteUI::DoEvent(TEventUI& event)
{
    switch (event.Type) {
    case UIEVENT_BUTTONDOWN: {
        if (!IsEnabled())
            return;
        RECT pallet = PalletRect();
        RECT bar = BarRect();
        m_drag = PtInRect(&pallet, event.ptMouse) ? Drag::Pallet : PtInRect(&bar, event.ptMouse) ? Drag::Bar : Drag::None;
        PickAt(event.ptMouse);
        return;
    }
    case UIEVENT_MOUSEMOVE:
        if (m_drag != Drag::None)
            PickAt(event.ptMouse);
        return;
    case UIEVENT_BUTTONUP:
        m_drag = Drag::None;
        return;
    default:
        CControlUI::DoEvent(event);
    }
}

void CColorPaletteUI::PaintStatusImage(HDC hDC)
{
    RECT pallet = PalletRect();
    hDC->FillGradient(pallet, 0xFFFFFFFF, HsvToArgb(m_fHue, 1, 1), false);
    hDC->FillGradient(pallet, 0x00000000, 0xFF000000, true);
    RECT bar = BarRect();
    int width = bar.right - bar.left;
    for (int i = 0; i < 6; ++i) {
        RECT part{bar.left + width * i / 6, bar.top, bar.left + width * (i + 1) / 6, bar.bottom};
        hDC->FillGradient(part, HsvToArgb(60.0f * i, 1, 1), HsvToArgb(60.0f * (i + 1), 1, 1), false);
    }
    int r = Scale(5);
    int x = pallet.left + int(m_fSat * float(pallet.right - pallet.left - 1));
    int y = pallet.top + int((1 - m_fValue) * float(pallet.bottom - pallet.top - 1));
    hDC->DrawRect(RECT{x - r, y - r, x + r, y + r}, std::max(1, Scale(2)), 0xFFFFFFFF, r);
    int hx = bar.left + int(m_fHue / 359.0f * float(width - 1));
    hDC->DrawRect(RECT{hx - Scale(3), bar.top - Scale(2), hx + Scale(3), bar.bottom + Scale(2)}, std::max(1, Scale(2)),
                  0xFFFFFFFF, Scale(2));
    // A disabled palette is veiled so that it reads as not in use.
    if (!IsEnabled())
        hDC->FillRect(m_rcItem, kDisabledVeil);
}

void CColorPaletteUI::SetAttribute(std::string_view name, std::string_view value)
{
    if (name == "palletheight") SetPalletHeight(ParseInt(value));
    else if (name == "barheight") SetBarHeight(ParseInt(value));
    else if (name == "selectcolor") SetSelectColor(ParseColor(value));
    else CControlUI::SetAttribute(name, value);
}
