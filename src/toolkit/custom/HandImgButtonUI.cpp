#include "toolkit/custom/HandImgButtonUI.h"

#include "toolkit/RenderEngine.h"
#include "toolkit/UIParse.h"

const char* CHandImgButtonUI::GetClass() const
{
    return "HandImgButton";
}

void* CHandImgButtonUI::GetInterface(std::string_view name)
{
    return name == "HandImgButton" ? this : CButtonUI::GetInterface(name);
}

void CHandImgButtonUI::PaintStatusImage(HDC hDC)
{
    CButtonUI::PaintStatusImage(hDC);
    // Relative names resolve below the skin folder, absolute ones as they are.
    CRenderEngine::DrawImageString(hDC, m_pManager, m_rcItem, m_rcPaint, m_sHandImage);
}

void CHandImgButtonUI::DoEvent(TEventUI& event)
{
    if (NotifyHover(event)) {
        CButtonUI::DoEvent(event);
        return;
    }
    switch (event.Type) {
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_DBLCLICK:
        if (IsPointInside(event.ptMouse) && IsEnabled())
            m_uButtonState |= UISTATE_PUSHED | UISTATE_CAPTURED;
        Invalidate();
        return;
    case UIEVENT_BUTTONUP:
        if (m_uButtonState & UISTATE_CAPTURED) {
            if (IsPointInside(event.ptMouse))
                Activate();
            m_uButtonState &= ~(UISTATE_PUSHED | UISTATE_CAPTURED);
        }
        Invalidate();
        return;
    case UIEVENT_MOUSEMOVE:
        if (m_uButtonState & UISTATE_CAPTURED) {
            if (IsPointInside(event.ptMouse))
                m_uButtonState |= UISTATE_PUSHED;
            else
                m_uButtonState &= ~UISTATE_PUSHED;
        }
        Invalidate();
        return;
    default:
        CButtonUI::DoEvent(event);
    }
}

void CHandImgButtonUI::SetAttribute(std::string_view name, std::string_view value)
{
    if (EqualsNoCase(name, "handimage")) {
        m_sHandImage = value;
        Invalidate();
    } else {
        CButtonUI::SetAttribute(name, value);
    }
}
