#pragma once

// The modal colour dialog of the setting pages ("PalletDialog"): a palette, a preview, decimal
// R/G/B edits, twenty preset swatches, twenty user swatches that remember colours across runs
// and, where the caller allows it, the seven-colour (colour cycling) choice. The swatches live in
// "color_option_info.config" in the user data folder, copied from the program's default data on
// first use; the file is read and written on every save, nothing is cached between openings.
//
// Index: opening (PickColour) · window setup · notifications · swatch file.

#include "toolkit/WindowImplBase.h"

#include <json/value.h>

#include <cstdint>
#include <string>

class CColorPaletteUI;
class COptionUI;

// Opens the dialog over owner with argb and waits. True, with the chosen colour in argb, when
// the user confirmed with a palette present.
bool PickColour(HWND owner, int dpi, uint32_t& argb, bool offerSevenColour = false);

class CColorSelectWnd : public WindowImplBase {
public:
    static constexpr const char* kDpiError = "SET_WND DPI SET ERROR";
    static constexpr int kSwatches = 20;
    static constexpr int kInitialPreset = 4;
    // What ShowModal returns.
    static constexpr UINT kConfirmed = 1;
    static constexpr UINT kConfirmedWithoutPalette = 2;
    static constexpr UINT kCancelled = 0;

    CDuiString GetSkinFile() override { return "PalletDialog.xml"; }
    void InitWindow() override;
    void Notify(TNotifyUI& msg) override;
    LRESULT HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled) override;

    // The swatch file in the user data folder.
    static std::string ConfigPath();

    // A DPI outside the accepted values is reported and taken as 96.
    void SetDpi(int dpi);
    // Preview (without image), palette and the three edits show argb.
    void SetCurrentColour(DWORD argb);
    DWORD GetCurrentColour() const { return m_colour; }
    // Shows or hides "7color" and "7color_layout"; hiding also switches the choice off.
    void ShowSevenColour(bool show);
    // Selects "7color" quietly; the preview shows the cycling image while on.
    void SetSevenColour(bool on);
    bool IsSevenColour() const { return m_sevenColour; }
    int SelectedPreset() const { return m_preset; }
    int SelectedUserSwatch() const { return m_userSwatch; }

protected:
    const char* GetWindowClassName() const override { return "ColorSelectWnd"; }

private:
    CControlUI* Control(const std::string& name) const { return m_pm.FindControl(name.c_str()); }
    COptionUI* Swatch(const char* prefix, int index) const;
    void ShowPreview();
    void ShowChannels();
    void OnSwatchSelected(const std::string& prefix, int index);
    void OnChannelEdited();
    // The current colour goes into the selected user swatch (when one is) and the preview.
    void ApplyToUserSwatch();

    void LoadPresets(const Json::Value& document);
    void LoadUserSwatches(const Json::Value& document);
    void SavePresets() const;
    void SaveUserSwatches() const;

    CColorPaletteUI* m_palette = nullptr;
    DWORD m_colour = 0xFFFFFFFF;
    int m_preset = kInitialPreset;
    int m_userSwatch = 0;
    bool m_sevenColour = false;
    int m_dpi = 96;
};
