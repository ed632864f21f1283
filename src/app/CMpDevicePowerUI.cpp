#include "app/CMpDevicePowerUI.h"

#include "device/DeviceKind.h"
#include "toolkit/PaintManagerUI.h"
#include "toolkit/ProgressUI.h"

#include <cstdio>

void* CMpDevicePowerUI::GetInterface(std::string_view name)
{
    if (name == "MpDevicePower")
        return this;
    return CHorizontalLayoutUI::GetInterface(name);
}

void CMpDevicePowerUI::SetFamily(int kind, int value)
{
    m_kind = kind;
    m_value = value;
}

CControlUI* CMpDevicePowerUI::Find(const char* name)
{
    return m_pManager ? m_pManager->FindSubControlByName(this, name) : nullptr;
}

void CMpDevicePowerUI::ShowStatus(const uint8_t* report, size_t length)
{
    if (!report || length < 2)
        return;
    int level = report[0] > 100 ? 100 : report[0];
    auto* progress = static_cast<CProgressUI*>(Find("device_Power_progress"));
    if (progress)
        progress->SetValue(100 - level);
    if (CControlUI* value = Find("device_power_value")) {
        char text[16];
        std::snprintf(text, sizeof text, "%d%s", level, "%");
        value->SetText(text);
    }
    if (m_kind == kDeviceMouse && length > 3) {
        if (CControlUI* wireless = Find("device_wuxian_logo"))
            wireless->SetVisible(report[3] != 0);
    }
    static const char* const kChargeImages[] = {"file='power/powered.png'", "file='power/powering.png'",
                                                "file='power/power.png'"};
    if (report[1] <= 2) {
        if (progress)
            progress->SetVisible(true);
        if (CControlUI* status = Find("device_power_status"))
            status->SetBkImage(kChargeImages[report[1]]);
    }
    if (m_kind == kDeviceMousePad && length > 5) {
        static const char* const kPhones[] = {"Phone_type_no_device", "Phone_type_iphone", "Phone_type_samsung",
                                              "Phone_type_other"};
        const char* phone = kPhones[report[5] <= 3 ? report[5] : 0];
        if (CControlUI* type = Find("device_phone_type")) {
            type->SetToolTip(phone);
            type->SetBkImage((std::string("file='power/") + phone + ".png'").c_str());
        }
    }
}
