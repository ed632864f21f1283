#include "device/COrlithMouseDevice.h"

#include "device/DeviceKind.h"

COrlithMouseDevice::COrlithMouseDevice()
{
    m_kind = kDeviceMouse;
}

void* COrlithMouseDevice::GetInterface(std::string_view name)
{
    if (name == "OrlithMouseDevice")
        return this;
    return COrlithUSBDevice::GetInterface(name);
}

bool COrlithMouseDevice::IsReceiverLinked()
{
    return IsConnected() && Channel().IsReceiverMode() && Channel().IsLinked();
}
