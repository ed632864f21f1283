#pragma once

#include "toolkit/VerticalLayoutUI.h"

// A panel over a device picture: a drag across it selects the DeviceKeyButton children the
// dragged rectangle touches and sends "click_select_end". The rectangle itself is not drawn.
class CSelectPanelUI : public CVerticalLayoutUI {
public:
    const char* GetClass() const override;
    void* GetInterface(std::string_view name) override;
    void DoEvent(TEventUI& event) override;
    // The rectangle of the last drag (window client pixels).
    RECT GetSelectRect() const { return m_rcSelect; }
    bool IsDragging() const { return m_bDragging; }

private:
    void ApplySelection();

    POINT m_ptAnchor;
    POINT m_ptCurrent;
    bool m_bPressed = false;
    bool m_bDragging = false;
    RECT m_rcSelect;
};
