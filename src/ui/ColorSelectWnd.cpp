#include "ui/ColorSelectWnd.h"

#include "platform/Folders.h"
#include "profile/ColorOptionFile.h"
#include "profile/StringUtils.h"
#include "toolkit/ColorPaletteUI.h"
#include "toolkit/OptionUI.h"
#include "ui/WindowDpi.h"

#include <cstdlib>
#include <optional>
#include <vector>

namespace {

constexpr int kMaxChannel = 255;
constexpr int kWidth = 800;
constexpr int kHeight = 572;
// The Windows clip-children style; hosts accept it and have nothing to do for it.
constexpr DWORD kClipChildren = 0x02000000;
const char kConfigName[] = "color_option_info.config";
const char kSevenColourImage[] = "common/base1.png";

} // namespace

bool PickColour(HWND owner, int dpi, uint32_t& argb, bool offerSevenColour)
{
    CColorSelectWnd dialog;
    if (!dialog.Create(owner, "PalletDialog", WS_POPUP | kClipChildren, WS_EX_TOOLWINDOW, 0, 0, kWidth, kHeight))
        return false;
    dialog.SetDpi(dpi);
    dialog.SetCurrentColour(argb);
    dialog.ShowSevenColour(offerSevenColour);
    dialog.CenterWindow();
    if (dialog.ShowModal() != CColorSelectWnd::kConfirmed)
        return false;
    argb = dialog.GetCurrentColour();
    return true;
}

std::string CColorSelectWnd::ConfigPath()
{
    return platform::Folders::UserDataFolder() + "/" + kConfigName;
}

void CColorSelectWnd::InitWindow()
{
    m_palette = static_cast<CColorPaletteUI*>(Control("Pallet") ? Control("Pallet")->GetInterface("ColorPalette") : nullptr);
    platform::Folders::EnsureUserDataFolder();
    const Json::Value document = ColorOptionFile::ReadOrCopyDefault(
        ConfigPath(), platform::Folders::ProgramFolder() + "/DefaultData/" + kConfigName);
    SetCurrentColour(m_colour);
    SetSevenColour(m_sevenColour);
    LoadPresets(document);
    LoadUserSwatches(document);
}

void CColorSelectWnd::SetDpi(int dpi)
{
    m_dpi = AcceptWindowDpi(dpi, kDpiError);
    m_pm.SetDPI(m_dpi);
}

void CColorSelectWnd::SetCurrentColour(DWORD argb)
{
    m_colour = argb;
    if (CControlUI* preview = Control("color_show_btn"))
        preview->SetBkImage("");
    ShowPreview();
    if (m_palette)
        m_palette->SetSelectColor(argb);
    ShowChannels();
}

void CColorSelectWnd::ShowSevenColour(bool show)
{
    for (const char* name : {"7color", "7color_layout"}) {
        if (CControlUI* control = Control(name))
            control->SetVisible(show);
    }
    if (!show)
        SetSevenColour(false);
}

void CColorSelectWnd::SetSevenColour(bool on)
{
    m_sevenColour = on;
    if (auto* option = Control("7color") ? static_cast<COptionUI*>(Control("7color")->GetInterface("Option")) : nullptr;
        option && option->IsSelected() != on)
        option->Selected(on, false);
    ShowPreview();
}

void CColorSelectWnd::ShowPreview()
{
    CControlUI* preview = Control("color_show_btn");
    if (!preview)
        return;
    preview->SetBkColor(m_colour);
    preview->SetBkImage(m_sevenColour ? kSevenColourImage : "");
}

void CColorSelectWnd::ShowChannels()
{
    const int shifts[] = {16, 8, 0};
    const char* names[] = {"color_edit_r", "color_edit_g", "color_edit_b"};
    for (int i = 0; i < 3; ++i) {
        if (CControlUI* edit = Control(names[i]))
            edit->SetText(std::to_string((m_colour >> shifts[i]) & 0xFF).c_str());
    }
}

COptionUI* CColorSelectWnd::Swatch(const char* prefix, int index) const
{
    CControlUI* control = Control(prefix + std::to_string(index));
    return control ? static_cast<COptionUI*>(control->GetInterface("Option")) : nullptr;
}

void CColorSelectWnd::Notify(TNotifyUI& msg)
{
    const std::string name = msg.pSender ? std::string(msg.pSender->GetName()) : std::string();
    if (msg.sType == "click") {
        if (name == "okbtn")
            Close(m_palette ? kConfirmed : kConfirmedWithoutPalette);
        else if (name == "closebtn")
            Close(kCancelled);
        else if (name == "minbtn")
            SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
        else if (name == "maxbtn")
            SendMessage(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
        else if (name == "restorebtn")
            SendMessage(WM_SYSCOMMAND, SC_RESTORE, 0);
    } else if (msg.sType == "selectchanged") {
        std::string prefix;
        int index = -1;
        if (name == "7color")
            SetSevenColour(static_cast<COptionUI*>(msg.pSender->GetInterface("Option"))->IsSelected());
        else if (SplitNameIndex(name, prefix, index) && index >= 0 && index < kSwatches)
            OnSwatchSelected(prefix, index);
    } else if (msg.sType == "textchanged" && (name == "color_edit_r" || name == "color_edit_g" || name == "color_edit_b")) {
        OnChannelEdited();
    } else if (msg.sType == "colorchanged" && msg.pSender == m_palette) {
        m_colour = m_palette->GetSelectColor();
        ApplyToUserSwatch();
        ShowChannels();
    }
    WindowImplBase::Notify(msg);
}

void CColorSelectWnd::OnSwatchSelected(const std::string& prefix, int index)
{
    COptionUI* swatch = Swatch(prefix.c_str(), index);
    if (!swatch || !swatch->IsSelected())
        return;
    if (prefix == "color_option_") {
        m_preset = index;
        SavePresets();
        SetCurrentColour(swatch->GetBkColor());
    } else if (prefix == "collect_color_option_") {
        m_userSwatch = index;
        if (swatch->GetUserData() != "1")
            return;
        SaveUserSwatches();
        SetCurrentColour(swatch->GetBkColor());
        SetSevenColour(false);
    }
}

void CColorSelectWnd::OnChannelEdited()
{
    const char* names[] = {"color_edit_r", "color_edit_g", "color_edit_b"};
    int channels[3] = {};
    for (int i = 0; i < 3; ++i) {
        CControlUI* edit = Control(names[i]);
        if (!edit)
            continue;
        const std::string text = edit->GetText();
        channels[i] = std::atoi(text.c_str());
        if (channels[i] > kMaxChannel) {
            channels[i] = kMaxChannel;
            edit->SetText("255");
        } else if (channels[i] < 0) {
            channels[i] = 0; // the edits take digits only; a pasted sign counts as nothing
        } else if (text.empty()) {
            edit->SetText("0");
        }
    }
    m_colour = 0xFF000000u | static_cast<DWORD>(channels[0]) << 16 | static_cast<DWORD>(channels[1]) << 8 | static_cast<DWORD>(channels[2]);
    if (m_palette)
        m_palette->SetSelectColor(m_colour);
    ApplyToUserSwatch();
}

void CColorSelectWnd::ApplyToUserSwatch()
{
    if (COptionUI* swatch = m_userSwatch >= 0 ? Swatch("collect_color_option_", m_userSwatch) : nullptr;
        swatch && swatch->IsSelected()) {
        swatch->SetBkColor(m_colour);
        swatch->SetSelectedBkColor(m_colour);
        swatch->SetUserData("1");
        swatch->Selected(true, false);
        swatch->SetBorderSize(0);
        SaveUserSwatches();
    }
    SetSevenColour(false);
    ShowPreview();
}

LRESULT CColorSelectWnd::HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled)
{
    bHandled = FALSE;
    if (uMsg != WM_DPICHANGED)
        return 0;
    m_dpi = ApplyDpiChange(*this, m_pm, wParam, lParam, kDpiError);
    bHandled = TRUE;
    return 0;
}

void CColorSelectWnd::LoadPresets(const Json::Value& document)
{
    for (int i = 0; i < kSwatches; ++i) {
        COptionUI* swatch = Swatch("color_option_", i);
        if (std::optional<uint32_t> colour = ColorOptionFile::Preset(document, i); swatch && colour)
            swatch->SetBkColor(*colour);
    }
    if (std::optional<int> selected = ColorOptionFile::PresetSelection(document))
        m_preset = *selected;
}

void CColorSelectWnd::LoadUserSwatches(const Json::Value& document)
{
    for (int i = 0; i < kSwatches; ++i) {
        COptionUI* swatch = Swatch("collect_color_option_", i);
        std::optional<ColorOptionFile::Swatch> stored = ColorOptionFile::UserSwatch(document, i);
        if (!swatch || !stored)
            continue;
        swatch->SetUserData(stored->held ? "1" : "");
        swatch->SetBkColor(stored->argb);
        swatch->SetSelectedBkColor(stored->argb);
    }
    // On opening no user swatch is the target of colour changes.
    m_userSwatch = -1;
}

void CColorSelectWnd::SavePresets() const
{
    std::vector<std::optional<uint32_t>> colours(kSwatches);
    for (int i = 0; i < kSwatches; ++i) {
        if (COptionUI* swatch = Swatch("color_option_", i))
            colours[i] = swatch->GetBkColor();
    }
    platform::Folders::EnsureUserDataFolder();
    ColorOptionFile::SavePresets(ConfigPath(), colours, m_preset);
}

void CColorSelectWnd::SaveUserSwatches() const
{
    std::vector<std::optional<ColorOptionFile::Swatch>> swatches(kSwatches);
    for (int i = 0; i < kSwatches; ++i) {
        if (COptionUI* swatch = Swatch("collect_color_option_", i))
            swatches[i] = ColorOptionFile::Swatch {swatch->GetBkColor(), swatch->GetUserData() == "1"};
    }
    platform::Folders::EnsureUserDataFolder();
    ColorOptionFile::SaveUserSwatches(ConfigPath(), swatches, m_userSwatch);
}
