#pragma once

#include "toolkit/ButtonUI.h"

// The macro skin's button class; its "redioimage" is kept but not shown.
class CRedioMacroButtonUI : public CButtonUI {
public:
    const char* GetClass() const override;
    void* GetInterface(std::string_view name) override;
    const CDuiString& GetRedioImage() const { return m_sRedioImage; }
    void SetAttribute(std::string_view name, std::string_view value) override;

private:
    CDuiString m_sRedioImage;
};
