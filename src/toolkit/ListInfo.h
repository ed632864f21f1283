#pragma once

// What lists and combos share with their rows: the row look (TListInfoUI) and the two
// interfaces between an owner and its rows.

#include "toolkit/ControlUI.h"

struct TListInfoUI {
    int nFont = -1;
    UINT uTextStyle = DT_VCENTER | DT_SINGLELINE;
    RECT rcTextPadding{8, 0, 8, 0};
    DWORD dwTextColor = 0;
    DWORD dwBkColor = 0;
    DWORD dwSelectedTextColor = 0;
    DWORD dwSelectedBkColor = 0;
    DWORD dwHotTextColor = 0;
    DWORD dwHotBkColor = 0;
    DWORD dwDisabledTextColor = 0;
    DWORD dwLineColor = 0;
    CDuiString sBkImage;
    CDuiString sHotImage;
    CDuiString sSelectedImage;
    int nItemHeight = 28;
};

class IListOwnerUI {
public:
    virtual ~IListOwnerUI() = default;
    virtual TListInfoUI* GetListInfo() = 0;
    virtual int GetCurSel() const = 0;
    // Selects row index; with triggerEvent "itemselect" goes out (wParam new, lParam old).
    virtual bool SelectItem(int index, bool takeFocus = false, bool triggerEvent = true) = 0;
    // Adds row index to a multiple selection.
    virtual bool SelectMultiItem(int index, bool triggerEvent = true) = 0;
    virtual bool UnSelectItem(int index, bool others = false) = 0;
    // Events a row does not handle itself.
    virtual void DoEvent(TEventUI& event) = 0;
};

class IListItemUI {
public:
    virtual ~IListItemUI() = default;
    virtual int GetIndex() const = 0;
    virtual void SetIndex(int index) = 0;
    virtual IListOwnerUI* GetOwner() = 0;
    virtual void SetOwner(CControlUI* owner) = 0;
    virtual bool IsSelected() const = 0;
    // Selects through the owner (which deselects the others).
    virtual bool Select(bool select = true, bool triggerEvent = true) = 0;
    virtual bool SelectMulti(bool select = true) = 0;
    // The owner's record of the row's state; sends nothing.
    virtual void SetSelectedState(bool selected) = 0;
};
