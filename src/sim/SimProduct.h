#pragma once

#include "hid/sim/SimHidBus.h"
#include "sim/SimFirmware.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

// How a product shows itself on the bus.
struct SimProductSpec {
    uint16_t vendorId = 0x320F;
    uint16_t productId = 0;
    uint16_t versionNumber = 0x0103;
    int commandInterface = 1;
    int commandCollection = 2; // its position among the interface's collections; 0: the only one
    bool notificationInterface = true; // interface 0: mouse, keyboard and consumer-control collections
    bool lightReports = false;         // the command collection also takes 17-byte light reports (id 0xFF)
};

// One USB product on the simulated bus: a command interface answered by its firmware and,
// for most products, a notification interface that carries its change notices.
class SimProduct : public std::enable_shared_from_this<SimProduct> {
public:
    static constexpr uint8_t kNoticeReportId = 0x03;
    static constexpr uint8_t kLightReportId = 0xFF;

    static std::shared_ptr<SimProduct> Create(std::shared_ptr<SimHidBus> bus, SimProductSpec spec,
                                              std::shared_ptr<SimFirmware> firmware);
    ~SimProduct();
    SimProduct(const SimProduct&) = delete;
    SimProduct& operator=(const SimProduct&) = delete;

    // Plugs the product's interfaces; false when it already is.
    bool Plug();
    // Removes its interfaces; handles open on them fail from now on.
    void Unplug();
    bool IsPlugged() const;
    // A receiver's device link: while false every answer carries 0xAA in byte 3. Always true for
    // a product that is not a receiver.
    void SetLinked(bool linked) { m_linked = linked; }
    bool IsLinked() const { return m_linked; }

    // Sends a change notice (report 3, code low byte first) on the notification interface, or on
    // the command interface of a product that has no other.
    void SendNotice(uint16_t code);

    SimFirmware& Firmware() { return *m_firmware; }
    std::shared_ptr<SimFirmware> SharedFirmware() const { return m_firmware; }
    const SimProductSpec& Spec() const { return m_spec; }
    // The light reports received, oldest first.
    std::vector<std::vector<uint8_t>> LightReports() const;
    int CommandInterfaceId() const;
    int NotificationInterfaceId() const;
    // The interface paths enumeration gives the command and the notice collection ("" unplugged).
    std::string CommandPath() const;
    std::string NotificationPath() const;

private:
    class CommandEndpoint;

    SimProduct(std::shared_ptr<SimHidBus> bus, SimProductSpec spec, std::shared_ptr<SimFirmware> firmware);
    void OnCommandReport(const std::vector<uint8_t>& report);

    std::shared_ptr<SimHidBus> m_bus;
    SimProductSpec m_spec;
    std::shared_ptr<SimFirmware> m_firmware;
    std::atomic<bool> m_linked{true};
    mutable std::mutex m_lock;
    int m_commandId = 0;
    int m_notificationId = 0;
    std::vector<std::vector<uint8_t>> m_lightReports;
};
