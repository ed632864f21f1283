#include "toolkit/custom/SelectPanelUI.h"

#include "toolkit/PaintManagerUI.h"
#include "toolkit/custom/DeviceKeyButtonUI.h"

#include <algorithm>
#include <cstring>

const char* CSelectPanelUI::GetClass() const
{
    return "SelectPanel";
}

void* CSelectPanelUI::GetInterface(std::string_view name)
{
    return name == "SelectPanel" ? this : CVerticalLayoutUI::GetInterface(name);
}

void CSelectPanelUI::DoEvent(TEventUI& event)
{
    CVerticalLayoutUI::DoEvent(event);
    switch (event.Type) {
    case UIEVENT_BUTTONDOWN:
        if (IsEnabled()) {
            m_bPressed = true;
            m_ptAnchor = event.ptMouse;
        }
        return;
    case UIEVENT_MOUSEMOVE:
        if (m_bPressed)
            m_bDragging = true;
        if (m_bDragging) {
            m_ptCurrent = event.ptMouse;
            m_rcSelect.left = std::min(m_ptAnchor.x, m_ptCurrent.x);
            m_rcSelect.right = std::max(m_ptAnchor.x, m_ptCurrent.x);
            m_rcSelect.top = std::min(m_ptAnchor.y, m_ptCurrent.y);
            m_rcSelect.bottom = std::max(m_ptAnchor.y, m_ptCurrent.y);
            NeedUpdate();
        }
        return;
    case UIEVENT_BUTTONUP:
        m_bPressed = false;
        if (m_bDragging) {
            m_bDragging = false;
            m_ptAnchor = m_ptCurrent;
            ApplySelection();
            NeedUpdate();
            if (m_pManager)
                m_pManager->SendNotify(this, "click_select_end");
        }
        return;
    default:
        return;
    }
}

void CSelectPanelUI::ApplySelection()
{
    for (int i = 0; i < GetCount(); ++i) {
        CControlUI* child = GetItemAt(i);
        if (std::strcmp(child->GetClass(), "DeviceKeyButton") != 0)
            continue;
        RECT overlap;
        RECT pos = child->GetPos();
        static_cast<CDeviceKeyButtonUI*>(child)->SetKeySelected(IntersectRect(&overlap, &m_rcSelect, &pos));
    }
}
