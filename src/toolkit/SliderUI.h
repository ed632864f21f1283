#pragma once

#include "toolkit/ProgressUI.h"

// A progress bar with a thumb the user drags: "movevaluechanged" while dragging (each change),
// "valuechanged" when the button is released or the wheel turns. SetValue sends nothing.
class CSliderUI : public CProgressUI {
public:
    CSliderUI();
    const char* GetClass() const override;
    void* GetInterface(std::string_view name) override;

    int GetChangeStep() const { return m_nStep; }
    void SetChangeStep(int step);
    SIZE GetThumbSize() const;
    void SetThumbSize(SIZE size);
    // The thumb's rectangle in window pixels.
    RECT GetThumbRect() const;
    void SetThumbImage(const CDuiString& image);
    void SetThumbColor(DWORD argb);

    void DoEvent(TEventUI& event) override;
    void PaintBkColor(HDC hDC) override;
    void PaintStatusImage(HDC hDC) override;
    void SetAttribute(std::string_view name, std::string_view value) override;

private:
    int ValueAt(POINT pt) const;

    int m_nStep = 1;
    SIZE m_szThumb{14, 14};
    CDuiString m_sThumbImage;
    CDuiString m_sThumbHotImage;
    CDuiString m_sThumbPushedImage;
    DWORD m_dwThumbColor = 0xFFE0E0E0;
    DWORD m_dwTrackColor = 0;
};
