#pragma once

#include "toolkit/LabelUI.h"

#include <optional>

// A one-line text field drawn and edited by the toolkit itself. Number-only fields take only
// digits (and a leading '-' when the range allows negatives); a range clamps the number when
// the field loses focus, and an emptied field stays empty until then. "textchanged" follows
// every change by the user. Enter sends "return" and applies the edit by giving up the focus
// (so "killfocus" follows); Tab moves on to the next control. Ctrl+A and a double click select,
// a click places the caret, Shift with the arrows, Home and End extends the selection.
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
    // The selected characters [first, second); empty when first == second.
    std::pair<int, int> GetSel() const;
    // Selects characters from anchor to caret (the caret ends at caret).
    void SetSel(int anchor, int caret);

    void DoEvent(TEventUI& event) override;
    void PaintStatusImage(HDC hDC) override;
    void PaintText(HDC hDC) override;
    void SetAttribute(std::string_view name, std::string_view value) override;

private:
    bool Accepts(char32_t c, const std::u32string& text) const;
    void Insert(char32_t c);
    void EraseAt(int index);
    // Removes the selection from text; false when nothing was selected.
    bool EraseSelection(std::u32string& text);
    void ClampToRange();
    void ChangedByUser();
    void OnKeyDown(TEventUI& event);
    // Moves the caret; with extend the selection grows from its anchor, else it is dropped.
    void MoveCaret(int caret, bool extend);
    void SelectWordAt(int index);
    // The text as drawn (stars for passwords), the box it is drawn in and where it starts.
    std::string ShownText() const;
    RECT TextBox() const;
    int TextStartX(const RECT& box, const std::string& shown) const;
    int XOfIndex(int index) const;
    int IndexAtX(int x) const;

    int m_iMaxChar = 255;
    bool m_bNumberOnly = false;
    bool m_bReadOnly = false;
    bool m_bPassword = false;
    std::optional<std::pair<int, int>> m_range;
    int m_iCaret = 0;
    int m_iSelAnchor = 0;
    bool m_bSelecting = false;
    DWORD m_dwCaretColor = 0;
    DWORD m_dwSelectBkColor = 0x662EC5FF;
    DWORD m_dwFocusBkColor = 0;
};
