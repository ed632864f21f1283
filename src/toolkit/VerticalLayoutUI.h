#pragma once

#include "toolkit/ContainerUI.h"

// Children one below the other: fixed heights first, the rest shared by the stretching ones.
class CVerticalLayoutUI : public CContainerUI {
public:
    const char* GetClass() const override;
    void* GetInterface(std::string_view name) override;
    void SetPos(RECT rc, bool needInvalidate = true) override;
};
