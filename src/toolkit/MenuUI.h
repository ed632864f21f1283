#pragma once

#include "toolkit/ListContainerElementUI.h"
#include "toolkit/ListUI.h"

// The body of a popup menu (skin tag "Menu"): a list of MenuElement rows.
class CMenuUI : public CListUI {
public:
    CMenuUI();
    const char* GetClass() const override;
    void* GetInterface(std::string_view name) override;
};

// One menu row (skin tag "MenuElement"): its name identifies the command; its text is shown.
class CMenuElementUI : public CListContainerElementUI {
public:
    const char* GetClass() const override;
    void* GetInterface(std::string_view name) override;
    void PaintText(HDC hDC) override;
};
