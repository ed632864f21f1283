#pragma once

#include "profile/ProfileRecords.h"

#include <string>
#include <vector>

// The lighting panel of a device page as its device sees it: the device fills the effect list
// once, shows its lighting settings on every refresh and says whether synchronised lighting may
// be offered. Every call only sets controls and raises no notification.
class LightPanelView {
public:
    // The interface name under which the panel's control answers GetInterface.
    static constexpr const char* kInterface = "LightPanelView";
    // The name the panel has in a device page.
    static constexpr const char* kItemName = "LightControlItem";

    virtual ~LightPanelView() = default;
    // The DeviceKind of the page's device; it selects the layout rules.
    virtual void SetDeviceKind(int kind) = 0;
    // One combo item per mode, in mode order (item index = mode); names are language keys and
    // hidden modes keep their place. Then the sliders' maxima.
    virtual void FillModeList(const std::vector<std::string>& names, const std::vector<int>& visible, int maxBrightness,
                              int maxSpeed) = 0;
    // The custom effects after the modes, shown by their own names (items mode count + k).
    virtual void FillCustomEffects(const std::vector<std::string>& names) = 0;
    virtual void ShowLightInfo(const LightInfo& settings) = 0;
    // Whether two or more devices are present, so that "deng_same_mode" may show.
    virtual void SetSameModeAvailable(bool available) = 0;
};
