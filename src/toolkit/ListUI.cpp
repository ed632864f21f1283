#include "toolkit/ListUI.h"

CListUI::CListUI()
{
    m_bScrollable = true;
}

const char* CListUI::GetClass() const
{
    return "ListUI";
}

void* CListUI::GetInterface(std::string_view name)
{
    return name == "List" ? this : CListOwnerBase<CVerticalLayoutUI>::GetInterface(name);
}

void CListUI::EnsureVisible(int index)
{
    CControlUI* row = GetItemAt(index);
    if (!row || IsUpdateNeeded())
        return;
    RECT inner = InnerRect();
    RECT pos = row->GetPos();
    if (pos.top < inner.top)
        SetScrollPos(m_nScrollPos - (inner.top - pos.top));
    else if (pos.bottom > inner.bottom)
        SetScrollPos(m_nScrollPos + (pos.bottom - inner.bottom));
}

void CListUI::DoEvent(TEventUI& event)
{
    if (event.Type == UIEVENT_KEYDOWN && IsEnabled()) {
        if (event.chKey == VK_UP && m_iCurSel > 0) {
            SelectItem(m_iCurSel - 1, true);
            return;
        }
        if (event.chKey == VK_DOWN && m_iCurSel + 1 < GetCount()) {
            SelectItem(m_iCurSel + 1, true);
            return;
        }
    }
    CListOwnerBase<CVerticalLayoutUI>::DoEvent(event);
}
