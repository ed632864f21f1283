#include "toolkit/SliderUI.h"

#include "toolkit/PaintManagerUI.h"
#include "toolkit/RenderEngine.h"
#include "toolkit/UIParse.h"

#include <algorithm>

namespace {

// A disabled slider keeps its value visible in muted greys.
constexpr DWORD kDisabledFill = 0xFF4A5060;
constexpr DWORD kDisabledThumb = 0xFF6B7282;

} // namespace

CSliderUI::CSliderUI()
{
    m_uTextStyle = DT_SINGLELINE | DT_CENTER;
}

const char* CSliderUI::GetClass() const
{
    return "SliderUI";
}

void* CSliderUI::GetInterface(std::string_view name)
{
    return name == "Slider" ? this : CProgressUI::GetInterface(name);
}

void CSliderUI::SetChangeStep(int step)
{
    m_nStep = std::max(1, step);
}

SIZE CSliderUI::GetThumbSize() const
{
    return SIZE{Scale(m_szThumb.cx), Scale(m_szThumb.cy)};
}

void CSliderUI::SetThumbSize(SIZE size)
{
    m_szThumb = size;
    Invalidate();
}

void CSliderUI::SetThumbImage(const CDuiString& image)
{
    m_sThumbImage = image;
    Invalidate();
}

void CSliderUI::SetThumbColor(DWORD argb)
{
    m_dwThumbColor = argb;
    Invalidate();
}

RECT CSliderUI::GetThumbRect() const
{
    SIZE thumb = GetThumbSize();
    int range = std::max(1, m_nMax - m_nMin);
    if (m_bHorizontal) {
        int travel = std::max(0, GetWidth() - thumb.cx);
        int left = m_rcItem.left + int(int64_t(m_nValue - m_nMin) * travel / range);
        int top = (m_rcItem.top + m_rcItem.bottom - thumb.cy) / 2;
        return RECT{left, top, left + thumb.cx, top + thumb.cy};
    }
    int travel = std::max(0, GetHeight() - thumb.cy);
    int top = m_rcItem.bottom - thumb.cy - int(int64_t(m_nValue - m_nMin) * travel / range);
    int left = (m_rcItem.left + m_rcItem.right - thumb.cx) / 2;
    return RECT{left, top, left + thumb.cx, top + thumb.cy};
}

int CSliderUI::ValueAt(POINT pt) const
{
    SIZE thumb = GetThumbSize();
    int range = m_nMax - m_nMin;
    int travel = m_bHorizontal ? GetWidth() - thumb.cx : GetHeight() - thumb.cy;
    if (travel <= 0 || range <= 0)
        return m_nMin;
    int offset = m_bHorizontal ? pt.x - m_rcItem.left - thumb.cx / 2 : m_rcItem.bottom - thumb.cy / 2 - pt.y;
    offset = std::clamp(offset, 0, travel);
    return m_nMin + int((int64_t(offset) * range + travel / 2) / travel);
}

void CSliderUI::DoEvent(TEventUI& event)
{
    if (TrackHot(event))
        return;
    if (!IsMouseEnabled() && event.Type > UIEVENT__MOUSEBEGIN && event.Type < UIEVENT__MOUSEEND) {
        CProgressUI::DoEvent(event);
        return;
    }
    switch (event.Type) {
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_DBLCLICK:
        if (!IsEnabled())
            return;
        m_uButtonState |= UISTATE_CAPTURED | UISTATE_PUSHED;
        if (int value = ValueAt(event.ptMouse); value != m_nValue) {
            SetValue(value);
            if (m_pManager)
                m_pManager->SendNotify(this, "movevaluechanged");
        }
        Invalidate();
        return;
    case UIEVENT_MOUSEMOVE:
        if (m_uButtonState & UISTATE_CAPTURED) {
            if (int value = ValueAt(event.ptMouse); value != m_nValue) {
                SetValue(value);
                if (m_pManager)
                    m_pManager->SendNotify(this, "movevaluechanged");
            }
        }
        return;
    case UIEVENT_BUTTONUP:
        if (m_uButtonState & UISTATE_CAPTURED) {
            m_uButtonState &= ~(UISTATE_CAPTURED | UISTATE_PUSHED);
            SetValue(ValueAt(event.ptMouse));
            Invalidate();
            if (m_pManager)
                m_pManager->SendNotify(this, "valuechanged");
        }
        return;
    case UIEVENT_SCROLLWHEEL:
        if (!IsEnabled())
            return;
        SetValue(m_nValue + (event.wParam == SB_LINEUP ? m_nStep : -m_nStep));
        if (m_pManager)
            m_pManager->SendNotify(this, "valuechanged");
        return;
    default:
        CProgressUI::DoEvent(event);
    }
}

void CSliderUI::PaintBkColor(HDC hDC)
{
    if (m_dwBackColor == 0)
        return;
    // A slider's background is a track through the middle, not the whole control.
    int thickness = Scale(4);
    RECT track = m_rcItem;
    if (m_bHorizontal) {
        track.top = (m_rcItem.top + m_rcItem.bottom - thickness) / 2;
        track.bottom = track.top + thickness;
    } else {
        track.left = (m_rcItem.left + m_rcItem.right - thickness) / 2;
        track.right = track.left + thickness;
    }
    hDC->FillRoundRect(track, thickness / 2, GetAdjustColor(m_dwBackColor));
}

void CSliderUI::PaintStatusImage(HDC hDC)
{
    RECT thumb = GetThumbRect();
    if (m_dwForeColor) {
        int thickness = Scale(4);
        RECT filled = m_rcItem;
        if (m_bHorizontal) {
            filled.top = (m_rcItem.top + m_rcItem.bottom - thickness) / 2;
            filled.bottom = filled.top + thickness;
            filled.right = (thumb.left + thumb.right) / 2;
        } else {
            filled.left = (m_rcItem.left + m_rcItem.right - thickness) / 2;
            filled.right = filled.left + thickness;
            filled.top = (thumb.top + thumb.bottom) / 2;
        }
        hDC->FillRoundRect(filled, thickness / 2, GetAdjustColor(IsEnabled() ? m_dwForeColor : kDisabledFill));
    }
    if (!m_sForeImage.empty())
        CProgressUI::PaintStatusImage(hDC);
    const CDuiString* image = &m_sThumbImage;
    if ((m_uButtonState & UISTATE_CAPTURED) && !m_sThumbPushedImage.empty())
        image = &m_sThumbPushedImage;
    else if ((m_uButtonState & UISTATE_HOT) && !m_sThumbHotImage.empty())
        image = &m_sThumbHotImage;
    if (!image->empty() && m_pManager) {
        const CDPI* dpi = m_pManager->GetDPIObj();
        CDuiString modify;
        modify.Format("dest='%d,%d,%d,%d'", dpi->ScaleBack(thumb.left - m_rcItem.left),
                      dpi->ScaleBack(thumb.top - m_rcItem.top), dpi->ScaleBack(thumb.right - m_rcItem.left),
                      dpi->ScaleBack(thumb.bottom - m_rcItem.top));
        DrawImage(hDC, *image, modify);
        return;
    }
    DWORD color = m_dwThumbColor;
    if (m_uButtonState & (UISTATE_HOT | UISTATE_CAPTURED))
        color |= 0xFF000000;
    hDC->FillEllipse(thumb, GetAdjustColor(IsEnabled() ? color : kDisabledThumb));
}

void CSliderUI::SetAttribute(std::string_view name, std::string_view value)
{
    if (name == "step") SetChangeStep(ParseInt(value, 1));
    else if (name == "thumbsize") SetThumbSize(ParseSize(value));
    else if (name == "thumbimage") SetThumbImage(CDuiString(value));
    else if (name == "thumbhotimage") m_sThumbHotImage = value;
    else if (name == "thumbpushedimage") m_sThumbPushedImage = value;
    else if (name == "thumbcolor") SetThumbColor(ParseColor(value));
    else CProgressUI::SetAttribute(name, value);
}
