#pragma once

// Row management shared by CListUI and CComboUI: rows learn their owner and index when added,
// are renumbered on removal, and the owner keeps the (single or multiple) selection.

#include "toolkit/ListInfo.h"
#include "toolkit/PaintManagerUI.h"
#include "toolkit/UIParse.h"

#include <algorithm>
#include <vector>

template <typename Base>
class CListOwnerBase : public Base, public IListOwnerUI {
public:
    void* GetInterface(std::string_view name) override
    {
        if (name == "IListOwner")
            return static_cast<IListOwnerUI*>(this);
        return Base::GetInterface(name);
    }
    TListInfoUI* GetListInfo() override { return &m_ListInfo; }
    int GetCurSel() const override { return m_iCurSel; }

    bool AddAt(CControlUI* control, int index) override
    {
        if (!Base::AddAt(control, index))
            return false;
        if (m_iCurSel >= index)
            ++m_iCurSel;
        for (int& sel : m_aSelItems)
            if (sel >= index)
                ++sel;
        Renumber();
        if (IListItemUI* item = AsItem(control)) {
            item->SetOwner(this);
            if (item->IsSelected()) {
                ClearSelection();
                item->SetSelectedState(true);
                m_iCurSel = index;
                m_aSelItems.push_back(index);
            }
        }
        return true;
    }
    bool RemoveAt(int index, bool doNotDestroy = false) override
    {
        if (!Base::RemoveAt(index, doNotDestroy))
            return false;
        if (index == m_iCurSel)
            m_iCurSel = -1;
        else if (index < m_iCurSel)
            --m_iCurSel;
        m_aSelItems.erase(std::remove(m_aSelItems.begin(), m_aSelItems.end(), index), m_aSelItems.end());
        for (int& sel : m_aSelItems)
            if (sel > index)
                --sel;
        Renumber();
        return true;
    }
    bool Remove(CControlUI* control, bool doNotDestroy = false) override
    {
        int index = this->GetItemIndex(control);
        return index >= 0 && RemoveAt(index, doNotDestroy);
    }
    void RemoveAll() override
    {
        m_iCurSel = -1;
        m_aSelItems.clear();
        Base::RemoveAll();
    }

    bool SelectItem(int index, bool takeFocus = false, bool triggerEvent = true) override
    {
        if (index == m_iCurSel && m_aSelItems.size() <= 1) {
            if (index >= 0 && takeFocus)
                this->GetItemAt(index)->SetFocus();
            return true;
        }
        int old = m_iCurSel;
        ClearSelection();
        IListItemUI* item = AsItem(this->GetItemAt(index));
        if (index >= 0 && !item)
            return false;
        m_iCurSel = index;
        if (item) {
            item->SetSelectedState(true);
            m_aSelItems.push_back(index);
            if (takeFocus)
                this->GetItemAt(index)->SetFocus();
            OnSelectionShown(index);
        }
        this->Invalidate();
        if (triggerEvent && this->m_pManager)
            this->m_pManager->SendNotify(this, "itemselect", WPARAM(m_iCurSel), LPARAM(old));
        return true;
    }
    bool SelectMultiItem(int index, bool triggerEvent = true) override
    {
        if (!m_bMultiSel)
            return SelectItem(index, false, triggerEvent);
        IListItemUI* item = AsItem(this->GetItemAt(index));
        if (!item)
            return false;
        if (std::find(m_aSelItems.begin(), m_aSelItems.end(), index) != m_aSelItems.end())
            return true;
        int old = m_iCurSel;
        m_aSelItems.push_back(index);
        m_iCurSel = index;
        item->SetSelectedState(true);
        if (triggerEvent && this->m_pManager)
            this->m_pManager->SendNotify(this, "itemselect", WPARAM(index), LPARAM(old));
        return true;
    }
    bool UnSelectItem(int index, bool others = false) override
    {
        if (others) {
            for (int sel : std::vector<int>(m_aSelItems))
                if (sel != index)
                    UnSelectItem(sel);
            return true;
        }
        auto it = std::find(m_aSelItems.begin(), m_aSelItems.end(), index);
        if (it == m_aSelItems.end())
            return false;
        m_aSelItems.erase(it);
        if (IListItemUI* item = AsItem(this->GetItemAt(index)))
            item->SetSelectedState(false);
        if (m_iCurSel == index)
            m_iCurSel = m_aSelItems.empty() ? -1 : m_aSelItems.back();
        return true;
    }
    void DoEvent(TEventUI& event) override { Base::DoEvent(event); }

    int GetSelectCount() const { return int(m_aSelItems.size()); }
    void SetMultiSelect(bool multi) { m_bMultiSel = multi; }
    bool IsMultiSelect() const { return m_bMultiSel; }

    void SetAttribute(std::string_view name, std::string_view value) override
    {
        if (name == "itemfont") m_ListInfo.nFont = ParseInt(value, -1);
        else if (name == "itemtextcolor") m_ListInfo.dwTextColor = ParseColor(value);
        else if (name == "itembkcolor") m_ListInfo.dwBkColor = ParseColor(value);
        else if (name == "itemselectedtextcolor") m_ListInfo.dwSelectedTextColor = ParseColor(value);
        else if (name == "itemselectedbkcolor") m_ListInfo.dwSelectedBkColor = ParseColor(value);
        else if (name == "itemhottextcolor") m_ListInfo.dwHotTextColor = ParseColor(value);
        else if (name == "itemhotbkcolor") m_ListInfo.dwHotBkColor = ParseColor(value);
        else if (name == "itemdisabledtextcolor") m_ListInfo.dwDisabledTextColor = ParseColor(value);
        else if (name == "itemlinecolor") m_ListInfo.dwLineColor = ParseColor(value);
        else if (name == "itemhotimage") m_ListInfo.sHotImage = value;
        else if (name == "itemselectedimage") m_ListInfo.sSelectedImage = value;
        else if (name == "itemtextpadding") m_ListInfo.rcTextPadding = ParseRect(value);
        else if (name == "itemheight") m_ListInfo.nItemHeight = ParseInt(value, 28);
        else if (name == "itemalign") {
            m_ListInfo.uTextStyle &= ~(DT_CENTER | DT_RIGHT);
            m_ListInfo.uTextStyle |= value == "center" ? DT_CENTER : value == "right" ? DT_RIGHT : DT_LEFT;
        } else if (name == "multiselect") m_bMultiSel = ParseBool(value);
        else Base::SetAttribute(name, value);
    }

protected:
    static IListItemUI* AsItem(CControlUI* control)
    {
        return control ? static_cast<IListItemUI*>(control->GetInterface("ListItem")) : nullptr;
    }
    // Called after a row became the selection (lists scroll it into view).
    virtual void OnSelectionShown(int) {}
    void ClearSelection()
    {
        for (int sel : m_aSelItems)
            if (IListItemUI* item = AsItem(this->GetItemAt(sel)))
                item->SetSelectedState(false);
        m_aSelItems.clear();
        m_iCurSel = -1;
    }
    void Renumber()
    {
        for (int i = 0; i < this->GetCount(); ++i)
            if (IListItemUI* item = AsItem(this->GetItemAt(i)))
                item->SetIndex(i);
    }

    TListInfoUI m_ListInfo;
    int m_iCurSel = -1;
    bool m_bMultiSel = false;
    std::vector<int> m_aSelItems;
};
