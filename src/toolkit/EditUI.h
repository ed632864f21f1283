#pragma once

#include "toolkit/LabelUI.h"

#include <optional>

// A one-line text field drawn and edited by the toolkit itself. Number-only fields take only
// digits (and a leading '-' when the range allows negatives); a range clamps the number when
// the field loses focus. "textchanged" follows every change by the user, "return" the Enter key.
class CEditUI : public CLabelUI {
public:
    CEditUI();
    const char* GetClass() const override;
    void* GetInterface(std::string_view name) override;

    void SetText(const CDuiString& text) override;
    void SetMaxChar(int maxChars);
    int GetMaxChar() const { return m_iMaxChar; }
    void SetNumberOnly(bool numberOnly);
    bool IsNumberOnly() const { return m_bNumberOnly; }
    // The range a number is clamped into when focus leaves (number-only fields).
    void SetNumberRange(int min, int max);
    void SetReadOnly(bool readOnly);
    bool IsReadOnly() const { return m_bReadOnly; }
    void SetPasswordMode(bool password);
    // Caret position in characters.
    int GetCaretPos() const { return m_iCaret; }

    void DoEvent(TEventUI& event) override;
    void PaintStatusImage(HDC hDC) override;
    void PaintText(HDC hDC) override;
    void SetAttribute(std::string_view name, std::string_view value) override;

private:
    bool Accepts(char32_t c, const std::u32string& text) const;
    void Insert(char32_t c);
    void EraseAt(int index);
    void ClampToRange();
    void ChangedByUser();

    int m_iMaxChar = 255;
    bool m_bNumberOnly = false;
    bool m_bReadOnly = false;
    bool m_bPassword = false;
    std::optional<std::pair<int, int>> m_range;
    int m_iCaret = 0;
    DWORD m_dwCaretColor = 0;
    DWORD m_dwFocusBkColor = 0;
};
