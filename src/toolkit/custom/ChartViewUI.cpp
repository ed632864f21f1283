#include "toolkit/custom/ChartViewUI.h"

#include "toolkit/RenderEngine.h"
#include "toolkit/UIParse.h"

#include <algorithm>

namespace {
const DWORD kSliceColours[] = {0xFF4F8DF5, 0xFFF5A34F, 0xFF5FC97E, 0xFFE0565B, 0xFFA77BE8, 0xFF4FC7D1};
}

void* CChartViewUI::GetInterface(std::string_view name)
{
    if (name == "ChartView")
        return this;
    return CControlUI::GetInterface(name);
}

void CChartViewUI::SetSelectedItem(int index)
{
    if (index == m_nSelected)
        return;
    m_nSelected = index;
    Invalidate();
}

DWORD CChartViewUI::ItemColour(size_t index) const
{
    if (m_dwSelectedColor && int(index) == m_nSelected)
        return m_dwSelectedColor;
    if (m_dwPillarColor)
        return m_dwPillarColor;
    return kSliceColours[index % std::size(kSliceColours)];
}

void CChartViewUI::AddItem(const std::string& name, double value)
{
    m_items.emplace_back(name, value);
    Invalidate();
}

void CChartViewUI::RemoveAllItems()
{
    m_items.clear();
    Invalidate();
}

bool CChartViewUI::DoPaint(HDC hDC, const RECT& rcPaint, CControlUI* stopControl)
{
    RECT overlap;
    if (!IntersectRect(&overlap, &rcPaint, &m_rcItem))
        return true;
    CControlUI::DoPaint(hDC, rcPaint, stopControl);
    if (m_nView == kHistogram && !m_sShadowImage.empty()) {
        int t = m_bShowText ? 25 : 0;
        RECT shadow{m_rcItem.left, m_rcItem.bottom - m_nShadowHeight - t, m_rcItem.right, m_rcItem.bottom - t};
        if (!CRenderEngine::DrawImageString(hDC, m_pManager, shadow, m_rcPaint, m_sShadowImage))
            m_sShadowImage.clear(); // not tried again
    }
    if (!m_items.empty())
        PaintItems(hDC);
    return true;
}

void CChartViewUI::PaintItems(HDC hDC)
{
    double total = 0;
    double highest = 0;
    for (const auto& item : m_items) {
        total += std::max(0.0, item.second);
        highest = std::max(highest, item.second);
    }
    if (total <= 0)
        return;
    if (m_nView == kPie) {
        int side = std::min(GetWidth(), GetHeight());
        RECT disc{m_rcItem.left, m_rcItem.top, m_rcItem.left + side, m_rcItem.top + side};
        float start = 0;
        for (size_t i = 0; i < m_items.size(); ++i) {
            float sweep = float(std::max(0.0, m_items[i].second) / total * 360.0);
            hDC->FillPie(disc, start, sweep, kSliceColours[i % std::size(kSliceColours)]);
            start += sweep;
        }
        return;
    }
    int textHeight = m_bShowText ? 25 : 0;
    int slot = GetWidth() / int(m_items.size());
    int pillar = m_nPillarWidth > 0 ? m_nPillarWidth : std::max(1, slot / 2);
    int area = GetHeight() - textHeight;
    for (size_t i = 0; i < m_items.size(); ++i) {
        int left = m_rcItem.left + int(i) * slot + (slot - pillar) / 2;
        int height = int(std::max(0.0, m_items[i].second) / highest * area);
        RECT bar{left, m_rcItem.bottom - textHeight - height, left + pillar, m_rcItem.bottom - textHeight};
        hDC->FillRect(bar, ItemColour(i));
        if (m_bShowText)
            CRenderEngine::DrawText(hDC, m_pManager, RECT{left - slot / 4, bar.bottom, left + pillar + slot / 4, m_rcItem.bottom},
                                    m_items[i].first, 0xFF909090, m_nFont, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

void CChartViewUI::SetAttribute(std::string_view name, std::string_view value)
{
    CControlUI::SetAttribute(name, value);
    if (name == "view") {
        if (value == "pie")
            m_nView = kPie;
        else if (value == "histpgram")
            m_nView = kHistogram;
    } else if (name == "shadowimage") m_sShadowImage = value;
    else if (name == "shadowimageheight") m_nShadowHeight = ParseInt(value);
    else if (name == "pillarimage") m_sPillarImage = value;
    else if (name == "pillarimagewidth") m_nPillarWidth = ParseInt(value);
    else if (name == "showhtml") m_bShowHtml = value == "true";
    else if (name == "showtext") m_bShowText = value == "true";
    else if (name == "font") m_nFont = ParseInt(value, -1);
    else if (name == "pillarcolor") m_dwPillarColor = ParseColor(value);
    else if (name == "selectedcolor") m_dwSelectedColor = ParseColor(value);
}
