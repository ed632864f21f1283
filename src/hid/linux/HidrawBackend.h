#pragma once

#include "hid/HidBackend.h"
#include "hid/linux/HidrawFiles.h"

#include <mutex>
#include <string>

struct udev;
struct udev_monitor;

// HID nodes of Linux: the hidraw class in sysfs and its device nodes. Attributes come from the
// node's sysfs entries (HID_ID and HID_PHYS of its uevent, the USB device's bcdDevice) and the
// descriptor from its report_descriptor file. A node name carries the identity of the HID device
// behind the hidraw name ("hidraw:/dev/hidraw3@0003:320F:22A4.0005"), so that a name the kernel
// hands to the next device plugged does not pass for the old one. Both roots and the file calls
// are parameters so that tests can point the backend at a fake tree and a model of the kernel;
// on the real /sys, libudev lists the nodes and watches them come and go.
class HidrawBackend : public HidBackend {
public:
    explicit HidrawBackend(std::string sysfsRoot = "/sys", std::string devRoot = "/dev",
                           std::shared_ptr<HidrawFiles> files = nullptr);
    ~HidrawBackend() override;
    HidrawBackend(const HidrawBackend&) = delete;
    HidrawBackend& operator=(const HidrawBackend&) = delete;

    bool ListNodes(std::vector<HidNodeInfo>& nodes) override;
    bool ReadNodeInfo(const std::string& node, HidNodeInfo& info) override;
    std::unique_ptr<HidNode> OpenNode(const std::string& node, bool read, bool write) override;
    bool NodePresent(const std::string& node) override;
    bool WaitForChange(int timeoutMs) override;
    void InterruptWait() override;

    // A descriptor that becomes readable when hidraw nodes come or go (-1 when udev offers no
    // monitor, as on a fake tree); a scan thread may poll it beside its stop event.
    int MonitorFd();
    // Consumes the pending changes of the monitor; returns how many there were.
    int DrainChanges();

    // The node name of a hidraw device as it is now, e.g. "hidraw:/dev/hidraw3@0003:320F:22A4.0005".
    std::string NodeName(const std::string& hidrawName) const;

private:
    bool ListHidrawNames(std::vector<std::string>& names);
    bool ListWithUdev(std::vector<std::string>& names);
    // The sysfs name of the HID device behind a hidraw name; empty when there is none.
    std::string DeviceIdentity(const std::string& hidrawName) const;
    // Splits a node name of this backend into "hidraw3" and the identity (empty when it has none).
    bool ParseNode(const std::string& node, std::string& hidrawName, std::string& identity) const;
    // True while the hidraw name still belongs to the device of that identity (or none was given).
    bool StillSameDevice(const std::string& hidrawName, const std::string& identity) const;
    bool UsesRealSysfs() const { return m_sysfsRoot == "/sys"; }

    std::string m_sysfsRoot;
    std::string m_devRoot;
    std::shared_ptr<HidrawFiles> m_files;
    std::mutex m_udevLock;
    struct udev* m_udev = nullptr;
    struct udev_monitor* m_monitor = nullptr;
    int m_interruptFd = -1; // an eventfd that ends WaitForChange
    bool m_monitorTried = false;
};
