#pragma once

// The row behaviour shared by CListElementUI (a control) and CListContainerElementUI (a
// horizontal layout): index and owner, selection, hover, click and activation, and the row
// background from the owner's TListInfoUI.

#include "toolkit/ListInfo.h"
#include "toolkit/PaintManagerUI.h"

#include <string_view>

template <typename Base>
class CListItemBase : public Base, public IListItemUI {
public:
    void* GetInterface(std::string_view name) override
    {
        if (name == "ListItem")
            return static_cast<IListItemUI*>(this);
        return Base::GetInterface(name);
    }
    int GetIndex() const override { return m_iIndex; }
    void SetIndex(int index) override { m_iIndex = index; }
    IListOwnerUI* GetOwner() override { return m_pOwner; }
    void SetOwner(CControlUI* owner) override
    {
        m_pOwner = owner ? static_cast<IListOwnerUI*>(owner->GetInterface("IListOwner")) : nullptr;
    }
    bool IsSelected() const override { return m_bSelected; }
    bool Select(bool select = true, bool triggerEvent = true) override
    {
        if (!this->IsEnabled())
            return false;
        if (m_pOwner && select)
            return m_pOwner->SelectItem(m_iIndex, false, triggerEvent);
        if (m_pOwner && !select)
            return m_pOwner->UnSelectItem(m_iIndex);
        SetSelectedState(select);
        return true;
    }
    bool SelectMulti(bool select = true) override
    {
        if (!this->IsEnabled())
            return false;
        if (m_pOwner)
            return select ? m_pOwner->SelectMultiItem(m_iIndex) : m_pOwner->UnSelectItem(m_iIndex);
        SetSelectedState(select);
        return true;
    }
    void SetSelectedState(bool selected) override
    {
        if (m_bSelected == selected)
            return;
        m_bSelected = selected;
        this->Invalidate();
    }
    bool Activate() override
    {
        if (!CControlUI::Activate())
            return false;
        if (this->m_pManager)
            this->m_pManager->SendNotify(this, "itemactivate");
        return true;
    }
    void DoEvent(TEventUI& event) override
    {
        if (!this->IsMouseEnabled() && event.Type > UIEVENT__MOUSEBEGIN && event.Type < UIEVENT__MOUSEEND) {
            PassToOwner(event);
            return;
        }
        switch (event.Type) {
        case UIEVENT_DBLCLICK:
            if (this->IsEnabled()) {
                Activate();
                this->Invalidate();
            }
            return;
        case UIEVENT_KEYDOWN:
            if (this->IsEnabled() && event.chKey == VK_RETURN) {
                Activate();
                this->Invalidate();
                return;
            }
            break;
        case UIEVENT_BUTTONDOWN:
        case UIEVENT_RBUTTONDOWN:
            if (this->IsEnabled()) {
                if (this->m_pManager)
                    this->m_pManager->SendNotify(this, "itemclick");
                Select(true);
            }
            return;
        case UIEVENT_BUTTONUP:
        case UIEVENT_MOUSEMOVE:
            return;
        case UIEVENT_MOUSEENTER:
            if (this->IsEnabled()) {
                this->m_uButtonState |= UISTATE_HOT;
                this->Invalidate();
            }
            return;
        case UIEVENT_MOUSELEAVE:
            this->m_uButtonState &= ~UISTATE_HOT;
            this->Invalidate();
            return;
        case UIEVENT_TIMER:
        case UIEVENT_CONTEXTMENU:
        case UIEVENT_SETFOCUS:
        case UIEVENT_KILLFOCUS:
            Base::DoEvent(event);
            return;
        default:
            break;
        }
        PassToOwner(event);
    }
    void SetAttribute(std::string_view name, std::string_view value) override
    {
        // A row marked selected in the skin becomes its owner's selection when it is added.
        if (name == "selected")
            m_bSelected = value == "true";
        else
            Base::SetAttribute(name, value);
    }
    void PaintBkColor(HDC hDC) override
    {
        TListInfoUI* info = m_pOwner ? m_pOwner->GetListInfo() : nullptr;
        DWORD color = this->m_dwBackColor;
        if (info) {
            if (m_bSelected && info->dwSelectedBkColor)
                color = info->dwSelectedBkColor;
            else if ((this->m_uButtonState & UISTATE_HOT) && info->dwHotBkColor)
                color = info->dwHotBkColor;
            else if (!color)
                color = info->dwBkColor;
        }
        if (color)
            hDC->FillRect(this->m_rcItem, this->GetAdjustColor(color));
        if (info && info->dwLineColor) {
            RECT line = this->m_rcItem;
            line.top = line.bottom - 1;
            hDC->FillRect(line, info->dwLineColor);
        }
    }

protected:
    void PassToOwner(TEventUI& event)
    {
        if (m_pOwner)
            m_pOwner->DoEvent(event);
        else
            Base::DoEvent(event);
    }
    DWORD RowTextColor() const
    {
        TListInfoUI* info = m_pOwner ? m_pOwner->GetListInfo() : nullptr;
        if (!info)
            return 0;
        if (!this->IsEnabled() && info->dwDisabledTextColor)
            return info->dwDisabledTextColor;
        if (m_bSelected && info->dwSelectedTextColor)
            return info->dwSelectedTextColor;
        if ((this->m_uButtonState & UISTATE_HOT) && info->dwHotTextColor)
            return info->dwHotTextColor;
        return info->dwTextColor;
    }

    int m_iIndex = -1;
    bool m_bSelected = false;
    IListOwnerUI* m_pOwner = nullptr;
};
