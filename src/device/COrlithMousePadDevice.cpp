#include "device/COrlithMousePadDevice.h"

#include "device/DeviceKind.h"

COrlithMousePadDevice::COrlithMousePadDevice()
{
    m_kind = kDeviceMousePad;
}

void* COrlithMousePadDevice::GetInterface(std::string_view name)
{
    if (name == "OrlithMousePadDevice")
        return this;
    return COrlithUSBDevice::GetInterface(name);
}
