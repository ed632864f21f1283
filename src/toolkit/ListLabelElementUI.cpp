#include "toolkit/ListLabelElementUI.h"

#include "toolkit/RenderEngine.h"

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
    CDuiString text = GetText();
    if (text.empty() || !m_pManager)
        return;
    TListInfoUI* info = m_pOwner ? m_pOwner->GetListInfo() : nullptr;
    CDuiRect rc(m_rcItem);
    rc.Deflate(Scale(info ? info->rcTextPadding : RECT{8, 0, 8, 0}));
    DWORD color = RowTextColor();
    if (!color)
        color = m_pManager->GetDefaultFontColor();
    CRenderEngine::DrawText(hDC, m_pManager, rc, text, GetAdjustColor(color), info ? info->nFont : -1,
                            info ? info->uTextStyle : (DT_VCENTER | DT_SINGLELINE));
}
