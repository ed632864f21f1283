#pragma once

#include "toolkit/ButtonUI.h"

// A key or a light spot on a device picture. When lit it paints its light image tinted in
// the light's colour (0x00RRGGBB) at the light's level; a key-set mark can be shown over it;
// the select panel marks it selected.
class CDeviceKeyButtonUI : public CButtonUI {
public:
    const char* GetClass() const override;
    void* GetInterface(std::string_view name) override;

    // Takes effect at the next paint.
    void SetKeyLight(DWORD colour, int level, bool on);
    DWORD GetLightColour() const { return m_dwLightColour; }
    int GetLightLevel() const { return m_nLightLevel; }
    bool IsLightOn() const { return m_bLightOn; }
    void SetKeySetMarkHidden(bool hidden);
    bool IsKeySetMarkHidden() const { return m_bKeySetMarkHidden; }
    void SetKeySelected(bool selected) { m_bKeySelected = selected; }
    bool IsKeySelected() const { return m_bKeySelected; }

    void PaintStatusImage(HDC hDC) override;
    void DoEvent(TEventUI& event) override;
    void SetAttribute(std::string_view name, std::string_view value) override;

private:
    CDuiString m_sLightImage;
    CDuiString m_sKeySetImage;
    bool m_bLightOn = false;
    DWORD m_dwLightColour = 255;
    int m_nLightLevel = 200;
    bool m_bKeySetMarkHidden = true;
    bool m_bKeySelected = false;
};
