#pragma once

#include "toolkit/ControlUI.h"

// A colour picker: a saturation/brightness square for the current hue above a hue bar.
// Pressing or dragging in either picks a colour and sends "colorchanged" when it changed.
class CColorPaletteUI : public CControlUI {
public:
    CColorPaletteUI();
    const char* GetClass() const override;
    void* GetInterface(std::string_view name) override;

    // The picked colour as 0xFFRRGGBB.
    DWORD GetSelectColor() const;
    // Shows argb as picked (no notification).
    void SetSelectColor(DWORD argb);
    void SetPalletHeight(int height);
    void SetBarHeight(int height);

    void DoEvent(TEventUI& event) override;
    void PaintStatusImage(HDC hDC) override;
    void SetAttribute(std::string_view name, std::string_view value) override;

private:
    // How far the markers reach past the control, in units.
    static constexpr int kMarkerOverhang = 6;
    void InvalidateWithMarkers();
    RECT PalletRect() const;
    RECT BarRect() const;
    void PickAt(POINT pt);

    int m_nPalletHeight = 0; // 0: all but the bar
    int m_nBarHeight = 12;
    float m_fHue = 0;   // 0-360
    float m_fSat = 1;   // 0-1
    float m_fValue = 1; // 0-1
    enum class Drag { None, Pallet, Bar } m_drag = Drag::None;
};
