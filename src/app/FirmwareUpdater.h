#pragma once

// The maker's external firmware updater, which stands in the program folder's "Update" folder
// and is started for a wired mouse whose firmware is older than 0x0103.

#include <cstdint>
#include <string>
#include <vector>

class FirmwareUpdater {
public:
    // The first firmware version that needs no update.
    static constexpr uint16_t kCurrentVersion = 0x0103;
    static constexpr const char* kFileName = "QW4410-C_V0103_20250717.exe";
    static constexpr const char* kParameter = "On the upgrade";

    enum class Launch { Started, Missing, Failed };

    explicit FirmwareUpdater(std::string folder);
    // The program folder's "Update" folder.
    static std::string DefaultFolder();

    static bool NeedsUpdate(uint16_t version) { return version < kCurrentVersion; }
    // The command that starts the updater: the file itself when it may be run, through wine when
    // it is a Windows program and wine is installed; empty when neither.
    std::vector<std::string> CommandLine() const;
    bool IsInstalled() const;
    // Starts the updater with its parameter in its folder.
    Launch Start() const;

private:
    std::string Path() const { return m_folder + "/" + kFileName; }
    std::string m_folder;
};
