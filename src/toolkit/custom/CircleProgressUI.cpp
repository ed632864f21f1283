#include "toolkit/custom/CircleProgressUI.h"

const char* CCircleProgressUI::GetClass() const
{
    return "CircleProgress";
}

void* CCircleProgressUI::GetInterface(std::string_view name)
{
    return name == "CircleProgress" ? this : CProgressUI::GetInterface(name);
}

int CCircleProgressUI::SweepDegrees() const
{
    int range = m_nMax - m_nMin;
    if (range == 0)
        return 0; // no range, no arc (the ratio would divide by zero)
    return int(float(m_nValue) / float(range) * 360.0f);
}

void CCircleProgressUI::PaintBkColor(HDC hDC)
{
    hDC->FillPie(m_rcItem, 0, 360, GetAdjustColor(GetBkColor()));
}

void CCircleProgressUI::PaintStatusImage(HDC hDC)
{
    hDC->FillPie(m_rcItem, 90, float(SweepDegrees()), GetAdjustColor(GetForeColor()));
    // The ring is 10 px wide whatever the DPI.
    RECT hole{m_rcItem.left + 10, m_rcItem.top + 10, m_rcItem.right - 10, m_rcItem.bottom - 10};
    hDC->FillEllipse(hole, 0xFFFFFFFF);
}
