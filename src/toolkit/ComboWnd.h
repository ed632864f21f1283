#pragma once

#include "toolkit/PaintManagerUI.h"
#include "toolkit/WindowWnd.h"

class CComboUI;
class CVerticalLayoutUI;

// The drop-down window of a combo: lends the combo's rows to a scrolling column while open and
// gives them back when it closes.
class CComboWnd : public CWindowWnd {
public:
    // Opens below the combo; the window deletes itself when closed.
    static CComboWnd* Open(CComboUI* owner);
    LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
    void Paint(HDC hDC, const RECT& rcPaint) override;
    // Called by the combo when it goes first: the rows stay with it.
    void DetachOwner();

protected:
    const char* GetWindowClassName() const override { return "ComboWnd"; }
    void OnFinalMessage(HWND hWnd) override;

private:
    explicit CComboWnd(CComboUI* owner) : m_pOwner(owner) {}
    void ReturnRows();

    CComboUI* m_pOwner;
    CPaintManagerUI m_pm;
    CVerticalLayoutUI* m_pLayout = nullptr;
};
