#pragma once

#include "device/MouseButtonMap.h"
#include "device/MouseCommandHost.h"
#include "device/MouseSensor.h"
#include "device/MouseWireRecords.h"
#include "device/UploadContainer.h"

#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

class CMouseProfiledata;
class DeviceChannel;

// What the UI thread must do after a change notice (the notice itself changed the record copy).
struct MouseNoticeEffect {
    bool refreshPage = false; // run RefreshPage
    int dpiStage = -1;        // the current stage the notice reported, -1 for none

    bool operator==(const MouseNoticeEffect&) const = default;
};

// Everything the mouse (wired, or through its receiver) reads from and writes to the device over
// its command channel, and the device images it keeps: the information block, the key block with
// the button map, the settings record copy and the sensor's conversion rule. The host settings
// live in the profile object; the mouse's device object owns this set beside its channel and its
// profile and calls it from its timers and page handlers.
//
// Every operation first checks that the channel is open, not suspended for the firmware updater
// and, through the receiver, linked; otherwise it does nothing and returns 0. Whatever a device
// answers, the images keep their last good values: a key block longer than 512 bytes, a sensor
// without a usable rule, an active profile past the notice range or a failed read leave them as
// they were.
//
// Threads: OnDeviceNotice may run on a notification reader thread; everything else runs on the
// UI thread.
class MouseCommandSet {
public:
    using LogSink = std::function<void(const std::string& line)>;

    static constexpr int kMaxMacroEvents = 60;
    static constexpr int kShootingPatterns = 4;
    // A notice names the active profile in 4 bits.
    static constexpr int kMaxDeviceProfile = 15;
    static constexpr uint16_t kWiredVendorId = 0x320F;
    static constexpr uint16_t kWiredProductId = 0x22A4;

    MouseCommandSet(DeviceChannel& channel, CMouseProfiledata& profile);

    // Where the reports go; null for nowhere.
    void SetHost(MouseCommandHost* host);
    // The mouse's data folder (no trailing '/'): "macro.config", the macro files and the
    // "ShootData_<n>.Shoot" files.
    void SetDeviceFolder(const std::string& folder) { m_folder = folder; }
    // The light mode values of "default_light.json" for the mouse, in mode order.
    void SetLightModeValues(std::vector<int> values) { m_modeValues = std::move(values); }
    // Where the log lines go; WriteLog unless set.
    void SetLogSink(LogSink sink) { m_log = std::move(sink); }

    // Reads the information block (marking a blank device as prepared), reports whether the
    // device is initialised, reads the key block and rebuilds the button map, and reports the
    // wired product's firmware version. 1 when all was read, 0 for a device that is not
    // initialised (or not reachable, or a key block past 512 bytes), else the channel's code.
    int ReadDeviceData();
    // Reads the active device profile P and its record into the record copy (when unreachable,
    // takes the last record copy), applies it to the profile and stores the profile. P, or 0 when
    // a read failed or nothing was ever read.
    int ReadProfileRecord();
    // Writes the record of the profile's settings, with byte 0 = value, at profile x 128. 1 when
    // written, 0 when unreachable or the link was lost, else the channel's code.
    int WriteProfileRecord(int profile, int value);
    // The macros the slotted buttons use, in upload order.
    std::vector<int> GetUsedMacros(const std::vector<KeyAssignment>& keys) const;
    // Re-reads the information block and writes the key block with the buttons' functions
    // (macros by their upload position). 1 when written, 0 when unreachable, without a key block
    // or the link was lost, -201 for a page other than 0, else the channel's code.
    int WriteKeyAssignments(int page, const std::vector<KeyAssignment>& keys);
    // Uploads the macros in this order. 0 when sent (or unreachable); -1 when the device refused
    // or the link was lost; a macro of more than 60 events: its event count, nothing sent; a
    // container past the macro memory: the number of events to remove, nothing sent.
    int WriteMacros(const std::vector<int>& macroNumbers);
    // Uploads the four recoil patterns. 1 when sent, 0 when unreachable, the link was lost or the
    // patterns do not fit one container, else the channel's code.
    int WriteShootingData();
    // The power tile's record; nothing when unreachable or the read failed. The caller skips
    // this while its power query is paused.
    std::optional<PowerTileRecord> ReadPowerStatus();
    // Marks the last read information block as prepared and writes it. 1 when written (the
    // caller then starts a full read in 500 ms), 0 when no block was ever read or unreachable,
    // else the channel's code.
    int ResetInformationBlock();
    // The keep-alive period: the smaller device sleep time, at least 1 minute.
    int KeepAliveMinutes() const;
    // A change notice: 0x10p makes device profile p active, 0x11sp also makes stage s current,
    // in the record copy. Any thread.
    MouseNoticeEffect OnDeviceNotice(uint16_t code);
    // UI thread, after a notice: a reported stage becomes the profile's active stage (stored).
    void ApplyNoticeEffect(const MouseNoticeEffect& effect);

    // Connect: ReadDeviceData, LoadProfile, ReadProfileRecord, RefreshPage, StartLighting; a
    // failing step does not stop the later ones.
    void ReadAllFromDevice();
    // Re-read after notice 0x0401: ReadProfileRecord, RefreshPage.
    void ReloadFromDevice();

    const MouseInfoBlock& InfoBlock() const { return m_info; }
    const std::vector<uint8_t>& KeyBlock() const { return m_keyBlock; }
    const MouseButtonMap& ButtonMap() const { return m_buttonMap; }
    const MouseSensor& Sensor() const { return m_sensor; }
    MouseSettingsRecord RecordCopy() const;

private:
    bool Reachable();
    // 0x01, body, 0x02; stops at the first failure.
    int Bracketed(const std::function<int()>& body);
    int ReadInformationBlock();
    void TakeInformationBlock(const MouseInfoBlock& info);
    // Writes the information block copy with the initialisation mark set.
    int WritePreparedInformationBlock();
    int ReadKeyBlock();
    void ReportFirmwareVersion();
    void ReportInitialisation(bool initialised);
    MouseHostSettings HostSettings() const;
    void ApplyRecord(const MouseSettingsRecord& record);
    int MacroCount() const;
    std::vector<UploadContainer::Entry> ReadMacros(const std::vector<int>& macroNumbers) const;
    std::vector<UploadContainer::Entry> ReadShootingPatterns() const;

    DeviceChannel& m_channel;
    CMouseProfiledata& m_profile;
    MouseCommandHost m_noHost;
    MouseCommandHost* m_host = &m_noHost;
    LogSink m_log;
    std::string m_folder;
    std::vector<int> m_modeValues;

    MouseInfoBlock m_info;
    bool m_infoRead = false;
    MouseSensor m_sensor;
    std::vector<uint8_t> m_keyBlock;
    MouseButtonMap m_buttonMap;
    mutable std::mutex m_recordLock;
    MouseSettingsRecord m_record;
    bool m_recordRead = false;
};
