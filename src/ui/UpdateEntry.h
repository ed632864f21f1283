#pragma once

#include <string>

// One updatable component of the settings window's update list: a device family's firmware or
// the program itself. The main window builds them from the product table each time the window
// opens.
struct UpdateEntry {
    bool hexVersion = false;    // the current version shows as "V%04x" of versionNumber
    int linkFlag = 0;           // -1 when the device answers through its receiver
    int versionNumber = 0;      // 0: no such component connected (not listed)
    std::string component;      // product code; "ALL" is the program
    std::string displayName;    // short class tag ("MS", "KB", "QR7", "AP")
    std::string versionText;    // the current version when it is not shown in hex

    // What the row's check box shows.
    std::string CheckBoxText() const;
    // The current version as the row shows it.
    std::string CurrentVersionText() const;
    // Where the updater leaves this component's installer: <temp>/UpdateData/<component>.exe.
    std::string ExecutablePath() const;
};
