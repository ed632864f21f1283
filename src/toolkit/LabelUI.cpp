#include "toolkit/LabelUI.h"

#include "toolkit/PaintManagerUI.h"
#include "toolkit/RenderEngine.h"
#include "toolkit/UIParse.h"

#include <algorithm>

CLabelUI::CLabelUI() = default;

const char* CLabelUI::GetClass() const
{
    return "LabelUI";
}

void* CLabelUI::GetInterface(std::string_view name)
{
    return name == "Label" ? this : CControlUI::GetInterface(name);
}

void CLabelUI::SetTextStyle(UINT style)
{
    m_uTextStyle = style;
    Invalidate();
}

void CLabelUI::SetTextColor(DWORD argb)
{
    m_dwTextColor = argb;
    Invalidate();
}

void CLabelUI::SetDisabledTextColor(DWORD argb)
{
    m_dwDisabledTextColor = argb;
    Invalidate();
}

void CLabelUI::SetFont(int index)
{
    m_iFont = index;
    Invalidate();
}

RECT CLabelUI::GetTextPadding() const
{
    return Scale(m_rcTextPadding);
}

void CLabelUI::SetTextPadding(RECT padding)
{
    m_rcTextPadding = padding;
    Invalidate();
}

void CLabelUI::SetAutoCalcWidth(bool autoCalc)
{
    m_bAutoCalcWidth = autoCalc;
    NeedParentUpdate();
}

void CLabelUI::SetText(const CDuiString& text)
{
    if (text == m_sText)
        return;
    CControlUI::SetText(text);
    if (m_bAutoCalcWidth)
        NeedParentUpdate();
}

SIZE CLabelUI::EstimateSize(SIZE available)
{
    SIZE size = CControlUI::EstimateSize(available);
    if (m_bAutoCalcWidth && m_pManager) {
        RECT pad = GetTextPadding();
        size.cx = CRenderEngine::GetTextSize(m_pManager, GetText(), m_iFont).cx + pad.left + pad.right;
    }
    return size;
}

DWORD CLabelUI::CurrentTextColor() const
{
    if (!IsEnabled() && m_dwDisabledTextColor != 0)
        return m_dwDisabledTextColor;
    if (m_dwTextColor != 0)
        return m_dwTextColor;
    return m_pManager ? m_pManager->GetDefaultFontColor() : 0xFF000000;
}

void CLabelUI::PaintText(HDC hDC)
{
    PaintTextIn(hDC, CurrentTextColor());
}

void CLabelUI::PaintTextIn(HDC hDC, DWORD argb)
{
    CDuiString text = GetText();
    if (text.empty())
        return;
    CDuiRect rc(m_rcItem);
    rc.Deflate(GetTextPadding());
    // A label wider than the containers around it is cut at their edge: the ellipsis goes where
    // the text becomes invisible, not at the label's own edge.
    if (m_uTextStyle & DT_END_ELLIPSIS) {
        for (CControlUI* parent = m_pParent; parent; parent = parent->GetParent())
            rc.right = std::min(rc.right, parent->GetPos().right);
        if (rc.right <= rc.left)
            return;
    }
    CRenderEngine::DrawText(hDC, m_pManager, rc, text, GetAdjustColor(argb), m_iFont, m_uTextStyle);
}

void CLabelUI::SetAttribute(std::string_view name, std::string_view value)
{
    if (name == "align") {
        m_uTextStyle &= ~(DT_CENTER | DT_RIGHT);
        m_uTextStyle |= value == "center" ? DT_CENTER : value == "right" ? DT_RIGHT : DT_LEFT;
    } else if (name == "valign") {
        m_uTextStyle &= ~(DT_VCENTER | DT_BOTTOM);
        m_uTextStyle |= value == "vcenter" || value == "center" ? DT_VCENTER : value == "bottom" ? DT_BOTTOM : DT_TOP;
    } else if (name == "endellipsis") {
        m_uTextStyle = ParseBool(value) ? (m_uTextStyle | DT_END_ELLIPSIS) : (m_uTextStyle & ~DT_END_ELLIPSIS);
    } else if (name == "multiline" || name == "wordbreak") {
        m_uTextStyle = ParseBool(value) ? ((m_uTextStyle & ~DT_SINGLELINE) | DT_WORDBREAK)
                                        : ((m_uTextStyle & ~DT_WORDBREAK) | DT_SINGLELINE);
    } else if (name == "textcolor") SetTextColor(ParseColor(value));
    else if (name == "disabledtextcolor") SetDisabledTextColor(ParseColor(value));
    else if (name == "font") SetFont(ParseInt(value, -1));
    else if (name == "textpadding") SetTextPadding(ParseRect(value));
    else if (name == "autocalcwidth") SetAutoCalcWidth(ParseBool(value));
    else CControlUI::SetAttribute(name, value);
}
