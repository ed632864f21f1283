#include "app/ControlRouter.h"

#include "device/COrlithUSBDevice.h"
#include "device/DeviceKind.h"
#include "device/LightPanelView.h"
#include "panels/CLightControlUI.h"
#include "toolkit/UIParse.h"
#include "toolkit/ControlUI.h"

#include <cstring>
#include <iterator>

namespace {

using O = RouteOwner;

// Click routes (after the title-bar and shell controls the main window handles itself).
const ControlRoute kRoutes[] = {
    {"click", "key_", true, false, O::KeyPanel},
    {"click", "color_option_", true, false, O::LightPanel},
    {"click", "audiocolor_option_", true, false, O::AudioLight},
    {"click", "DPI_color_option_", true, false, O::MousePage},
    {"click", "default_btn", false, false, O::ProfilePanel},
    {"click", "reset_repeat_btn", false, false, O::KeyboardPage},
    {"click", "device_add_btn", false, false, O::ProfilePanel},
    {"click", "device_sub_btn", false, false, O::ProfilePanel},
    {"click", "device_export_btn", false, false, O::ProfilePanel},
    {"click", "device_import_btn", false, false, O::ProfilePanel},
    {"click", "device_copy_btn", false, false, O::ProfilePanel},
    {"click", "device_reset_btn", false, false, O::ProfilePanel},
    {"click", "device_profile_edit_save_btn", false, false, O::ProfilePanel},
    {"click", "profile_fun_spread_btn", false, true, O::ProfilePanel},
    {"click", "key_butt_keysave", false, false, O::KeyPanel},
    {"click", "key_butt_keydefalut", false, false, O::KeyPanel},
    {"click", "key_butt_keycancel", false, false, O::KeyPanel},
    {"click", "key_butt_prosave", false, false, O::KeyPanel},
    {"click", "macro_btn_starredio", false, false, O::MacroPanel},
    {"click", "macro_btn_stopredio", false, false, O::MacroPanel},
    {"click", "macro_btn_name_add", false, false, O::MacroPanel},
    {"click", "macro_btn_name_sub", false, false, O::MacroPanel},
    {"click", "macro_btn_name_edit", false, false, O::MacroPanel},
    {"click", "macro_btn_save", false, false, O::MacroPanel},
    {"click", "macro_btn_cancel", false, false, O::MacroPanel},
    {"click", "macro_btn_export", false, false, O::MacroPanel},
    {"click", "macro_btn_import", false, false, O::MacroPanel},
    {"click", "macro_btn_up", false, false, O::MacroPanel},
    {"click", "macro_btn_down", false, false, O::MacroPanel},
    {"click", "macro_btn_uptop", false, false, O::MacroPanel},
    {"click", "macro_btn_downbottom", false, false, O::MacroPanel},
    {"click", "macro_btn_delete", false, false, O::MacroPanel},
    {"click", "macro_btn_deleteall", false, false, O::MacroPanel},
    {"click", "macro_inset_moveleftkey_btn", false, true, O::MacroPanel},
    {"click", "macro_inset_moverightkey_btn", false, true, O::MacroPanel},
    {"click", "macro_inset_moveupkey_btn", false, true, O::MacroPanel},
    {"click", "macro_inset_movedownkey_btn", false, true, O::MacroPanel},
    {"click", "shootdate_save_btn", false, false, O::ShootPanel},
    {"click", "shootdate_reset_btn", false, false, O::ShootPanel},
    {"click", "shootdate_import_btn", false, false, O::ShootPanel},
    {"click", "shootdate_export_btn", false, false, O::ShootPanel},
    {"click", "bullet_selected_prev", false, false, O::ShootPanel},
    {"click", "bullet_selected_next", false, false, O::ShootPanel},
    {"click", "custom_bright_color_btn", false, false, O::KeyboardPage},
    {"click", "custom_off_color_btn", false, false, O::KeyboardPage},
    {"click", "deng_same_mode", false, false, O::SyncLight},
    {"click", "deng_colordp_btn", false, false, O::LightPanel},
    {"click", "light_effect_save_btn", false, false, O::LightPanel},
    {"click", "light_effect_delete_btn", false, false, O::LightPanel},
    {"click", "hs_EQ_btn_save", false, false, O::VoicePanel},
    {"click", "hs_EQ_btn_delete", false, false, O::VoicePanel},
    {"click", "Close_bkColor_btn", false, false, O::AudioLight},
    {"click", "music_setting_btn", false, false, O::AudioLight},

    {"selectchanged", "DPI_enable_check_", true, false, O::MousePage},
    {"selectchanged", "DPI_select_check_", true, false, O::MousePage},
    {"selectchanged", "polling_rate_option_", true, false, O::MousePage},
    {"selectchanged", "Silent_Altitude_option_", true, false, O::MousePage},
    {"selectchanged", "Linear_Calibration_option_", true, false, O::MousePage},
    {"selectchanged", "Ripple_option_", true, false, O::MousePage},
    {"selectchanged", "mouse_device_seting_option_", true, false, O::MousePage},
    {"selectchanged", "pointer_precision_check", false, false, O::MousePage},
    {"selectchanged", "scrolls_page_check", false, false, O::MousePage},
    {"selectchanged", "repeat_delay_check_", true, false, O::KeyboardPage},
    {"selectchanged", "winlockflag_option", false, false, O::KeyboardPage},
    {"selectchanged", "wflag_option", false, false, O::KeyboardPage},
    {"selectchanged", "6flag_option", false, false, O::KeyboardPage},
    {"selectchanged", "shoot_gun_op_", true, false, O::ShootPanel},
    {"selectchanged", "bullet_op_", true, false, O::ShootPanel},
    {"selectchanged", "bullet_x_check", false, false, O::ShootPanel},
    {"selectchanged", "bullet_y_check", false, false, O::ShootPanel},
    {"selectchanged", "magic_option_", true, false, O::VoicePanel},
    {"selectchanged", "magic_enable_option", false, false, O::VoicePanel},
    {"selectchanged", "6533_eq_option_", true, false, O::VoicePanel},
    {"selectchanged", "6533_MicIn_option", false, false, O::VoicePanel},
    {"selectchanged", "6533_MicMoniter_option", false, false, O::VoicePanel},
    {"selectchanged", "key_ComBox_check_", true, false, O::KeyPanel},
    {"selectchanged", "deng_FXL_check", false, false, O::LightPanel},
    {"selectchanged", "deng_FXR_check", false, false, O::LightPanel},
    {"selectchanged", "deng_7color_check", false, false, O::LightPanel},
    {"selectchanged", "deng_7audiocolor_check", false, false, O::AudioLight},
    {"selectchanged", "audio_BkColor_check", false, false, O::AudioLight},
    {"selectchanged", "audio_FgColor_check", false, false, O::AudioLight},

    {"value", "DPI_slider_", true, false, O::MousePage},
    {"movevaluechanged", "tavix_DPI_slider_", true, false, O::MousePage},
    {"value", "pointer_speed_slider", false, false, O::MousePage},
    {"value", "scroll_speed_slider", false, false, O::MousePage},
    {"value", "double_click_slider", false, false, O::MousePage},
    {"value", "repeat_rate_slider", false, false, O::KeyboardPage},
    {"value", "deng_light_slider", false, false, O::LightPanel},
    {"value", "deng_speed_slider", false, false, O::LightPanel},
    {"colorchanged", "deng_Color_Pallet", false, false, O::LightPanel},
    {"value", "6533_eq_hz_slider_", true, false, O::VoicePanel},
    {"value", "6533_MicIn_slider", false, false, O::VoicePanel},
    {"value", "6533_MicMoniter_slider", false, false, O::VoicePanel},
    {"value", "R_light_slider", false, false, O::AudioLight},
    {"value", "G_light_slider", false, false, O::AudioLight},
    {"value", "B_light_slider", false, false, O::AudioLight},
    {"colorchanged", "deng_audioColor_Pallet", false, false, O::AudioLight},
    {"click_select_end", "device_key_light", false, false, O::LightPanel},
    {"click_select_end", "mouse_device_key_light", false, false, O::LightPanel},

    {"itemselect", "light_combo_modeSelect", false, false, O::LightPanel},
    {"itemselect", "light_combo_custommodeSelect", false, false, O::LightPanel},
    {"itemselect", "light_combo_ZZCCmodeSelect", false, false, O::LightPanel},
    {"itemselect", "light_combo_audiomodeSelect", false, false, O::AudioLight},
    {"itemselect", "keyset_function_combo", false, false, O::KeyPanel},
    {"itemselect", "keyset_macro_over_combo", false, false, O::KeyPanel},
    {"itemselect", "keyset_mousekey_combo", false, false, O::KeyPanel},
    {"itemselect", "keyset_mouseswing_combo", false, false, O::KeyPanel},
    {"itemselect", "keyset_mousewheel_combo", false, false, O::KeyPanel},
    {"itemselect", "keyset_mousedpi_combo", false, false, O::KeyPanel},
    {"itemselect", "keyset_media_combo", false, false, O::KeyPanel},
    {"itemselect", "keyset_system_combo", false, false, O::KeyPanel},
    {"itemselect", "keyset_macro_combo", false, false, O::KeyPanel},
    {"itemselect", "keyset_gunkey_combo", false, false, O::KeyPanel},
    {"itemselect", "keyset_combokey_combo", false, false, O::KeyPanel},
    {"itemselect", "Anti_Shake_combo_timeSelect", false, false, O::MousePage},
    {"itemselect", "ble_sleep1_combo", false, false, O::MousePage},
    {"itemselect", "ble_sleep2_combo", false, false, O::MousePage},
    {"itemselect", "device_sleep1_combo", false, false, O::MousePage},
    {"itemselect", "device_sleep2_combo", false, false, O::MousePage},
    {"itemselect", "logo_led_mode_combo", false, false, O::MousePage},
    {"itemselect", "macro_name_list", false, false, O::MacroPanel},
    {"itemselect", "custom_eq_name_combo", false, false, O::VoicePanel},

    {"killfocus", "DPI_edit_", true, false, O::MousePage},
    {"killfocus", "tavix_DPI_edit_", true, false, O::MousePage},
    {"killfocus", "deng_edit_R", false, false, O::LightPanel},
    {"killfocus", "deng_edit_G", false, false, O::LightPanel},
    {"killfocus", "deng_edit_B", false, false, O::LightPanel},
    {"killfocus", "deng_audioedit_R", false, false, O::AudioLight},
    {"killfocus", "deng_audioedit_G", false, false, O::AudioLight},
    {"killfocus", "deng_audioedit_B", false, false, O::AudioLight},
    {"killfocus", "bullet_x_eidt", false, false, O::ShootPanel},
    {"killfocus", "bullet_y_eidt", false, false, O::ShootPanel},
    {"killfocus", "bullet_delay_eidt", false, false, O::ShootPanel},
    {"killfocus", "macro_delay", false, false, O::MacroPanel},
    {"killfocus", "keyset_mouseswing_num_edit", false, false, O::KeyPanel},
    {"killfocus", "keyset_mouseswing_delay_edit", false, false, O::KeyPanel},
    {"killfocus", "keyset_mouseswing_speed_edit", false, false, O::KeyPanel},
    {"killfocus", "keyset_mousewheel_num_edit", false, false, O::KeyPanel},
    {"killfocus", "keyset_mousewheel_delay_edit", false, false, O::KeyPanel},
    {"killfocus", "keyset_mousewheel_speed_edit", false, false, O::KeyPanel},
    {"killfocus", "keyset_mousefire_interval_edit", false, false, O::KeyPanel},
    {"killfocus", "keyset_mousefire_num_edit", false, false, O::KeyPanel},
    {"killfocus", "keyset_macro_cycle_edit", false, false, O::KeyPanel},
};

bool SameText(const std::string& a, const char* b, bool caseSensitive)
{
    return caseSensitive ? a == b : EqualsNoCase(a, b);
}

// "DPI_slider_3" matches the row "DPI_slider_": the name splits at its last '_' into that prefix.
bool NameMatches(const std::string& name, const ControlRoute& route)
{
    if (!route.indexed)
        return SameText(name, route.name, route.caseSensitive);
    auto underscore = name.find_last_of('_');
    return underscore != std::string::npos && SameText(name.substr(0, underscore + 1), route.name, route.caseSensitive);
}

bool TypeMatches(const std::string& type, const ControlRoute& route)
{
    if (std::strcmp(route.type, "value") == 0)
        return type == "valuechanged" || type == "movevaluechanged";
    return type == route.type;
}

} // namespace

const ControlRoute* ControlRouter::Find(const TNotifyUI& msg)
{
    if (!msg.pSender)
        return nullptr;
    const std::string name = msg.pSender->GetName();
    const std::string type = msg.sType;
    for (const ControlRoute& route : kRoutes) {
        if (TypeMatches(type, route) && NameMatches(name, route))
            return &route;
    }
    return nullptr;
}

bool ControlRouter::Serves(RouteOwner owner, int deviceKind)
{
    int wired = WiredKindOf(deviceKind);
    switch (owner) {
    case RouteOwner::MousePage:
    case RouteOwner::ShootPanel:
        return wired == kDeviceMouse;
    case RouteOwner::KeyboardPage:
        return wired == kDeviceKeyboard;
    case RouteOwner::MacroPanel:
    case RouteOwner::KeyPanel:
        return wired == kDeviceMouse || wired == kDeviceKeyboard;
    case RouteOwner::VoicePanel:
        return deviceKind == kDeviceHs6533;
    default:
        return deviceKind != kDeviceNone;
    }
}

bool ControlRouter::Route(TNotifyUI& msg, COrlithUSBDevice* device)
{
    const ControlRoute* route = Find(msg);
    if (!route || !device || !Serves(route->owner, device->Kind()))
        return false;
    if (route->owner == RouteOwner::LightPanel) {
        if (auto* panel = dynamic_cast<CLightControlUI*>(device->LightPanel()); panel && panel->HandleNotify(msg, *device))
            return true;
    }
    device->OnPageNotify(msg);
    return true;
}
