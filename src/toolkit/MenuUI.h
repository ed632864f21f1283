#pragma once

#include "toolkit/ListUI.h"

// The body of a popup menu (skin tag "Menu"): a list of MenuElement rows.
class CMenuUI : public CListUI {
public:
    CMenuUI();
    const char* GetClass() const override;
    void* GetInterface(std::string_view name) override;
};
