#pragma once

// The lit mouse pad (sub-kind 0 hard, 1 soft): no keys, sensors or macros; its device side is
// the information block and a short lighting record, its page the picture of its 15 lights.

#include "device/COrlithUSBDevice.h"
#include "device/MousePadCommandSet.h"
#include "profile/CBasicProfiledata.h"
#include "profile/ProfileLibrary.h"

#include <string>
#include <vector>

class COrlithMousePadDevice : public COrlithUSBDevice {
public:
    COrlithMousePadDevice();
    ~COrlithMousePadDevice() override;
    const char* GetClass() const override { return "OrlithMousePadDevice"; }
    void* GetInterface(std::string_view name) override;

    // Binds the picture's lights, then loads the profile and shows it (no pad needed).
    void BindPageControls() override;
    // Reads the information block, loads the profile, shows it and starts the lighting thread.
    void ReadAllFromDevice() override;
    // Re-reads the lighting record, shows it and reports 0xD00 with the active profile.
    void ReloadFromDevice() override;
    void LoadProfile() override;
    void RefreshPage() override;
    void ResetToDefaults() override;
    int ApplyProfile(const std::string& profilePath) override;
    void SaveProfile() override;
    // Writes the record copy; the channel's result.
    int WriteProfileRecord(int profile, int value) override;
    // Also stored in the profile object.
    void SetLightSettings(const LightInfo& settings) override;
    // Takes the profile's lighting into the lighting state and the record copy, the custom
    // frames and the per-light list into the engine.
    void LoadLightState() override;

    MousePadCommandSet& Commands() { return m_commands; }
    CBasicProfiledata& Profile() { return m_profile; }

private:
    void LoadLightModes();
    void SetProfileFile(const std::string& path);
    // The record's lighting, as read from the pad, into the profile.
    void TakeRecordLighting();

    CBasicProfiledata m_profile;
    ProfileLibrary m_library;
    MousePadCommandSet m_commands;
};
