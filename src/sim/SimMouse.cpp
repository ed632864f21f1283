#include "sim/SimMouse.h"

namespace {

constexpr size_t kRecordStride = 128;
constexpr size_t kDpiStageByte = 12;

} // namespace

SimMouse::SimMouse(std::shared_ptr<SimHidBus> bus)
    : m_firmware(std::make_shared<SimFirmware>(SimFirmware::MouseLayout()))
{
    SimProductSpec wired;
    wired.productId = kWiredProductId;
    SimProductSpec receiver = wired;
    receiver.productId = kReceiverProductId;
    m_wired = SimProduct::Create(bus, wired, m_firmware);
    m_receiver = SimProduct::Create(bus, receiver, m_firmware);
}

void SimMouse::SendNotice(uint16_t code)
{
    m_wired->SendNotice(code);
    if (m_receiver->IsLinked())
        m_receiver->SendNotice(code);
}

void SimMouse::SelectProfile(int profile)
{
    const auto p = static_cast<uint8_t>(profile & 0x0F);
    m_firmware->WriteProfileRegion(0, {p});
    SendNotice(static_cast<uint16_t>(kNoticeProfile | p));
}

void SimMouse::SelectDpiStage(int stage)
{
    const uint8_t profile = m_firmware->ProfileRegion()[0] & 0x0F;
    const auto s = static_cast<uint8_t>(stage & 0x0F);
    m_firmware->WriteProfileRegion(profile * kRecordStride + kDpiStageByte, {s});
    SendNotice(static_cast<uint16_t>(kNoticeDpiStage | s << 4 | profile));
}
