#include "toolkit/ComboUI.h"

#include "toolkit/ComboWnd.h"
#include "toolkit/RenderEngine.h"
#include "toolkit/UIParse.h"

CComboUI::CComboUI()
{
    m_ListInfo.nItemHeight = 26;
}

CComboUI::~CComboUI()
{
    CloseDrop();
}

const char* CComboUI::GetClass() const
{
    return "ComboUI";
}

void* CComboUI::GetInterface(std::string_view name)
{
    return name == "Combo" ? this : CListOwnerBase<CContainerUI>::GetInterface(name);
}

bool CComboUI::SelectItem(int index, bool takeFocus, bool triggerEvent)
{
    bool done = CListOwnerBase<CContainerUI>::SelectItem(index, false, triggerEvent);
    if (takeFocus)
        SetFocus();
    if (m_pWindow)
        m_pWindow->Close(IDOK);
    Invalidate();
    return done;
}

bool CComboUI::SelectItem1(int index, bool takeFocus, bool triggerEvent)
{
    return SelectItem(index, takeFocus, triggerEvent);
}

CDuiString CComboUI::GetText() const
{
    if (CControlUI* row = GetItemAt(m_iCurSel))
        return row->GetText();
    return CListOwnerBase<CContainerUI>::GetText();
}

bool CComboUI::Activate()
{
    if (!CControlUI::Activate())
        return false;
    if (m_pWindow) {
        CloseDrop();
        return true;
    }
    m_pWindow = CComboWnd::Open(this);
    if (m_pManager)
        m_pManager->SendNotify(this, "dropdown");
    Invalidate();
    return true;
}

void CComboUI::CloseDrop()
{
    if (CComboWnd* window = m_pWindow) {
        m_pWindow = nullptr;
        window->DetachOwner();
        window->DestroyWindow();
    }
}

void CComboUI::SetPos(RECT rc, bool needInvalidate)
{
    // The rows are laid out by the drop-down window, not inside the field.
    CControlUI::SetPos(rc, needInvalidate);
}

CControlUI* CComboUI::FindControl(FINDCONTROLPROC proc, void* data, UINT flags)
{
    if (flags & UIFIND_HITTEST)
        return CControlUI::FindControl(proc, data, flags);
    return CListOwnerBase<CContainerUI>::FindControl(proc, data, flags);
}

void CComboUI::DoEvent(TEventUI& event)
{
    if (TrackHot(event))
        return;
    switch (event.Type) {
    case UIEVENT_BUTTONDOWN:
        if (IsEnabled()) {
            m_uButtonState |= UISTATE_PUSHED | UISTATE_CAPTURED;
            Invalidate();
        }
        return;
    case UIEVENT_BUTTONUP:
        if (m_uButtonState & UISTATE_CAPTURED) {
            m_uButtonState &= ~(UISTATE_PUSHED | UISTATE_CAPTURED);
            if (PtInRect(&m_rcItem, event.ptMouse))
                Activate();
            Invalidate();
        }
        return;
    case UIEVENT_SCROLLWHEEL:
        if (IsEnabled() && !m_pWindow) {
            int next = m_iCurSel + (event.wParam == SB_LINEDOWN ? 1 : -1);
            if (next >= 0 && next < GetCount())
                SelectItem(next);
        }
        return;
    case UIEVENT_KEYDOWN:
        if (event.chKey == VK_DOWN && m_iCurSel + 1 < GetCount())
            SelectItem(m_iCurSel + 1);
        else if (event.chKey == VK_UP && m_iCurSel > 0)
            SelectItem(m_iCurSel - 1);
        else if (event.chKey == VK_RETURN || event.chKey == VK_SPACE)
            Activate();
        return;
    case UIEVENT_MOUSEMOVE:
        return;
    default:
        CControlUI::DoEvent(event);
    }
}

bool CComboUI::DoPaint(HDC hDC, const RECT& rcPaint, CControlUI*)
{
    if (!IntersectRect(&m_rcPaint, &rcPaint, &m_rcItem))
        return true;
    DWORD bk = ((m_uButtonState & (UISTATE_HOT | UISTATE_PUSHED)) || m_pWindow) && m_dwHotBkColor ? m_dwHotBkColor
                                                                                                   : m_dwBackColor;
    if (bk)
        hDC->FillRoundRect(m_rcItem, GetBorderRound(), GetAdjustColor(bk));
    PaintBkImage(hDC);
    CDuiString text = GetText();
    if (!text.empty() && m_pManager) {
        CDuiRect rc(m_rcItem);
        rc.Deflate(Scale(m_rcTextPadding));
        DWORD color = m_dwTextColor ? m_dwTextColor : m_pManager->GetDefaultFontColor();
        if (!IsEnabled())
            color = (color & 0x00FFFFFF) | 0x80000000;
        CRenderEngine::DrawText(hDC, m_pManager, rc, text, GetAdjustColor(color), m_iFont,
                                DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    }
    PaintArrow(hDC);
    PaintBorder(hDC);
    return true;
}

void CComboUI::PaintArrow(HDC hDC)
{
    int size = Scale(4);
    int cx = m_rcItem.right - Scale(14);
    int cy = (m_rcItem.top + m_rcItem.bottom) / 2;
    DWORD color = m_dwArrowColor ? m_dwArrowColor : (m_dwTextColor ? m_dwTextColor : 0xFF808080);
    int dir = m_pWindow ? -1 : 1;
    hDC->DrawLine(POINT{cx - size, cy - dir * size / 2}, POINT{cx, cy + dir * size / 2}, std::max(1, Scale(2) / 1), color);
    hDC->DrawLine(POINT{cx, cy + dir * size / 2}, POINT{cx + size, cy - dir * size / 2}, std::max(1, Scale(2) / 1), color);
}

void CComboUI::SetAttribute(std::string_view name, std::string_view value)
{
    if (name == "dropboxsize") m_szDropBox = ParseSize(value);
    else if (name == "textcolor") m_dwTextColor = ParseColor(value);
    else if (name == "hotbkcolor") m_dwHotBkColor = ParseColor(value);
    else if (name == "arrowcolor") m_dwArrowColor = ParseColor(value);
    else if (name == "dropbkcolor") m_dwDropBkColor = ParseColor(value);
    else if (name == "font") m_iFont = ParseInt(value, -1);
    else if (name == "textpadding") m_rcTextPadding = ParseRect(value);
    else CListOwnerBase<CContainerUI>::SetAttribute(name, value);
}
