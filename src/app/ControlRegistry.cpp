#include "app/ControlRegistry.h"

#include "app/CDeviceOptionUI.h"
#include "app/CMpDevicePowerUI.h"
#include "device/COrlithHS6533Device.h"
#include "device/COrlithMousePadDevice.h"
#include "device/COrlithUSBDevice.h"
#include "panels/CShootControlUI.h"
#include "toolkit/ControlFactory.h"
#include "toolkit/custom/AudioRecordUI.h"
#include "toolkit/custom/ChartViewUI.h"
#include "toolkit/custom/CircleProgressUI.h"
#include "toolkit/custom/CloudShareListItemUI.h"
#include "toolkit/custom/ComboEditContainerElementUI.h"
#include "toolkit/custom/DeviceKeyButtonUI.h"
#include "toolkit/custom/HandImgButtonUI.h"
#include "toolkit/custom/HandImgSelectButtonUI.h"
#include "toolkit/custom/RedioMacroButtonUI.h"
#include "toolkit/custom/SelectPanelUI.h"
#include "toolkit/custom/WndUI.h"
#include "panels/CKeySetControlUI.h"
#include "panels/CMacroControlUI.h"
#include "ui/CDeviceProfileUI.h"

// In the order of the program's class table; the panels of later features join it as they come.
void RegisterProgramControls()
{
    CControlFactory& factory = *CControlFactory::GetInstance();
    factory.RegistControl("CCircleProgressUI", [] { return new CCircleProgressUI; });
    factory.RegistControl("CChartViewUI", [] { return new CChartViewUI; });
    factory.RegistControl("CWndUI", [] { return new CWndUI; });
    factory.RegistControl("CSelectPanelUI", [] { return new CSelectPanelUI; });
    factory.RegistControl("CDeviceKeyButtonUI", [] { return new CDeviceKeyButtonUI; });
    factory.RegistControl("CCloudShareListItemUI", [] { return new CCloudShareListItemUI; });
    factory.RegistControl("CDeviceOptionUI", [] { return new CDeviceOptionUI; });
    factory.RegistControl("CMpDevicePowerUI", [] { return new CMpDevicePowerUI; });
    factory.RegistControl("CDeviceProfileUI", [] { return new CDeviceProfileUI; });
    factory.RegistControl("CComboEditContainerElementUI", [] { return new CComboEditContainerElementUI; });
    factory.RegistControl("CHandImgButtonUI", [] { return new CHandImgButtonUI; });
    factory.RegistControl("CHandImgSelectButtonUI", [] { return new CHandImgSelectButtonUI; });
    factory.RegistControl("CRedioMacroButtonUI", [] { return new CRedioMacroButtonUI; });
    factory.RegistControl("CAudioRecordUI", [] { return new CAudioRecordUI; });
    factory.RegistControl("CMacroControlUI", [] { return new CMacroControlUI; });
    factory.RegistControl("CKeySetControlUI", [] { return new CKeySetControlUI; });
    factory.RegistControl("COrlithUSBDevice", [] { return new COrlithUSBDevice; });
    factory.RegistControl("COrlithMousePadDevice", [] { return new COrlithMousePadDevice; });
    factory.RegistControl("COrlithHS6533Device", [] { return new COrlithHS6533Device; });
    factory.RegistControl("CShootControlUI", [] { return new CShootControlUI; });
}
