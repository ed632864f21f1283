#include "app/ControlDriver.h"

#include "toolkit/ComboUI.h"
#include "toolkit/OptionUI.h"
#include "toolkit/PaintManagerUI.h"
#include "toolkit/SliderUI.h"

#include <sstream>

namespace {

CControlUI* FindNamed(CPaintManagerUI& manager, CControlUI* scope, const std::string& name)
{
    CControlUI* control = scope ? manager.FindSubControlByName(scope, name) : nullptr;
    return control ? control : manager.FindControl(name);
}

} // namespace

bool ControlDriver::Drive(CPaintManagerUI& manager, CControlUI* scope, const std::string& command)
{
    std::istringstream words(command);
    std::string action, name;
    if (!(words >> action >> name))
        return false;
    CControlUI* control = FindNamed(manager, scope, name);
    if (!control || !control->IsEnabled())
        return false;
    if (action == "click") {
        manager.SendNotify(control, "click");
        return true;
    }
    if (action == "select") {
        auto* option = static_cast<COptionUI*>(control->GetInterface("Option"));
        if (!option)
            return false;
        option->Selected(true);
        return true;
    }
    int number = 0;
    if (!(words >> number))
        return false;
    if (action == "value") {
        auto* slider = static_cast<CSliderUI*>(control->GetInterface("Slider"));
        if (!slider)
            return false;
        slider->SetValue(number);
        manager.SendNotify(control, "valuechanged");
        return true;
    }
    if (action == "item") {
        auto* combo = static_cast<CComboUI*>(control->GetInterface("Combo"));
        return combo && combo->SelectItem(number, false, true);
    }
    return false;
}
