#pragma once

#include "toolkit/ListItemBase.h"

// The plain row of a list or combo.
class CListElementUI : public CListItemBase<CControlUI> {
public:
    const char* GetClass() const override;
};
