#pragma once

#include "toolkit/LabelUI.h"

// A clickable label: "click" after a press and a release inside. Hot, pushed, focused and
// disabled states each have their own image, background and text colour.
class CButtonUI : public CLabelUI {
public:
    CButtonUI();
    const char* GetClass() const override;
    void* GetInterface(std::string_view name) override;
    bool Activate() override;
    void SetEnabled(bool enabled = true) override;
    void DoEvent(TEventUI& event) override;

    const CDuiString& GetNormalImage() const { return m_sNormalImage; }
    void SetNormalImage(const CDuiString& image);
    const CDuiString& GetHotImage() const { return m_sHotImage; }
    void SetHotImage(const CDuiString& image);
    const CDuiString& GetPushedImage() const { return m_sPushedImage; }
    void SetPushedImage(const CDuiString& image);
    const CDuiString& GetFocusedImage() const { return m_sFocusedImage; }
    void SetFocusedImage(const CDuiString& image);
    const CDuiString& GetDisabledImage() const { return m_sDisabledImage; }
    void SetDisabledImage(const CDuiString& image);
    void SetHotBkColor(DWORD argb);
    DWORD GetHotBkColor() const { return m_dwHotBkColor; }
    void SetPushedBkColor(DWORD argb);
    void SetDisabledBkColor(DWORD argb);
    void SetHotTextColor(DWORD argb);
    DWORD GetHotTextColor() const { return m_dwHotTextColor; }
    void SetPushedTextColor(DWORD argb);
    void SetFocusedTextColor(DWORD argb);

    void PaintBkColor(HDC hDC) override;
    void PaintStatusImage(HDC hDC) override;
    void SetAttribute(std::string_view name, std::string_view value) override;

protected:
    DWORD CurrentTextColor() const override;
    // Background colour for the current state; 0 for none.
    virtual DWORD CurrentBkColor() const;
    bool IsPointInside(POINT pt) const;
    // Mouse enter and leave while enabled: sets or clears hot, raises "msenter" / "msleave",
    // repaints. True when the event was one of the two.
    bool NotifyHover(const TEventUI& event);

    CDuiString m_sNormalImage;
    CDuiString m_sHotImage;
    CDuiString m_sPushedImage;
    CDuiString m_sFocusedImage;
    CDuiString m_sDisabledImage;
    DWORD m_dwHotBkColor = 0;
    DWORD m_dwPushedBkColor = 0;
    DWORD m_dwDisabledBkColor = 0;
    DWORD m_dwHotTextColor = 0;
    DWORD m_dwPushedTextColor = 0;
    DWORD m_dwFocusedTextColor = 0;
};
