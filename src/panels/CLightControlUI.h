#pragma once

// The lighting panel of a device page: the effect (mode) list with the custom effects after the
// modes, brightness, speed, direction, the seven-colour flag and the colour (palette, three
// decimal edits, preset swatches and the colour dialog). The panel shows values and enables the
// groups that make sense for the chosen effect; the main window hands it the notifications of
// its controls together with the selected device, and its handlers change the device's lighting
// settings in one order: working copy, profile, profile file, preview, device.
//
// Index: LightPanelView · controls (set and get without events) · layout rules · notification
// handlers · custom effects.

#include "device/LightPanelView.h"
#include "toolkit/HorizontalLayoutUI.h"
#include "toolkit/NotifyUI.h"

#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>

class COrlithUSBDevice;

class CLightControlUI : public CHorizontalLayoutUI, public LightPanelView {
public:
    // The subtree file the page's "LightSetControlUI" tag is built from.
    static constexpr const char* kLayoutFile = "XML\\CustomControlXML\\LightControl.xml";
    static constexpr DWORD kNoPaletteColour = 0xFF000000;
    static constexpr int kMaxComponent = 255;
    // The frame a custom effect saved from the panel lasts, in milliseconds.
    static constexpr int kSavedStepMs = 2000;
    // Opens the colour dialog with the colour in argb; true with the chosen colour in argb.
    using ColourDialog = std::function<bool(uint32_t& argb)>;

    const char* GetClass() const override { return "LightControl"; }
    void* GetInterface(std::string_view name) override;

    // LightPanelView
    void SetDeviceKind(int kind) override { m_kind = kind; }
    int DeviceKind() const { return m_kind; }
    void FillModeList(const std::vector<std::string>& names, const std::vector<int>& visible, int maxBrightness,
                      int maxSpeed) override;
    void FillCustomEffects(const std::vector<std::string>& names) override;
    void ShowLightInfo(const LightInfo& settings) override;
    void SetSameModeAvailable(bool available) override;

    // Selects item mode of "light_combo_modeSelect", then lays the groups out for it.
    void SelectLightMode(int mode);
    // The selected item; -1 without the combo.
    int GetLightMode() const;
    int ModeCount() const { return m_modeCount; }
    void SelectCustomGroup(int index);
    int GetCustomGroup() const;
    void SelectZzccMode(int index);
    int GetZzccMode() const;
    void SetBrightness(int value);
    int GetBrightness() const;
    void SetSpeed(int value);
    int GetSpeed() const;
    void SetRedText(const std::string& text);
    void SetGreenText(const std::string& text);
    void SetBlueText(const std::string& text);
    std::string GetRedText() const;
    std::string GetGreenText() const;
    std::string GetBlueText() const;
    // The palette's colour, then the colour button.
    void SetPaletteColour(DWORD argb);
    // kNoPaletteColour without the palette.
    DWORD GetPaletteColour() const;
    void SetColourButton(DWORD argb);
    // The background colour of "color_option_<n>"; 0 without it.
    DWORD GetColourOption(int n) const;
    void SetMultiColour(int flag);
    int GetMultiColour() const;
    // flag != 0 selects "deng_FXL_check", 0 "deng_FXR_check"; nothing unless both exist.
    void SetDirection(int flag);
    // "deng_same_mode" shows when flag and the same-mode flag are both set.
    void ShowSameModeButton(int flag);
    // Enables, disables, shows and hides the groups for mode by the kind's table.
    void UpdateLayout(int kind, int mode);

    // A notification of one of the panel's controls, with the selected device: true when the
    // panel handled it.
    bool HandleNotify(TNotifyUI& msg, COrlithUSBDevice& device);
    // The colour dialog behind "deng_colordp_btn" (the main window's; tests replace it).
    void SetColourDialog(ColourDialog dialog) { m_colourDialog = std::move(dialog); }

private:
    struct Handler;
    static const Handler kHandlers[];

    CControlUI* Part(const std::string& name) const;
    template <typename T>
    T* PartAs(const std::string& name, const char* interface) const;
    void SetGroup(const char* name, bool enabled);
    void ShowPart(const char* name, bool visible);
    void ShowComponents(DWORD argb);

    // Sync off (when asked), then the device's settings changed by change, stored, previewed,
    // the panel updated, and last the device written.
    void Apply(COrlithUSBDevice& device, bool syncOff, const std::function<void(LightInfo&)>& change,
               const std::function<void()>& panelUpdate = {});
    void ApplyColour(COrlithUSBDevice& device, DWORD argb, bool syncOff);
    void OnModeSelect(COrlithUSBDevice& device);
    void OnBrightness(COrlithUSBDevice& device);
    void OnSpeed(COrlithUSBDevice& device);
    void OnMultiColour(COrlithUSBDevice& device);
    void OnDirection(COrlithUSBDevice& device, int direction);
    void OnPalette(COrlithUSBDevice& device);
    void OnComponentEdit(COrlithUSBDevice& device, const std::string& name);
    void OnColourOption(COrlithUSBDevice& device, int n);
    void OnColourButton(COrlithUSBDevice& device);
    void OnZzccSelect(COrlithUSBDevice& device);
    void OnSaveEffect(COrlithUSBDevice& device);
    void OnDeleteEffect(COrlithUSBDevice& device);
    void ShowCustomEffectButtons(int mode);
    // The frames a new custom effect gets from the current settings.
    std::vector<LightEffectStep> StepsFromSettings(const COrlithUSBDevice& device) const;

    int m_kind = 0;
    bool m_sameModeAvailable = false;
    int m_modeCount = 0;
    std::vector<std::string> m_modeNames;
    ColourDialog m_colourDialog;
    bool m_colourDialogOpen = false;
    mutable std::unordered_map<std::string, CControlUI*> m_parts;
};
