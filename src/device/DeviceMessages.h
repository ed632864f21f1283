#pragma once

#include "toolkit/UIDefs.h"

// Window messages between device objects, the scan thread and the main window.
constexpr UINT kMsgDeviceArrived = 0x0C12;     // wParam: slot index
constexpr UINT kMsgDeviceRemoved = 0x0C13;     // wParam: slot index
constexpr UINT kMsgDeviceReadDone = 0x0D00;    // mouse pad and headset, after their own reads
constexpr UINT kMsgPowerReport = 0x0D01;       // wParam: byte 4 of the power record
constexpr UINT kMsgDeviceDone = 0x0D02;        // no action
constexpr UINT kMsgTileVisible = 0x0D03;       // wParam: tile index, lParam: 0 hide, 1 show
constexpr UINT kMsgFirmwareVersion = 0x0D04;   // wParam: product id, lParam: firmware version
constexpr UINT kMsgDeviceInitialised = 0x0D05; // WM_USB_MAINMESS_DEVICE_IS_INITUI: wParam 1 or 0
// From a device's worker thread: arm a tile timer on the UI thread. wParam: timer id,
// lParam: the COrlithUSBDevice*, which lives as long as the main window.
constexpr UINT kMsgArmTileTimer = 0x0D10;
// From a device's worker thread: refresh the device's page on the UI thread. lParam as above.
constexpr UINT kMsgRefreshPage = 0x0D11;
// A device's synchronised-lighting flag changed (any thread). lParam as above.
constexpr UINT kMsgSynchroChanged = 0x0D12;

// Tile timers (the device tile runs them; the device does the work).
constexpr UINT kTimerPreview = 1000;
constexpr UINT kTimerConnect = 1001;
constexpr UINT kTimerReload = 1002;
constexpr UINT kTimerDevice3 = 1003;
constexpr UINT kTimerDevice4 = 1004;
constexpr UINT kTimerPower = 1005;
constexpr UINT kTimerLinkWatch = 1007;
constexpr UINT kTimerKeepAlive = 1008;
