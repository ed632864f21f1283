#pragma once

#include "toolkit/ListContainerElementUI.h"

// A list row framed by one pixel while the mouse is over it (and it is not selected).
class CCloudShareListItemUI : public CListContainerElementUI {
public:
    const char* GetClass() const override;
    void* GetInterface(std::string_view name) override;
    void DoEvent(TEventUI& event) override;
    void PaintBkColor(HDC hDC) override;
};
