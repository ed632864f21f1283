#pragma once

#include "toolkit/LabelUI.h"

// A label whose text wraps over several lines.
class CTextUI : public CLabelUI {
public:
    CTextUI();
    const char* GetClass() const override;
    void* GetInterface(std::string_view name) override;
};
