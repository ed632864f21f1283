#pragma once

#include "toolkit/ContainerUI.h"

// Children side by side: fixed widths first, the rest shared by the stretching ones.
class CHorizontalLayoutUI : public CContainerUI {
public:
    const char* GetClass() const override;
    void* GetInterface(std::string_view name) override;
    void SetPos(RECT rc, bool needInvalidate = true) override;
};
