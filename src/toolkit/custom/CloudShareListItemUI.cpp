#include "toolkit/custom/CloudShareListItemUI.h"

const char* CCloudShareListItemUI::GetClass() const
{
    return "CloudShareListItemUI";
}

void* CCloudShareListItemUI::GetInterface(std::string_view name)
{
    return name == "CloudShareListItem" ? this : CListContainerElementUI::GetInterface(name);
}

void CCloudShareListItemUI::DoEvent(TEventUI& event)
{
    if (event.Type == UIEVENT_CONTEXTMENU) {
        if (IsContextMenuUsed() && m_pManager)
            m_pManager->SendNotify(this, "menu", event.wParam, event.lParam);
        return;
    }
    // Enter and leave set and clear hot; activation sends "itemactivate" once, in the base.
    CListContainerElementUI::DoEvent(event);
}

void CCloudShareListItemUI::PaintBkColor(HDC hDC)
{
    CListContainerElementUI::PaintBkColor(hDC);
    TListInfoUI* info = m_pOwner ? m_pOwner->GetListInfo() : nullptr;
    if (!info || !(m_uButtonState & UISTATE_HOT) || IsSelected() || info->sHotImage.empty())
        return;
    DWORD frame = info->dwLineColor ? info->dwLineColor : info->dwHotTextColor;
    if (frame)
        hDC->DrawRect(m_rcItem, 1, GetAdjustColor(frame));
}
