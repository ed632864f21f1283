#include "toolkit/ProgressUI.h"

#include "toolkit/UIParse.h"

#include <algorithm>

CProgressUI::CProgressUI()
{
    m_uTextStyle = DT_SINGLELINE | DT_CENTER | DT_VCENTER;
}

const char* CProgressUI::GetClass() const
{
    return "ProgressUI";
}

void* CProgressUI::GetInterface(std::string_view name)
{
    return name == "Progress" ? this : CLabelUI::GetInterface(name);
}

void CProgressUI::SetHorizontal(bool horizontal)
{
    m_bHorizontal = horizontal;
    Invalidate();
}

void CProgressUI::SetMinValue(int min)
{
    m_nMin = min;
    m_nValue = std::max(m_nValue, min);
    Invalidate();
}

void CProgressUI::SetMaxValue(int max)
{
    m_nMax = max;
    m_nValue = std::min(m_nValue, std::max(max, m_nMin));
    Invalidate();
}

void CProgressUI::SetValue(int value)
{
    value = std::clamp(value, m_nMin, std::max(m_nMin, m_nMax));
    if (value == m_nValue)
        return;
    m_nValue = value;
    Invalidate();
}

void CProgressUI::SetForeColor(DWORD argb)
{
    m_dwForeColor = argb;
    Invalidate();
}

RECT CProgressUI::FilledRect() const
{
    RECT rc = m_rcItem;
    int range = m_nMax - m_nMin;
    if (range <= 0)
        return RECT{rc.left, rc.top, rc.left, rc.bottom};
    if (m_bHorizontal)
        rc.right = rc.left + int(int64_t(m_nValue - m_nMin) * (rc.right - rc.left) / range);
    else
        rc.top = rc.bottom - int(int64_t(m_nValue - m_nMin) * (rc.bottom - rc.top) / range);
    return rc;
}

void CProgressUI::PaintStatusImage(HDC hDC)
{
    RECT filled = FilledRect();
    if (IsRectEmpty(&filled))
        return;
    if (m_dwForeColor) {
        if (m_nBorderRound > 0)
            hDC->FillRoundRect(filled, GetBorderRound(), GetAdjustColor(m_dwForeColor));
        else
            hDC->FillRect(filled, GetAdjustColor(m_dwForeColor));
    }
    if (!m_sForeImage.empty()) {
        hDC->PushClip(filled);
        DrawImage(hDC, m_sForeImage);
        hDC->PopClip();
    }
}

void CProgressUI::SetAttribute(std::string_view name, std::string_view value)
{
    if (name == "hor") SetHorizontal(ParseBool(value));
    else if (name == "min") SetMinValue(ParseInt(value));
    else if (name == "max") SetMaxValue(ParseInt(value));
    else if (name == "value") SetValue(ParseInt(value));
    else if (name == "forecolor") SetForeColor(ParseColor(value));
    else CLabelUI::SetAttribute(name, value);
}
