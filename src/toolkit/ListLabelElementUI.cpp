#include "toolkit/ListLabelElementUI.h"

const char* CListLabelElementUI::GetClass() const
{
    return "ListLabelElementUI";
}

void* CListLabelElementUI::GetInterface(std::string_view name)
{
    return name == "ListLabelElement" ? this : CListElementUI::GetInterface(name);
}

SIZE CListLabelElementUI::EstimateSize(SIZE available)
{
    SIZE size = CListElementUI::EstimateSize(available);
    if (size.cy == 0 && m_pOwner)
        size.cy = Scale(m_pOwner->GetListInfo()->nItemHeight);
    return size;
}

void CListLabelElementUI::PaintText(HDC hDC)
{
    TListInfoUI* info = m_pOwner ? m_pOwner->GetListInfo() : nullptr;
    PaintRowText(hDC, RECT{8, 0, 8, 0}, info ? info->uTextStyle : (DT_VCENTER | DT_SINGLELINE));
}
