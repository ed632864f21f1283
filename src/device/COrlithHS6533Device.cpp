#include "device/COrlithHS6533Device.h"

#include "device/DeviceKind.h"

COrlithHS6533Device::COrlithHS6533Device()
{
    m_kind = kDeviceHs6533;
}

void* COrlithHS6533Device::GetInterface(std::string_view name)
{
    if (name == "OrlithHS6533Device")
        return this;
    return COrlithUSBDevice::GetInterface(name);
}
