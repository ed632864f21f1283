#pragma once

#include "toolkit/OptionUI.h"

// An option of its own: each click toggles it.
class CCheckBoxUI : public COptionUI {
public:
    const char* GetClass() const override;
    void* GetInterface(std::string_view name) override;
    bool GetCheck() const { return IsSelected(); }
    void SetCheck(bool check, bool triggerEvent = true) { Selected(check, triggerEvent); }
};
