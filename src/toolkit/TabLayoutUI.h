#pragma once

#include "toolkit/ContainerUI.h"

// Pages on top of each other; only the selected one is visible.
class CTabLayoutUI : public CContainerUI {
public:
    const char* GetClass() const override;
    void* GetInterface(std::string_view name) override;
    bool Add(CControlUI* control) override;
    bool AddAt(CControlUI* control, int index) override;
    bool Remove(CControlUI* control, bool doNotDestroy = false) override;
    void RemoveAll() override;
    int GetCurSel() const { return m_iCurSel; }
    // Shows page index; false when there is no such page.
    virtual bool SelectItem(int index);
    bool SelectItem(CControlUI* control);
    void SetAttribute(std::string_view name, std::string_view value) override;

private:
    void ShowOnly(int index);

    int m_iCurSel = -1;
    int m_iPendingSel = -1; // "selectedid" given before its page was added
};
