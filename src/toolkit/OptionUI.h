#pragma once

#include "toolkit/ButtonUI.h"

// A button that stays selected. Options of one group are exclusive; an option bound to a
// tab layout ("bindtablayoutname", "bindtabindex") shows that page when selected.
class COptionUI : public CButtonUI {
public:
    ~COptionUI() override;
    const char* GetClass() const override;
    void* GetInterface(std::string_view name) override;
    void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true) override;
    bool Activate() override;

    const CDuiString& GetGroup() const { return m_sGroupName; }
    void SetGroup(const CDuiString& group);
    bool IsSelected() const { return m_bSelected; }
    // Changes the state; with triggerEvent "selectchanged" goes out for every option whose
    // state changed (the deselected ones of the group first).
    virtual void Selected(bool selected, bool triggerEvent = true);
    void BindTabLayout(const CDuiString& tabLayoutName, int index);

    void SetSelectedImage(const CDuiString& image);
    void SetSelectedHotImage(const CDuiString& image);
    void SetSelectedBkColor(DWORD argb);
    void SetSelectedTextColor(DWORD argb);

    void PaintStatusImage(HDC hDC) override;
    void SetAttribute(std::string_view name, std::string_view value) override;

protected:
    DWORD CurrentTextColor() const override;
    DWORD CurrentBkColor() const override;
    void SwitchBoundTab();

    bool m_bSelected = false;
    CDuiString m_sGroupName;
    CDuiString m_sBindTabName;
    int m_iBindTabIndex = -1;
    CDuiString m_sSelectedImage;
    CDuiString m_sSelectedHotImage;
    DWORD m_dwSelectedBkColor = 0;
    DWORD m_dwSelectedTextColor = 0;
};
