#pragma once

#include "toolkit/ListContainerElementUI.h"

// One menu row (skin tag "MenuElement"): its name identifies the command; its text is shown.
class CMenuElementUI : public CListContainerElementUI {
public:
    const char* GetClass() const override;
    void* GetInterface(std::string_view name) override;
    void PaintText(HDC hDC) override;
};
