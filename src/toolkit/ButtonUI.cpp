#include "toolkit/ButtonUI.h"

#include "toolkit/PaintManagerUI.h"
#include "toolkit/UIParse.h"

CButtonUI::CButtonUI()
{
    m_uTextStyle = DT_SINGLELINE | DT_VCENTER | DT_CENTER;
}

const char* CButtonUI::GetClass() const
{
    return "ButtonUI";
}

void* CButtonUI::GetInterface(std::string_view name)
{
    return name == "Button" ? this : CLabelUI::GetInterface(name);
}

bool CButtonUI::Activate()
{
    if (!CControlUI::Activate())
        return false;
    if (m_pManager)
        m_pManager->SendNotify(this, "click");
    return true;
}

void CButtonUI::SetEnabled(bool enabled)
{
    CControlUI::SetEnabled(enabled);
    if (!enabled)
        m_uButtonState = UISTATE_DISABLED;
}

bool CButtonUI::IsPointInside(POINT pt) const
{
    return PtInRect(&m_rcItem, pt);
}

bool CButtonUI::NotifyHover(const TEventUI& event)
{
    if (event.Type != UIEVENT_MOUSEENTER && event.Type != UIEVENT_MOUSELEAVE)
        return false;
    if (!IsEnabled())
        return true;
    bool enter = event.Type == UIEVENT_MOUSEENTER;
    if (enter)
        m_uButtonState |= UISTATE_HOT;
    else
        m_uButtonState &= ~UISTATE_HOT;
    if (m_pManager)
        m_pManager->SendNotify(this, enter ? "msenter" : "msleave");
    Invalidate();
    return true;
}

void CButtonUI::DoEvent(TEventUI& event)
{
    switch (event.Type) {
    case UIEVENT_KEYDOWN:
        if (IsKeyboardEnabled() && (event.chKey == VK_SPACE || event.chKey == VK_RETURN)) {
            Activate();
            return;
        }
        break;
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_DBLCLICK:
        if (IsPointInside(event.ptMouse) && IsEnabled()) {
            m_uButtonState |= UISTATE_PUSHED | UISTATE_CAPTURED;
            Invalidate();
        }
        return;
    case UIEVENT_MOUSEMOVE:
        if (m_uButtonState & UISTATE_CAPTURED) {
            if (IsPointInside(event.ptMouse))
                m_uButtonState |= UISTATE_PUSHED;
            else
                m_uButtonState &= ~UISTATE_PUSHED;
            Invalidate();
        }
        return;
    case UIEVENT_BUTTONUP:
        if (m_uButtonState & UISTATE_CAPTURED) {
            m_uButtonState &= ~(UISTATE_PUSHED | UISTATE_CAPTURED);
            Invalidate();
            if (IsPointInside(event.ptMouse))
                Activate();
        }
        return;
    case UIEVENT_MOUSEENTER:
        if (IsEnabled()) {
            m_uButtonState |= UISTATE_HOT;
            Invalidate();
        }
        return;
    case UIEVENT_MOUSELEAVE:
        if (IsEnabled()) {
            m_uButtonState &= ~UISTATE_HOT;
            Invalidate();
        }
        return;
    case UIEVENT_SETCURSOR:
        return;
    default:
        break;
    }
    CLabelUI::DoEvent(event);
}

void CButtonUI::SetNormalImage(const CDuiString& image) { m_sNormalImage = image; Invalidate(); }
void CButtonUI::SetHotImage(const CDuiString& image) { m_sHotImage = image; Invalidate(); }
void CButtonUI::SetPushedImage(const CDuiString& image) { m_sPushedImage = image; Invalidate(); }
void CButtonUI::SetFocusedImage(const CDuiString& image) { m_sFocusedImage = image; Invalidate(); }
void CButtonUI::SetDisabledImage(const CDuiString& image) { m_sDisabledImage = image; Invalidate(); }
void CButtonUI::SetHotBkColor(DWORD argb) { m_dwHotBkColor = argb; Invalidate(); }
void CButtonUI::SetPushedBkColor(DWORD argb) { m_dwPushedBkColor = argb; Invalidate(); }
void CButtonUI::SetDisabledBkColor(DWORD argb) { m_dwDisabledBkColor = argb; Invalidate(); }
void CButtonUI::SetHotTextColor(DWORD argb) { m_dwHotTextColor = argb; Invalidate(); }
void CButtonUI::SetPushedTextColor(DWORD argb) { m_dwPushedTextColor = argb; Invalidate(); }
void CButtonUI::SetFocusedTextColor(DWORD argb) { m_dwFocusedTextColor = argb; Invalidate(); }

DWORD CButtonUI::CurrentBkColor() const
{
    if (!IsEnabled() && m_dwDisabledBkColor)
        return m_dwDisabledBkColor;
    if ((m_uButtonState & UISTATE_PUSHED) && m_dwPushedBkColor)
        return m_dwPushedBkColor;
    if ((m_uButtonState & UISTATE_HOT) && m_dwHotBkColor)
        return m_dwHotBkColor;
    return m_dwBackColor;
}

DWORD CButtonUI::CurrentTextColor() const
{
    if (IsEnabled()) {
        if ((m_uButtonState & UISTATE_PUSHED) && m_dwPushedTextColor)
            return m_dwPushedTextColor;
        if ((m_uButtonState & UISTATE_HOT) && m_dwHotTextColor)
            return m_dwHotTextColor;
        if (IsFocused() && m_dwFocusedTextColor)
            return m_dwFocusedTextColor;
    }
    return CLabelUI::CurrentTextColor();
}

void CButtonUI::PaintBkColor(HDC hDC)
{
    DWORD color = CurrentBkColor();
    if (color == 0)
        return;
    if (m_nBorderRound > 0)
        hDC->FillRoundRect(m_rcItem, GetBorderRound(), GetAdjustColor(color));
    else
        hDC->FillRect(m_rcItem, GetAdjustColor(color));
}

void CButtonUI::PaintStatusImage(HDC hDC)
{
    const CDuiString* image = &m_sNormalImage;
    if (!IsEnabled() && !m_sDisabledImage.empty())
        image = &m_sDisabledImage;
    else if ((m_uButtonState & UISTATE_PUSHED) && !m_sPushedImage.empty())
        image = &m_sPushedImage;
    else if ((m_uButtonState & UISTATE_HOT) && !m_sHotImage.empty())
        image = &m_sHotImage;
    else if (IsFocused() && !m_sFocusedImage.empty())
        image = &m_sFocusedImage;
    if (!image->empty())
        DrawImage(hDC, *image);
}

void CButtonUI::SetAttribute(std::string_view name, std::string_view value)
{
    if (name == "normalimage") SetNormalImage(CDuiString(value));
    else if (name == "hotimage") SetHotImage(CDuiString(value));
    else if (name == "pushedimage") SetPushedImage(CDuiString(value));
    else if (name == "focusedimage") SetFocusedImage(CDuiString(value));
    else if (name == "disabledimage") SetDisabledImage(CDuiString(value));
    else if (name == "hotbkcolor") SetHotBkColor(ParseColor(value));
    else if (name == "pushedbkcolor") SetPushedBkColor(ParseColor(value));
    else if (name == "disabledbkcolor") SetDisabledBkColor(ParseColor(value));
    else if (name == "hottextcolor") SetHotTextColor(ParseColor(value));
    else if (name == "pushedtextcolor") SetPushedTextColor(ParseColor(value));
    else if (name == "focusedtextcolor") SetFocusedTextColor(ParseColor(value));
    else CLabelUI::SetAttribute(name, value);
}
