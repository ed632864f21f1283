#pragma once

#include "toolkit/ButtonUI.h"

// Shows a control-sized window of a larger picture; dragging pans the window so that the
// picture follows the mouse. A picture no larger than the control is shown whole.
class CHandImgSelectButtonUI : public CButtonUI {
public:
    const char* GetClass() const override;
    void* GetInterface(std::string_view name) override;

    // The part of the picture shown, in picture pixels.
    RECT GetImageWindow() const { return m_rcWindow; }
    const CDuiString& GetDrawString() const { return m_sDrawString; }

    void PaintStatusImage(HDC hDC) override;
    void DoEvent(TEventUI& event) override;
    void SetAttribute(std::string_view name, std::string_view value) override;

private:
    void LoadHandImage(const CDuiString& file);
    void Pan(POINT pt);
    void RebuildDrawString();

    CDuiString m_sHandImage;
    CDuiString m_sDrawString;
    int m_nImageWidth = 0;
    int m_nImageHeight = 0;
    RECT m_rcWindow;
    POINT m_ptLast;
    bool m_bDragging = false;
    int m_nCursor = 0;
};
