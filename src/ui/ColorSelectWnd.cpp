#include "ui/ColorSelectWnd.h"

#include "platform/Folders.h"
#include "profile/JsonFile.h"
#include "profile/StringUtils.h"
#include "toolkit/ColorPaletteUI.h"
#include "toolkit/OptionUI.h"
#include "ui/WindowDpi.h"

#include <cstdio>
#include <cstdlib>
#include <functional>

namespace {

constexpr DWORD kEmptySwatch = 0xFFFFFFFF;
constexpr int kMaxChannel = 255;
constexpr int kWidth = 800;
constexpr int kHeight = 572;
// The Windows clip-children style; hosts accept it and have nothing to do for it.
constexpr DWORD kClipChildren = 0x02000000;
const char kConfigName[] = "color_option_info.config";
const char kPresetKey[] = "palletDialogcoloroption";
const char kUserKey[] = "palletDialogcollectcoloroption";
const char kSevenColourImage[] = "common/base1.png";

std::string HexColour(DWORD argb)
{
    char text[9];
    std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(argb));
    return text;
}

DWORD ParseColour(const Json::Value& value)
{
    return value.isString() ? static_cast<DWORD>(std::strtoul(value.asCString(), nullptr, 16)) : kEmptySwatch;
}

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
    Json::Value document = ReadDocument();
    if (!document.isObject()) {
        JsonFile json;
        document = json.ReadJsonDocument(platform::Folders::ProgramFolder() + "/DefaultData/" + kConfigName);
        if (document.isObject())
            WriteDocument(document);
    }
    SetCurrentColour(m_colour);
    SetSevenColour(m_sevenColour);
    const Json::Value& info = document.isObject() ? document["coloroptioninfo"] : Json::Value::nullSingleton();
    if (info.isObject()) {
        LoadPresets(info);
        LoadUserSwatches(info);
    }
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
        // An emptied channel counts as 0 but stays empty while the user types.
        OnChannelEdited();
    } else if (msg.sType == "killfocus" && (name == "color_edit_r" || name == "color_edit_g" || name == "color_edit_b")) {
        if (msg.pSender->GetText().empty())
            msg.pSender->SetText("0");
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

Json::Value CColorSelectWnd::ReadDocument() const
{
    JsonFile json;
    return json.ReadJsonDocument(ConfigPath());
}

void CColorSelectWnd::WriteDocument(const Json::Value& document) const
{
    JsonFile json;
    platform::Folders::EnsureUserDataFolder();
    json.WriteJsonDocument(ConfigPath(), document);
}

void CColorSelectWnd::LoadPresets(const Json::Value& info)
{
    const Json::Value& presets = info[kPresetKey];
    for (int i = 0; presets.isArray() && i < kSwatches && i < static_cast<int>(presets.size()); ++i) {
        const Json::Value& entry = presets[i];
        if (COptionUI* swatch = Swatch("color_option_", i); swatch && entry.isObject() && entry["color"].isString())
            swatch->SetBkColor(ParseColour(entry["color"]));
    }
    if (info["palletDialogcoloroption_selectitem"].isInt())
        m_preset = info["palletDialogcoloroption_selectitem"].asInt();
}

void CColorSelectWnd::LoadUserSwatches(const Json::Value& info)
{
    const Json::Value& swatches = info[kUserKey];
    for (int i = 0; swatches.isArray() && i < kSwatches && i < static_cast<int>(swatches.size()); ++i) {
        const Json::Value& entry = swatches[i];
        COptionUI* swatch = Swatch("collect_color_option_", i);
        if (!swatch || !entry.isObject())
            continue;
        const bool held = entry["UserData"].isString() && entry["UserData"].asString() == "1";
        const DWORD colour = held ? ParseColour(entry["color"]) : kEmptySwatch;
        swatch->SetUserData(held ? "1" : "");
        swatch->SetBkColor(colour);
        swatch->SetSelectedBkColor(colour);
    }
    // On opening no user swatch is the target of colour changes.
    m_userSwatch = -1;
}

void CColorSelectWnd::UpdateSwatchInfo(const std::function<void(Json::Value& info)>& update) const
{
    Json::Value document = ReadDocument();
    if (!document.isObject())
        document = Json::Value(Json::objectValue);
    Json::Value& info = document["coloroptioninfo"];
    if (!info.isObject())
        info = Json::Value(Json::objectValue);
    update(info);
    WriteDocument(document);
}

void CColorSelectWnd::SavePresets() const
{
    UpdateSwatchInfo([this](Json::Value& info) {
        for (int i = 0; i < kSwatches; ++i) {
            if (COptionUI* swatch = Swatch("color_option_", i))
                info[kPresetKey][i]["color"] = HexColour(swatch->GetBkColor());
        }
        info["palletDialogcoloroption_selectitem"] = m_preset;
    });
}

void CColorSelectWnd::SaveUserSwatches() const
{
    UpdateSwatchInfo([this](Json::Value& info) {
        for (int i = 0; i < kSwatches; ++i) {
            if (COptionUI* swatch = Swatch("collect_color_option_", i)) {
                info[kUserKey][i]["color"] = HexColour(swatch->GetBkColor());
                info[kUserKey][i]["UserData"] = std::string(swatch->GetUserData());
            }
        }
        info["palletDialogcollectcoloroption_selectitem"] = m_userSwatch;
    });
}
