#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One product family the main window shows: its tile, its page and the command interface
// that identifies it.
struct DeviceFamily {
    std::string tileLayout;       // "XML\CustomControlXML\DeviceOption.xml"
    std::string tabName;          // option group of the tiles
    std::string powerSwitchName;  // the power tiles' tab layout
    std::string name;             // "mouse", "keyboard", "MousePad", "HD": also the device folder
    int numbers[4];               // the fourth is the family light index
    uint16_t vendorId;
    uint16_t productId;
    int kind;
    int role;
};

// What a device class's page holds.
struct DevicePage {
    int lightCount;
    int keyCount;
    bool hasPowerTile;
    int powerQueryPause;
    std::string layout;      // "XML\DeviceXml\mousedevice.xml"
    std::string lightPrefix; // "tavix_light"
};

// A row of the update list in the settings window.
struct ProductRow {
    int numbers[3];
    std::string vendor;
    std::string productCode;
    std::string tags[2];
    std::string firmwareTag;
};

// Rows in order: mouse, keyboard, mouse pad, headset.
const std::vector<DeviceFamily>& DeviceFamilyTable();
// The row with these values, or -1.
int FindDeviceFamily(uint16_t vendorId, uint16_t productId, int kind, int role);
// The page of a family row (same order).
const DevicePage& DevicePageOf(int familyIndex);
const std::vector<ProductRow>& ProductTable();
