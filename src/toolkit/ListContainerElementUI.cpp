#include "toolkit/ListContainerElementUI.h"

const char* CListContainerElementUI::GetClass() const
{
    return "ListContainerElementUI";
}

void* CListContainerElementUI::GetInterface(std::string_view name)
{
    return name == "ListContainerElement" ? this : CListItemBase<CHorizontalLayoutUI>::GetInterface(name);
}

SIZE CListContainerElementUI::EstimateSize(SIZE available)
{
    SIZE size = CListItemBase<CHorizontalLayoutUI>::EstimateSize(available);
    if (size.cy == 0 && m_pOwner)
        size.cy = Scale(m_pOwner->GetListInfo()->nItemHeight);
    return size;
}
