#pragma once

#include "hid/HidBackend.h"
#include "hid/ReportDescriptor.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

// HID status codes as the HID parser reports them.
constexpr uint32_t kHidStatusSuccess = 0x00110000;
constexpr uint32_t kHidStatusInvalidReportLength = 0xC0110003;

struct HidAttributes {
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t versionNumber = 0;
};

struct HidCaps {
    uint16_t usage = 0;
    uint16_t usagePage = 0;
    uint16_t inputReportByteLength = 0;
    uint16_t outputReportByteLength = 0;
    uint16_t featureReportByteLength = 0;
    uint16_t numberLinkCollectionNodes = 0;
    uint16_t numberButtonCaps[kHidReportTypeCount] = {0, 0, 0};
    uint16_t numberValueCaps[kHidReportTypeCount] = {0, 0, 0};
};

// One entry of a usage table: a button capability, or one usage of a value capability.
struct HidUsageData {
    bool isButton = false;
    uint16_t usagePage = 0;
    uint32_t lastStatus = kHidStatusSuccess;
    uint8_t reportId = 0;
    bool dataSet = false;
    // Buttons: the capability's usage range, and the usages found down in the last report
    // (at most maxUsageListLength, ended by a 0 when fewer).
    uint16_t usageMin = 0;
    uint16_t usageMax = 0;
    uint32_t maxUsageListLength = 0;
    std::vector<uint16_t> usages;
    // Values.
    uint16_t usage = 0;
    uint32_t rawValue = 0;
    int32_t scaledValue = 0;
    // The capability this entry was made from.
    size_t capsIndex = 0;
};

// One HID interface (a top-level collection) of the machine, or an enumerator of all of them.
// Reads and writes come from one thread at a time; Close and SignalAbort may come from another.
class HidDevice {
public:
    // backend null: HidBackend::Current() at each use.
    explicit HidDevice(std::shared_ptr<HidBackend> backend = nullptr);
    ~HidDevice();
    HidDevice(const HidDevice&) = delete;
    HidDevice& operator=(const HidDevice&) = delete;

    // Replaces the path list by the paths of every present interface; false (list empty) on failure.
    bool EnumeratePaths();
    // The path at the cursor, advancing it; none at the end.
    std::optional<std::string> NextPath();
    void ClearPaths();
    size_t PathCount() const { return m_paths.size(); }
    // Room in the path list: 8, doubled whenever it fills.
    size_t PathCapacity() const { return m_pathCapacity; }

    // Closes, then opens path and loads its capabilities; false leaves the object closed.
    bool Open(const std::string& path, bool read, bool write, bool overlapped, bool exclusive);
    // Ends a waiting read or write at once, then frees buffers, tables and the handle.
    void Close();
    bool IsOpen() const;

    // One input report of this collection into buffer; false on time-out (kHidInfinite waits for
    // ever), abort, failure or a closed device. transferred gets the bytes copied.
    bool ReadInputReport(uint8_t* buffer, size_t length, size_t& transferred, int timeoutMs);
    // One output report (byte 0 the report id); false on time-out, abort or failure.
    bool WriteOutputReport(const uint8_t* buffer, size_t length, size_t& transferred, int timeoutMs);
    // Sends one output report at once; the headset's light reports use it.
    bool SetOutputReport(const uint8_t* buffer, size_t length);
    // Ends one waiting read or write (or the next one) with false.
    void SignalAbort();
    // Discards input reports already received.
    void FlushQueue();
    // Fills the input usage table from a report whose byte 0 is its report id; false when a
    // value cannot be read from it.
    bool ParseInputReport(const uint8_t* report, size_t length);

    // The presence test: true while the node behind path exists.
    static bool PathPresent(const std::string& path, const std::shared_ptr<HidBackend>& backend = nullptr);

    const std::string& Path() const { return m_path; }
    const HidAttributes& Attributes() const { return m_attributes; }
    const HidCaps& Caps() const { return m_caps; }
    uint8_t* InputReportBuffer() { return m_reports[0].buffer.data(); }
    size_t InputReportLength() const { return m_reports[0].buffer.size(); }
    const std::vector<HidUsageData>& UsageTable(HidReportType type) const;
    uint16_t InterfaceNumber() const { return m_interfaceNumber; }
    uint16_t CollectionNumber() const { return m_collectionNumber; }
    bool IsReadWaiting() const { return m_readWaiting; }

    // Open parameters of the last Open.
    bool OpenedForRead() const { return m_openRead; }
    bool OpenedForWrite() const { return m_openWrite; }
    bool OpenedOverlapped() const { return m_openOverlapped; }
    bool OpenedExclusive() const { return m_openExclusive; }

private:
    struct ReportState {
        std::vector<uint8_t> buffer;
        std::vector<HidUsageData> usageTable;
    };
    static constexpr size_t kInitialPathCapacity = 8;
    static constexpr size_t kMaxUsageEntries = 65536;

    std::shared_ptr<HidBackend> Backend() const;
    void AddPath(std::string path);
    bool LoadCapabilities(const HidNodeInfo& info, int collection);
    bool BuildUsageTable(HidReportType type);
    std::vector<uint16_t> UsagesDown(uint16_t usagePage, const uint8_t* report, size_t length) const;
    uint32_t MaxUsageListLength(HidReportType type, uint16_t usagePage) const;
    std::shared_ptr<HidNode> BeginIo();
    void EndIo();
    void ReleaseCapabilities();

    std::shared_ptr<HidBackend> m_backend;

    std::vector<std::string> m_paths;
    size_t m_pathCapacity = 0;
    size_t m_cursor = 0;

    bool m_openRead = false;
    bool m_openWrite = false;
    bool m_openOverlapped = false;
    bool m_openExclusive = false;

    mutable std::mutex m_ioLock; // guards m_node and m_pendingIo
    std::condition_variable m_ioIdle;
    std::shared_ptr<HidNode> m_node;
    int m_pendingIo = 0;

    std::string m_path;
    HidTopCollection m_collection; // the preparsed data
    bool m_numberedReports = false;
    HidCaps m_caps;
    HidAttributes m_attributes;
    ReportState m_reports[kHidReportTypeCount];
    uint16_t m_interfaceNumber = 0;
    uint16_t m_collectionNumber = 0;

    std::atomic<bool> m_readWaiting{false};
    std::atomic<bool> m_writeWaiting{false};
};
