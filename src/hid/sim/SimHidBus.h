#pragma once

#include "hid/HidBackend.h"

#include <condition_variable>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

// What stands behind one simulated interface: the device's side of its output reports.
class SimHidEndpoint {
public:
    virtual ~SimHidEndpoint() = default;
    // The host wrote a report (byte 0 its id, 0 when the descriptor numbers none); runs on the
    // writer's thread with no bus lock held, so it may answer, plug or unplug.
    virtual void OnOutputReport(int interfaceId, const std::vector<uint8_t>& report) = 0;
};

struct SimInterfaceSpec {
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t versionNumber = 0;
    int interfaceNumber = 0;
    std::vector<uint8_t> reportDescriptor;
};

// An in-process HID bus: virtual interfaces with real report descriptors, so enumeration,
// descriptor parsing, the collection split and report filtering run the code they run on
// hidraw. Every open handle gets its own copy of each input report, as hidraw does.
class SimHidBus : public HidBackend {
public:
    SimHidBus();
    ~SimHidBus() override;

    // Adds an interface; returns its id (> 0). endpoint may be null for an input-only interface.
    int Plug(SimInterfaceSpec spec, std::shared_ptr<SimHidEndpoint> endpoint);
    // Removes an interface: its open handles fail from now on. False when it was not plugged.
    bool Unplug(int interfaceId);
    bool IsPlugged(int interfaceId) const;
    // Queues an input report on every open handle of the interface, readable after delayMs.
    void SendInputReport(int interfaceId, std::vector<uint8_t> report, int delayMs = 0);
    // Open handles of an interface (0 when unplugged).
    int OpenHandleCount(int interfaceId) const;
    // Increases with every plug and unplug.
    uint64_t ChangeCount() const;

    static std::string NodeName(int interfaceId);

    bool ListNodes(std::vector<HidNodeInfo>& nodes) override;
    bool ReadNodeInfo(const std::string& node, HidNodeInfo& info) override;
    std::unique_ptr<HidNode> OpenNode(const std::string& node, bool read, bool write) override;
    bool NodePresent(const std::string& node) override;
    bool WaitForChange(int timeoutMs) override;
    void InterruptWait() override;

    struct Interface;

private:
    std::shared_ptr<Interface> Find(const std::string& node) const;
    std::shared_ptr<Interface> Find(int interfaceId) const;
    void NoteChange();

    mutable std::mutex m_lock;
    std::condition_variable m_changed;
    std::map<int, std::shared_ptr<Interface>> m_interfaces;
    int m_nextId = 1;
    uint64_t m_changeCount = 0;
    uint64_t m_changesSeen = 0;
    bool m_interrupted = false;
};
