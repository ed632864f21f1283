#include "sim/SimulatedDevices.h"

#include "platform/Folders.h"

#include <cstdlib>
#include <sstream>

SimulatedDevices::SimulatedDevices(std::shared_ptr<SimHidBus> bus) : m_bus(std::move(bus)), m_mouse(m_bus)
{
    SimProductSpec pad;
    pad.productId = kPadProductId;
    pad.commandCollection = 4;
    m_pad = SimProduct::Create(m_bus, pad, std::make_shared<SimFirmware>(SimFirmware::MousePadLayout()));

    SimProductSpec headset;
    headset.vendorId = kHeadsetVendorId;
    headset.productId = kHeadsetProductId;
    headset.commandInterface = 3;
    headset.commandCollection = 0;
    headset.notificationInterface = false;
    headset.lightReports = true;
    m_headset = SimProduct::Create(m_bus, headset, std::make_shared<SimFirmware>(SimFirmware::HeadsetLayout()));

    SimProductSpec keyboard;
    keyboard.productId = kKeyboardProductId;
    keyboard.commandCollection = 4;
    m_keyboard = SimProduct::Create(m_bus, keyboard, std::make_shared<SimFirmware>(SimFirmware::KeyboardLayout()));
}

SimulatedDevices::~SimulatedDevices()
{
    if (m_flash)
        m_flash->Save();
}

SimFlashFile::LoadResult SimulatedDevices::KeepFlashIn(const std::string& path)
{
    m_flash = std::make_shared<SimFlashFile>(path);
    for (const char* name : {"mouse", "pad", "headset", "keyboard"})
        m_flash->Add(name, Product(name)->SharedFirmware());
    return m_flash->Load();
}

SimProduct* SimulatedDevices::Product(const std::string& name)
{
    if (name == "mouse")
        return &m_mouse.Wired();
    if (name == "receiver")
        return &m_mouse.Receiver();
    if (name == "pad")
        return m_pad.get();
    if (name == "headset")
        return m_headset.get();
    if (name == "keyboard")
        return m_keyboard.get();
    return nullptr;
}

bool SimulatedDevices::Plug(const std::string& name)
{
    SimProduct* product = Product(name);
    return product && product->Plug();
}

bool SimulatedDevices::Unplug(const std::string& name)
{
    SimProduct* product = Product(name);
    if (!product || !product->IsPlugged())
        return false;
    product->Unplug();
    return true;
}

bool SimulatedDevices::IsPlugged(const std::string& name)
{
    SimProduct* product = Product(name);
    return product && product->IsPlugged();
}

bool SimulatedDevices::Press(const std::string& name)
{
    if (name == "mouse" || name == "receiver") {
        m_mouse.PressKey();
        return true;
    }
    if (name != "pad")
        return false;
    // The pad's button steps through its own effects (wave ... zone ripple, off), skipping the
    // custom slot, in the record of its active profile.
    constexpr size_t kRecordStride = 25;
    constexpr uint8_t kCustomMode = 5;
    constexpr uint8_t kModes = 9;
    SimFirmware& firmware = m_pad->Firmware();
    const std::vector<uint8_t> region = firmware.ProfileRegion();
    const size_t modeByte = region[0] * kRecordStride + 1;
    if (modeByte >= region.size())
        return false;
    uint8_t mode = static_cast<uint8_t>((region[modeByte] + 1) % kModes);
    if (mode == kCustomMode)
        ++mode;
    firmware.WriteProfileRegion(modeByte, {mode});
    m_pad->SendNotice(SimMouse::kNoticeResync);
    return true;
}

bool SimulatedDevices::SetEffect(const std::string& name, int mode, int speed)
{
    // Records: the mouse's at profile x 128, the pad's at profile x 25; byte 1 the mode, byte 3
    // the speed turned round (4 - speed).
    const bool mouse = name == "mouse" || name == "receiver";
    if (!mouse && name != "pad")
        return false;
    SimFirmware& firmware = mouse ? m_mouse.Firmware() : m_pad->Firmware();
    const size_t stride = mouse ? 128 : 25;
    const std::vector<uint8_t> region = firmware.ProfileRegion();
    const size_t record = (region[0] & 0x0F) * stride;
    if (record + 4 > region.size() || speed < 0 || speed > 4 || mode < 0 || mode > 0xFF)
        return false;
    firmware.WriteProfileRegion(record + 1, {static_cast<uint8_t>(mode)});
    firmware.WriteProfileRegion(record + 3, {static_cast<uint8_t>(4 - speed)});
    if (mouse)
        m_mouse.SendNotice(SimMouse::kNoticeResync);
    else
        m_pad->SendNotice(SimMouse::kNoticeResync);
    return true;
}

bool SimulatedDevices::PlugList(const std::string& list)
{
    std::istringstream names(list);
    std::string name;
    bool allKnown = true;
    while (std::getline(names, name, ',')) {
        if (name.empty())
            continue;
        if (!Product(name))
            allKnown = false;
        else
            Plug(name);
    }
    return allKnown;
}

void SimulatedDevices::SetLatencyMs(int milliseconds)
{
    for (const char* name : {"mouse", "pad", "headset", "keyboard"})
        Product(name)->Firmware().SetLatencyMs(milliseconds);
}

std::shared_ptr<SimulatedDevices> SimulatedDevices::InstallFromEnvironment()
{
    const char* list = std::getenv("QV742_SIM");
    if (!list || !*list)
        return nullptr;
    auto devices = std::make_shared<SimulatedDevices>();
    devices->KeepFlashIn(platform::Folders::UserStateFolder() + "/" + kFlashFileName);
    devices->PlugList(list);
    HidBackend::SetCurrent(devices->Bus());
    return devices;
}
