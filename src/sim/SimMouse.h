#pragma once

#include "sim/SimProduct.h"

#include <memory>

// The mouse with its 2.4 GHz receiver: one firmware, reached through the cable (product 0x22A4)
// or through the receiver (product 0x226F) while the two are linked.
class SimMouse {
public:
    static constexpr uint16_t kWiredProductId = 0x22A4;
    static constexpr uint16_t kReceiverProductId = 0x226F;
    // Change notices.
    static constexpr uint16_t kNoticeResync = 0x0401;
    static constexpr uint16_t kNoticeKeyPress = 0x0403;
    static constexpr uint16_t kNoticeProfile = 0x1000;  // | profile
    static constexpr uint16_t kNoticeDpiStage = 0x1100; // | stage << 4 | profile

    explicit SimMouse(std::shared_ptr<SimHidBus> bus);

    SimFirmware& Firmware() { return *m_firmware; }
    SimProduct& Wired() { return *m_wired; }
    SimProduct& Receiver() { return *m_receiver; }

    bool PlugCable() { return m_wired->Plug(); }
    void UnplugCable() { m_wired->Unplug(); }
    bool PlugReceiver() { return m_receiver->Plug(); }
    void UnplugReceiver() { m_receiver->Unplug(); }
    void Link() { m_receiver->SetLinked(true); }
    void Unlink() { m_receiver->SetLinked(false); }
    bool IsLinked() const { return m_receiver->IsLinked(); }

    // Sends a notice through the cable and, while linked, through the receiver.
    void SendNotice(uint16_t code);
    // The user switched profiles on the mouse: byte 0 of the profile region, then notice 0x10p.
    void SelectProfile(int profile);
    // The user pressed the DPI button: byte 12 of the active record, then notice 0x11sp.
    void SelectDpiStage(int stage);
    // The user pressed a button: the key-press notice 0x0403 that drives the key effects.
    void PressKey() { SendNotice(kNoticeKeyPress); }

private:
    std::shared_ptr<SimFirmware> m_firmware;
    std::shared_ptr<SimProduct> m_wired;
    std::shared_ptr<SimProduct> m_receiver;
};
