#pragma once

#include "toolkit/HorizontalLayoutUI.h"
#include "toolkit/ListItemBase.h"

// A row holding controls side by side.
class CListContainerElementUI : public CListItemBase<CHorizontalLayoutUI> {
public:
    const char* GetClass() const override;
    void* GetInterface(std::string_view name) override;
    SIZE EstimateSize(SIZE available) override;
};
