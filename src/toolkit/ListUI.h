#pragma once

#include "toolkit/ListOwnerBase.h"
#include "toolkit/VerticalLayoutUI.h"

// A scrolling column of rows with single or multiple selection: "itemselect" when the
// selection changes, "itemclick" on a press on a row, "itemactivate" on a double click or Enter.
class CListUI : public CListOwnerBase<CVerticalLayoutUI> {
public:
    CListUI();
    const char* GetClass() const override;
    void* GetInterface(std::string_view name) override;
    void DoEvent(TEventUI& event) override;
    // Scrolls so that row index is inside the list.
    void EnsureVisible(int index);

protected:
    void OnSelectionShown(int index) override { EnsureVisible(index); }
};
