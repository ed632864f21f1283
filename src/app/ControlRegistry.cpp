#include "app/ControlRegistry.h"

#include "app/CDeviceOptionUI.h"
#include "app/CMpDevicePowerUI.h"
#include "device/COrlithHS6533Device.h"
#include "device/COrlithMousePadDevice.h"
#include "device/COrlithUSBDevice.h"
#include "toolkit/ControlFactory.h"

void RegisterProgramControls()
{
    CControlFactory& factory = *CControlFactory::GetInstance();
    factory.RegistControl("CDeviceOptionUI", [] { return new CDeviceOptionUI; });
    factory.RegistControl("CMpDevicePowerUI", [] { return new CMpDevicePowerUI; });
    factory.RegistControl("COrlithUSBDevice", [] { return new COrlithUSBDevice; });
    factory.RegistControl("COrlithMousePadDevice", [] { return new COrlithMousePadDevice; });
    factory.RegistControl("COrlithHS6533Device", [] { return new COrlithHS6533Device; });
}
