#pragma once

// What a device object or an interface is.
enum DeviceKind : int {
    kDeviceNone = 0,
    kDeviceKeyboard = 1,
    kDeviceMouse = 2,
    kDeviceMousePad = 3,
    kDeviceHeadset = 4,
    kDeviceHub = 5,
    kDeviceMouseReceiver = 6,
    kDeviceHs6533 = 7,
    kDeviceKeyboardReceiver = 9,
};

// The wired kind a receiver kind stands for (2 for 6, 1 for 9); other kinds unchanged.
constexpr int WiredKindOf(int kind)
{
    return kind == kDeviceMouseReceiver ? kDeviceMouse : kind == kDeviceKeyboardReceiver ? kDeviceKeyboard : kind;
}

constexpr bool IsReceiverKind(int kind)
{
    return kind == kDeviceMouseReceiver || kind == kDeviceKeyboardReceiver;
}
