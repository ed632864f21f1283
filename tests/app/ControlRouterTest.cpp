#include "app/ControlRouter.h"

#include "device/DeviceKind.h"
#include "toolkit/ControlUI.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* type;
    const char* name;
    bool routed;
    RouteOwner owner;
};

TEST(ControlRouter, FindsRowsOfIndexedControlsAndExactNames)
{
    const Case cases[] = {
        {"valuechanged", "DPI_slider_3", true, RouteOwner::MousePage},
        {"movevaluechanged", "DPI_slider_0", true, RouteOwner::MousePage},
        {"valuechanged", "tavix_DPI_slider_2", false, RouteOwner::MousePage}, // moves only
        {"click", "key_7", true, RouteOwner::KeyPanel},
        {"click", "key_butt_keysave", true, RouteOwner::KeyPanel},
        {"click", "KEY_BUTT_KEYSAVE", true, RouteOwner::KeyPanel},
        {"click", "Macro_Inset_MoveLeftKey_Btn", false, RouteOwner::MacroPanel}, // case-sensitive row
        {"click", "macro_inset_moveleftkey_btn", true, RouteOwner::MacroPanel},
        {"killfocus", "bullet_x_eidt", true, RouteOwner::ShootPanel},
        {"itemselect", "logo_led_mode_combo", true, RouteOwner::MousePage},
        {"click", "nounderscore", false, RouteOwner::MousePage},
        {"click", "color_option_12", true, RouteOwner::LightPanel},
        {"click", "deng_colordp_btn", true, RouteOwner::LightPanel},
        {"click", "light_effect_save_btn", true, RouteOwner::LightPanel},
        {"killfocus", "deng_edit_G", true, RouteOwner::LightPanel},
    };
    for (const Case& c : cases) {
        CControlUI control;
        control.SetName(c.name);
        TNotifyUI msg;
        msg.sType = c.type;
        msg.pSender = &control;
        const ControlRoute* route = ControlRouter::Find(msg);
        EXPECT_EQ(route != nullptr, c.routed) << c.type << " " << c.name;
        if (route && c.routed) {
            EXPECT_EQ(route->owner, c.owner) << c.name;
        }
    }
}

TEST(ControlRouter, ControlsReachOnlyTheKindsTheyServe)
{
    EXPECT_TRUE(ControlRouter::Serves(RouteOwner::MousePage, kDeviceMouseReceiver));
    EXPECT_FALSE(ControlRouter::Serves(RouteOwner::MousePage, kDeviceKeyboard));
    EXPECT_TRUE(ControlRouter::Serves(RouteOwner::KeyPanel, kDeviceKeyboardReceiver));
    EXPECT_FALSE(ControlRouter::Serves(RouteOwner::VoicePanel, kDeviceMouse));
    EXPECT_TRUE(ControlRouter::Serves(RouteOwner::LightPanel, kDeviceMousePad));
}

} // namespace
