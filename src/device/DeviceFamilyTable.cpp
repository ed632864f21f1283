#include "device/DeviceFamilyTable.h"

#include "device/DeviceKind.h"

namespace {

const char kTile[] = "XML\\CustomControlXML\\DeviceOption.xml";
const char kTab[] = "tab_header_device";
const char kPowerSwitch[] = "device_power_switch";

} // namespace

const std::vector<DeviceFamily>& DeviceFamilyTable()
{
    static const std::vector<DeviceFamily> rows = {
        {kTile, kTab, kPowerSwitch, "mouse", {0, 0, 0, 1}, 0x320F, 0x22A4, kDeviceMouse, 0},
        {kTile, kTab, kPowerSwitch, "keyboard", {1, 1, -1, 0}, 0x320F, 0x0000, kDeviceKeyboard, 0},
        {kTile, kTab, kPowerSwitch, "MousePad", {2, 2, 1, 2}, 0x320F, 0x1004, kDeviceMousePad, 0},
        {kTile, kTab, kPowerSwitch, "HD", {3, 3, -1, 3}, 0x0C76, 0x1630, kDeviceHs6533, 0},
    };
    return rows;
}

int FindDeviceFamily(uint16_t vendorId, uint16_t productId, int kind, int role)
{
    const auto& rows = DeviceFamilyTable();
    for (size_t i = 0; i < rows.size(); ++i) {
        const DeviceFamily& row = rows[i];
        if (row.vendorId == vendorId && row.productId == productId && row.kind == kind && row.role == role)
            return static_cast<int>(i);
    }
    return -1;
}

const DevicePage& DevicePageOf(int familyIndex)
{
    static const DevicePage pages[] = {
        {15, 11, true, -1, "XML\\DeviceXml\\mousedevice.xml", "tavix_light"},
        {170, 170, false, -1, "XML\\DeviceXml\\keyboarddevice.xml", "tavix_light"},
        {15, 0, false, -1, "XML\\DeviceXml\\mousepaddevice.xml", "tavix_light"},
        {13, 0, false, -1, "XML\\DeviceXml\\hs6533device.xml", "tavix_light"},
    };
    return pages[familyIndex >= 0 && familyIndex < 4 ? familyIndex : 0];
}

const std::vector<ProductRow>& ProductTable()
{
    static const std::vector<ProductRow> rows = {
        {{1, 1, 0}, "TAVIX", "QZ20M31B", {"MS", "MS"}, ""},
        {{1, 1, 0}, "TAVIX", "QZ20M38B", {"KB", "KB"}, ""},
        {{2, 1, 0}, "TAVIX", "QZ20M52B_1", {"QR7", "QR7"}, ""},
        {{0, 1, 0}, "TAVIX", "ALL", {"QR7_BX4_BX3", "AP"}, "V0100"},
    };
    return rows;
}
