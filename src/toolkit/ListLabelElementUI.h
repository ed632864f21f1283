#pragma once

#include "toolkit/ListElementUI.h"

// A row showing one text in the owner's row font and colours.
class CListLabelElementUI : public CListElementUI {
public:
    const char* GetClass() const override;
    void* GetInterface(std::string_view name) override;
    SIZE EstimateSize(SIZE available) override;
    void PaintText(HDC hDC) override;
};
