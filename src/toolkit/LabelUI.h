#pragma once

#include "toolkit/ControlUI.h"

// A control that shows one text: font, colour, alignment and padding.
class CLabelUI : public CControlUI {
public:
    CLabelUI();
    const char* GetClass() const override;
    void* GetInterface(std::string_view name) override;

    void SetTextStyle(UINT style);
    UINT GetTextStyle() const { return m_uTextStyle; }
    void SetTextColor(DWORD argb);
    DWORD GetTextColor() const { return m_dwTextColor; }
    void SetDisabledTextColor(DWORD argb);
    DWORD GetDisabledTextColor() const { return m_dwDisabledTextColor; }
    void SetFont(int index);
    int GetFont() const { return m_iFont; }
    RECT GetTextPadding() const;
    void SetTextPadding(RECT padding);
    // With auto width, the control is as wide as its text.
    void SetAutoCalcWidth(bool autoCalc);

    void SetText(const CDuiString& text) override;
    SIZE EstimateSize(SIZE available) override;
    void PaintText(HDC hDC) override;
    void SetAttribute(std::string_view name, std::string_view value) override;

protected:
    // The colour the text is painted in for the current state.
    virtual DWORD CurrentTextColor() const;
    void PaintTextIn(HDC hDC, DWORD argb);

    UINT m_uTextStyle = DT_VCENTER | DT_SINGLELINE;
    DWORD m_dwTextColor = 0;
    DWORD m_dwDisabledTextColor = 0;
    int m_iFont = -1;
    RECT m_rcTextPadding;
    bool m_bAutoCalcWidth = false;
};
