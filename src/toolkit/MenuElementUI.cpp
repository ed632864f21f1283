#include "toolkit/MenuElementUI.h"

#include "toolkit/RenderEngine.h"

const char* CMenuElementUI::GetClass() const
{
    return "MenuElementUI";
}

void* CMenuElementUI::GetInterface(std::string_view name)
{
    return name == "MenuElement" ? this : CListContainerElementUI::GetInterface(name);
}

void CMenuElementUI::PaintText(HDC hDC)
{
    CDuiString text = GetText();
    if (text.empty() || !m_pManager)
        return;
    TListInfoUI* info = m_pOwner ? m_pOwner->GetListInfo() : nullptr;
    CDuiRect rc(m_rcItem);
    rc.Deflate(Scale(info ? info->rcTextPadding : RECT{12, 0, 12, 0}));
    DWORD color = RowTextColor();
    if (!color)
        color = m_pManager->GetDefaultFontColor();
    CRenderEngine::DrawText(hDC, m_pManager, rc, text, GetAdjustColor(color), info ? info->nFont : -1,
                            DT_SINGLELINE | DT_VCENTER);
}
