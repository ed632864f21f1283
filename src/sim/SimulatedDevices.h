#pragma once

#include "hid/sim/SimHidBus.h"
#include "sim/SimFlashFile.h"
#include "sim/SimMouse.h"
#include "sim/SimProduct.h"

#include <memory>
#include <string>

// The simulated products of one program run or one test, on one bus: the mouse with its
// receiver, the mouse pad, the headset and a keyboard. Names used by Plug and Unplug:
// "mouse" (the mouse's cable), "receiver", "pad", "headset", "keyboard".
class SimulatedDevices {
public:
    static constexpr uint16_t kPadProductId = 0x1004;
    static constexpr uint16_t kHeadsetVendorId = 0x0C76;
    static constexpr uint16_t kHeadsetProductId = 0x1630;
    // No served keyboard reports a product id yet; tests give this one to their match table.
    static constexpr uint16_t kKeyboardProductId = 0x2A10;

    // The file in the user's state folder that keeps the products' flash between runs.
    static constexpr char kFlashFileName[] = "simulated-devices.flash";

    explicit SimulatedDevices(std::shared_ptr<SimHidBus> bus = std::make_shared<SimHidBus>());
    // Writes the flash file one last time when there is one.
    ~SimulatedDevices();
    SimulatedDevices(const SimulatedDevices&) = delete;
    SimulatedDevices& operator=(const SimulatedDevices&) = delete;

    // From now on the products keep their flash in this file, as real ones keep it across
    // power cycles; what the file holds replaces their factory memory now. Without a call the
    // products start from the factory and keep nothing (tests).
    SimFlashFile::LoadResult KeepFlashIn(const std::string& path);
    // The flash file; null without KeepFlashIn.
    SimFlashFile* FlashFile() const { return m_flash.get(); }

    std::shared_ptr<SimHidBus> Bus() const { return m_bus; }
    SimMouse& Mouse() { return m_mouse; }
    SimProduct& MousePad() { return *m_pad; }
    SimProduct& Headset() { return *m_headset; }
    SimProduct& Keyboard() { return *m_keyboard; }

    // False for an unknown name or a product already in that state.
    bool Plug(const std::string& name);
    bool Unplug(const std::string& name);
    bool IsPlugged(const std::string& name);
    // The mouse's radio link to its receiver (linked at the start).
    void Link() { m_mouse.Link(); }
    void Unlink() { m_mouse.Unlink(); }
    // A press on a product: a key of the mouse ("mouse" or "receiver"), or the pad's light button,
    // which moves the pad to its next effect and reports the change (notice 0x0401). False
    // for other names.
    bool Press(const std::string& name);
    // The product's own effect buttons: "mouse" or "pad" shows lighting mode (its device value)
    // at speed 0..4 in the record of its active profile and reports the change (0x0401).
    bool SetEffect(const std::string& name, int mode, int speed);
    // Plugs every name of a comma-separated list; false when a name is unknown.
    bool PlugList(const std::string& list);
    // Exchange latency of every product.
    void SetLatencyMs(int milliseconds);

    // When QV742_SIM names products: plugs them, keeps their flash in the user's state folder and
    // makes the bus every HidDevice's backend. Null when QV742_SIM is unset or empty (hidraw
    // stays the backend).
    static std::shared_ptr<SimulatedDevices> InstallFromEnvironment();

private:
    SimProduct* Product(const std::string& name);

    std::shared_ptr<SimHidBus> m_bus;
    SimMouse m_mouse;
    std::shared_ptr<SimProduct> m_pad;
    std::shared_ptr<SimProduct> m_headset;
    std::shared_ptr<SimProduct> m_keyboard;
    std::shared_ptr<SimFlashFile> m_flash;
};
