#include "toolkit/custom/ComboEditContainerElementUI.h"

#include "toolkit/DialogBuilder.h"

const char* CComboEditContainerElementUI::GetClass() const
{
    return "ComboEditContainerElement";
}

void* CComboEditContainerElementUI::GetInterface(std::string_view name)
{
    return name == "ComboEditContainerElement" ? this : CListContainerElementUI::GetInterface(name);
}

void CComboEditContainerElementUI::DoInit()
{
    CDialogBuilder builder;
    CControlUI* root = builder.Create("XML\\CustomControlXML\\ComboEditElementItem.xml", nullptr, nullptr, m_pManager);
    RemoveAll();
    if (root)
        Add(root);
    // Every row holds controls of these names: look inside this row, not the whole window.
    if (m_pManager) {
        m_pText1 = m_pManager->FindSubControlByName(this, "text1");
        m_pText2 = m_pManager->FindSubControlByName(this, "text2");
        m_pDelayEdit = m_pManager->FindSubControlByName(this, "delay_edit");
    }
}

void CComboEditContainerElementUI::PaintStatusImage(HDC) {}

void CComboEditContainerElementUI::DoEvent(TEventUI& event)
{
    bool isMouse = event.Type > UIEVENT__MOUSEBEGIN && event.Type < UIEVENT__MOUSEEND;
    if (!IsMouseEnabled() && isMouse) {
        if (m_pOwner)
            m_pOwner->DoEvent(event);
        else
            CContainerUI::DoEvent(event);
        return;
    }
    bool enabled = IsEnabled();
    switch (event.Type) {
    case UIEVENT_DBLCLICK:
        if (!enabled)
            break;
        Activate();
        Invalidate();
        return;
    case UIEVENT_KEYDOWN:
        if (!enabled || event.chKey != VK_RETURN)
            break;
        Activate();
        Invalidate();
        if (m_pManager)
            m_pManager->SendNotify(this, "return");
        return;
    case UIEVENT_BUTTONDOWN:
        if (!enabled)
            break;
        if (GetKeyState(VK_CONTROL) < 0)
            SelectMulti(!IsSelected());
        else
            Select(true);
        return;
    case UIEVENT_BUTTONUP:
        if (!enabled)
            break;
        if (m_pManager)
            m_pManager->SendNotify(this, "itemclick");
        return;
    case UIEVENT_MOUSEMOVE:
        return;
    case UIEVENT_MOUSEENTER:
        if (!enabled)
            break;
        m_uButtonState |= UISTATE_HOT;
        Invalidate();
        return;
    case UIEVENT_MOUSELEAVE:
        m_uButtonState &= ~UISTATE_HOT;
        Invalidate();
        return;
    case UIEVENT_TIMER:
        if (m_pManager)
            m_pManager->SendNotify(this, "timer", event.wParam, event.lParam);
        return;
    case UIEVENT_CONTEXTMENU:
        if (!IsContextMenuUsed())
            break;
        if (m_pManager)
            m_pManager->SendNotify(this, "menu", event.wParam, event.lParam);
        return;
    default:
        break;
    }
    if (m_pOwner)
        m_pOwner->DoEvent(event);
    else
        CControlUI::DoEvent(event);
}

void CComboEditContainerElementUI::SetAttribute(std::string_view name, std::string_view value)
{
    if (name == "normalimage" || name == "hotimage" || name == "selectedimage")
        return;
    CContainerUI::SetAttribute(name, value);
}
