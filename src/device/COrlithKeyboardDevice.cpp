#include "device/COrlithKeyboardDevice.h"

#include "device/DeviceKind.h"

COrlithKeyboardDevice::COrlithKeyboardDevice()
{
    m_kind = kDeviceKeyboard;
}

void* COrlithKeyboardDevice::GetInterface(std::string_view name)
{
    if (name == "OrlithKeyboardDevice")
        return this;
    return COrlithUSBDevice::GetInterface(name);
}

bool COrlithKeyboardDevice::IsReceiverLinked()
{
    return IsConnected() && Channel().IsReceiverMode() && Channel().IsLinked();
}
