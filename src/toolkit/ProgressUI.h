#pragma once

#include "toolkit/LabelUI.h"

// A value between a minimum and a maximum shown as a bar (fore colour or fore image).
class CProgressUI : public CLabelUI {
public:
    CProgressUI();
    const char* GetClass() const override;
    void* GetInterface(std::string_view name) override;

    bool IsHorizontal() const { return m_bHorizontal; }
    void SetHorizontal(bool horizontal = true);
    int GetMinValue() const { return m_nMin; }
    void SetMinValue(int min);
    int GetMaxValue() const { return m_nMax; }
    void SetMaxValue(int max);
    int GetValue() const { return m_nValue; }
    // Clamped into the range.
    void SetValue(int value);
    DWORD GetForeColor() const { return m_dwForeColor; }
    void SetForeColor(DWORD argb);

    void PaintStatusImage(HDC hDC) override;
    void SetAttribute(std::string_view name, std::string_view value) override;

protected:
    // The part of the control the value fills.
    RECT FilledRect() const;

    bool m_bHorizontal = true;
    int m_nMin = 0;
    int m_nMax = 100;
    int m_nValue = 0;
    DWORD m_dwForeColor = 0;
};
