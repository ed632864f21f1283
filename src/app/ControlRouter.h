#pragma once

// Where the notifications of device-page controls go: the routing tables of the main window.
// A route names a notification type, a control name (or the prefix of a row of indexed
// controls "name_N") and which device kinds the control serves; the router hands a matching
// notification to the selected device's page, and nothing happens for other devices.

#include "toolkit/NotifyUI.h"

#include <string>

class COrlithUSBDevice;

enum class RouteOwner {
    MousePage,      // DPI stages, report rate, lift-off, pointer, sleep, logo lighting
    KeyboardPage,   // repeat, lock flags, per-key colours
    ProfilePanel,   // profile list and files
    KeyPanel,       // key assignment
    LightPanel,     // lighting modes and colours
    AudioLight,     // audio-reactive lighting
    MacroPanel,     // macro editor and recording
    ShootPanel,     // recoil patterns
    VoicePanel,     // headset sound
    SyncLight,      // lighting on every product together
};

struct ControlRoute {
    const char* type;   // notification type, or "value" for "valuechanged" and "movevaluechanged"
    const char* name;   // a full name, or a prefix ending in '_' followed by a number
    bool indexed;       // name is the prefix of a row "name" + N
    bool caseSensitive; // compared exactly ("macro_inset_" and "profile_fun_spread_btn")
    RouteOwner owner;
};

class ControlRouter {
public:
    // The route of a notification, or null when no device control matches.
    static const ControlRoute* Find(const TNotifyUI& msg);
    // Whether a device of this kind has the controls of owner.
    static bool Serves(RouteOwner owner, int deviceKind);
    // Hands msg to the device when a route matches and the device serves it; true when handed.
    static bool Route(TNotifyUI& msg, COrlithUSBDevice* device);
};
