#include "toolkit/custom/DeviceKeyButtonUI.h"

#include "toolkit/PaintManagerUI.h"
#include "toolkit/RenderEngine.h"
#include "toolkit/UIParse.h"

const char* CDeviceKeyButtonUI::GetClass() const
{
    return "DeviceKeyButton";
}

void* CDeviceKeyButtonUI::GetInterface(std::string_view name)
{
    return name == "DeviceKeyButton" ? this : CButtonUI::GetInterface(name);
}

void CDeviceKeyButtonUI::SetKeyLight(DWORD colour, int level, bool on)
{
    m_dwLightColour = colour;
    m_nLightLevel = level;
    m_bLightOn = on;
}

void CDeviceKeyButtonUI::SetKeySetMarkHidden(bool hidden)
{
    if (m_bKeySetMarkHidden == hidden)
        return;
    m_bKeySetMarkHidden = hidden;
    Invalidate();
}

void CDeviceKeyButtonUI::PaintStatusImage(HDC hDC)
{
    CButtonUI::PaintStatusImage(hDC);
    if (m_bLightOn)
        CRenderEngine::DrawImageString(hDC, m_pManager, m_rcItem, m_rcPaint, m_sLightImage, "", m_dwLightColour,
                                       m_nLightLevel, true);
    if (!m_bKeySetMarkHidden)
        CRenderEngine::DrawImageString(hDC, m_pManager, m_rcItem, m_rcPaint, m_sKeySetImage, "", 0, 0, false);
}

void CDeviceKeyButtonUI::DoEvent(TEventUI& event)
{
    if (event.Type == UIEVENT_DBLCLICK) {
        if (PtInRect(&m_rcItem, event.ptMouse) && IsEnabled()) {
            m_uButtonState |= UISTATE_PUSHED | UISTATE_CAPTURED;
            if (m_pManager)
                m_pManager->SendNotify(this, "dbclick");
            Invalidate();
        }
        return;
    }
    CButtonUI::DoEvent(event);
}

void CDeviceKeyButtonUI::SetAttribute(std::string_view name, std::string_view value)
{
    if (EqualsNoCase(name, "lightimage")) {
        m_sLightImage = value;
        Invalidate();
    } else if (EqualsNoCase(name, "keysetimage")) {
        m_sKeySetImage = value;
        Invalidate();
    } else if (EqualsNoCase(name, "gmnametextcolor")) {
        ParseColor(value); // accepted for the skins' sake; it changes nothing
    } else {
        CButtonUI::SetAttribute(name, value);
    }
}
