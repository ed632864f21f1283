#pragma once

#include "toolkit/ButtonUI.h"

// A button with a picture drawn over its status images; it reports the mouse entering and
// leaving ("msenter", "msleave").
class CHandImgButtonUI : public CButtonUI {
public:
    const char* GetClass() const override;
    void* GetInterface(std::string_view name) override;
    const CDuiString& GetHandImage() const { return m_sHandImage; }
    void PaintStatusImage(HDC hDC) override;
    void DoEvent(TEventUI& event) override;
    void SetAttribute(std::string_view name, std::string_view value) override;

private:
    CDuiString m_sHandImage;
};
