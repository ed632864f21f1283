#pragma once

// The main window's side of the key assignment panel of the device page in front: a click on a
// key of the device picture shows that key's function, every edit of the panel becomes the
// key's function on the page, and the save button writes the key table to the device. A key
// captured from the keyboard (the single-key capture) fills the keyboard category.

#include "toolkit/NotifyUI.h"

#include <string>
#include <vector>

class CKeySetControlUI;
class CPaintManagerUI;
class COrlithUSBDevice;
class IProfileDialogs;
class ProfileCommands;
struct KeyAssignment;

class KeyPanelCommands {
public:
    // The private window message that switches the single-key capture: wParam 1 on, 0 off.
    static constexpr UINT kMsgSingleKeyCapture = 0x041E;

    KeyPanelCommands(CPaintManagerUI& manager, ProfileCommands& profiles) : m_manager(manager), m_profiles(profiles) {}

    static CKeySetControlUI* PanelOf(COrlithUSBDevice* device);
    // Page creation: the panel learns its device kind and the device's macros.
    void Prepare(COrlithUSBDevice* device, const std::vector<std::string>& macroNames);
    // A notification of a control of the key panel (or a key of the device picture).
    void OnNotify(TNotifyUI& msg, COrlithUSBDevice* device);
    // The keyboard capture reported a key (its set-1 scan code and extended flag).
    void OnKeyCaptured(COrlithUSBDevice* device, uint32_t scanCode, bool extended);
    // The panel's function becomes the selected key's on the page.
    void Apply(CKeySetControlUI& panel, COrlithUSBDevice& device);

private:
    // True when key holds the mouse's only left button, which must never be given away.
    static bool IsOnlyLeftButton(const std::vector<KeyAssignment>& keys, int key);
    void OnKeyClick(int key, COrlithUSBDevice& device);
    void SaveToDevice(CKeySetControlUI& panel, COrlithUSBDevice& device);
    IProfileDialogs& Dialogs();

    CPaintManagerUI& m_manager;
    ProfileCommands& m_profiles;
};
