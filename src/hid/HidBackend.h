#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The small interface between HidDevice and what really carries reports: Linux hidraw nodes or
// the simulated bus. A node is one HID interface of a USB device (one report descriptor, maybe
// several top-level collections); HidDevice splits it into collections and filters reports.

struct HidNodeInfo {
    std::string node; // the backend's name, e.g. "hidraw:/dev/hidraw3" or "sim:4"
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t versionNumber = 0;
    int interfaceNumber = -1; // USB interface number; -1 when the node is not on USB
    std::vector<uint8_t> reportDescriptor;
};

enum class HidIoResult { Done, TimedOut, Aborted, Failed };

constexpr int kHidInfinite = -1;

// Input reports the kernel queues for one open hidraw file: a ring of 64 slots that keeps one
// free. Reports arriving while it is full are dropped; every open file has its own ring.
constexpr size_t kHidQueuedReports = 63;

// One opened node. Read and Write may block up to their time-out; Abort and Shutdown may be
// called from any thread.
class HidNode {
public:
    virtual ~HidNode() = default;
    // Receives one report as the node delivers it: with the report id byte first when the
    // descriptor numbers its reports, without it otherwise.
    virtual HidIoResult Read(uint8_t* buffer, size_t capacity, size_t& received, int timeoutMs) = 0;
    // Sends one report with its report id in byte 0, 0 when the descriptor numbers no reports
    // (hidraw's form for writes).
    virtual HidIoResult Write(const uint8_t* data, size_t length, size_t& written, int timeoutMs) = 0;
    // Ends one waiting Read or Write at once; with none waiting, the next one ends at once.
    virtual void Abort() = 0;
    // Ends every waiting and future Read and Write; used before the node is released.
    virtual void Shutdown() = 0;
    // Discards the input reports already received, without waiting.
    virtual void Flush() = 0;
    // From now on keeps only input reports whose byte 0 is one of these ids; others are dropped
    // as they arrive, so that they cannot crowd out the wanted ones.
    virtual void KeepInputReports(std::vector<uint8_t> reportIds) { (void)reportIds; }
};

class HidBackend {
public:
    virtual ~HidBackend() = default;

    // Every present node with its attributes and descriptor; false when the list cannot be built.
    virtual bool ListNodes(std::vector<HidNodeInfo>& nodes) = 0;
    // The attributes and descriptor of one node; false when it is gone.
    virtual bool ReadNodeInfo(const std::string& node, HidNodeInfo& info) = 0;
    // Opens a node; null when it is gone or access is refused.
    virtual std::unique_ptr<HidNode> OpenNode(const std::string& node, bool read, bool write) = 0;
    // True while the node exists (the presence test needs no access rights).
    virtual bool NodePresent(const std::string& node) = 0;
    // Waits up to timeoutMs for nodes to come or go; true when some did. Consumes the changes.
    virtual bool WaitForChange(int timeoutMs) = 0;
    // Ends a WaitForChange in progress, or the next one, at once (false); from any thread.
    virtual void InterruptWait() {}

    // The backend every HidDevice uses unless given its own: the Linux hidraw backend on the
    // real /sys and /dev until SetCurrent chooses another (the simulated bus, for instance).
    static std::shared_ptr<HidBackend> Current();
    static void SetCurrent(std::shared_ptr<HidBackend> backend);
};
