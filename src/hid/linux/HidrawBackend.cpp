#include "hid/linux/HidrawBackend.h"

#include "hid/ReportDescriptor.h"
#include "hid/linux/HidrawNode.h"

#include <libudev.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <sstream>
#include <sys/eventfd.h>
#include <unistd.h>

// Sections: reading sysfs, the backend.

namespace {

namespace fs = std::filesystem;

constexpr char kNodePrefix[] = "hidraw:";
// Separates the hidraw name from the identity of the HID device behind it in a node name.
constexpr char kIdentitySeparator = '@';
constexpr uint16_t kUsbBus = 0x0003;

std::string ReadWholeFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {};
    std::string bytes;
    // sysfs files report a size of 4096 whatever they hold; read at most a little more than a
    // descriptor can be.
    bytes.resize(kMaxReportDescriptorSize + 1);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<size_t>(in.gcount()));
    return bytes;
}

// The value of KEY= in a uevent file.
std::string UeventValue(const std::string& uevent, const std::string& key)
{
    std::istringstream lines(uevent);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind(key + "=", 0) == 0)
            return line.substr(key.size() + 1);
    }
    return {};
}

// Fills vendor, product and interface number from the HID device's uevent: HID_ID is
// "bus:vendor:product" in hexadecimal, HID_PHYS of a USB device ends in "/input<interface>".
bool ParseUevent(const std::string& uevent, HidNodeInfo& info)
{
    unsigned int bus = 0, vendor = 0, product = 0;
    if (std::sscanf(UeventValue(uevent, "HID_ID").c_str(), "%x:%x:%x", &bus, &vendor, &product) != 3)
        return false;
    info.vendorId = static_cast<uint16_t>(vendor);
    info.productId = static_cast<uint16_t>(product);
    info.interfaceNumber = -1;
    const std::string phys = UeventValue(uevent, "HID_PHYS");
    const auto input = phys.rfind("/input");
    unsigned int interfaceNumber = 0;
    if (bus == kUsbBus && input != std::string::npos &&
        std::sscanf(phys.c_str() + input + 6, "%u", &interfaceNumber) == 1)
        info.interfaceNumber = static_cast<int>(interfaceNumber & 0xFF);
    return true;
}

// bcdDevice of the USB device two levels above the HID device (HID device → interface → device).
uint16_t ReadVersion(const fs::path& hidDevice)
{
    std::error_code error;
    const fs::path resolved = fs::canonical(hidDevice, error);
    if (error)
        return 0;
    unsigned int version = 0;
    std::sscanf(ReadWholeFile(resolved.parent_path().parent_path() / "bcdDevice").c_str(), "%x", &version);
    return static_cast<uint16_t>(version);
}

bool IsHidrawName(const std::string& name)
{
    return name.rfind("hidraw", 0) == 0 && name.size() > 6 &&
           name.find_first_not_of("0123456789", 6) == std::string::npos;
}

} // namespace

HidrawBackend::HidrawBackend(std::string sysfsRoot, std::string devRoot, std::shared_ptr<HidrawFiles> files)
    : m_sysfsRoot(std::move(sysfsRoot)), m_devRoot(std::move(devRoot)),
      m_files(files ? std::move(files) : HidrawFiles::System()),
      m_interruptFd(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC))
{
}

HidrawBackend::~HidrawBackend()
{
    if (m_interruptFd >= 0)
        close(m_interruptFd);
    if (m_monitor)
        udev_monitor_unref(m_monitor);
    if (m_udev)
        udev_unref(m_udev);
}

std::string HidrawBackend::NodeName(const std::string& hidrawName) const
{
    const std::string identity = DeviceIdentity(hidrawName);
    std::string node = kNodePrefix + m_devRoot + "/" + hidrawName;
    return identity.empty() ? node : node + kIdentitySeparator + identity;
}

std::string HidrawBackend::DeviceIdentity(const std::string& hidrawName) const
{
    // The HID device's sysfs name ("0003:320F:22A4.0005") ends in a number the kernel never
    // gives twice, so it names one plugging of one device, unlike the reusable hidrawN.
    std::error_code error;
    const fs::path device = fs::canonical(fs::path(m_sysfsRoot) / "class" / "hidraw" / hidrawName / "device", error);
    return error ? std::string() : device.filename().string();
}

bool HidrawBackend::ParseNode(const std::string& node, std::string& hidrawName, std::string& identity) const
{
    const std::string prefix = kNodePrefix + m_devRoot + "/";
    if (node.rfind(prefix, 0) != 0)
        return false;
    const std::string rest = node.substr(prefix.size());
    const auto separator = rest.find(kIdentitySeparator);
    hidrawName = rest.substr(0, separator);
    identity = separator == std::string::npos ? std::string() : rest.substr(separator + 1);
    return IsHidrawName(hidrawName);
}

bool HidrawBackend::StillSameDevice(const std::string& hidrawName, const std::string& identity) const
{
    return identity.empty() || DeviceIdentity(hidrawName) == identity;
}

bool HidrawBackend::ListNodes(std::vector<HidNodeInfo>& nodes)
{
    nodes.clear();
    std::vector<std::string> names;
    if (!ListHidrawNames(names))
        return false;
    for (const std::string& name : names) {
        HidNodeInfo info;
        if (ReadNodeInfo(NodeName(name), info))
            nodes.push_back(std::move(info));
    }
    return true;
}

bool HidrawBackend::ListHidrawNames(std::vector<std::string>& names)
{
    if (UsesRealSysfs() && ListWithUdev(names))
        return true;
    std::error_code error;
    fs::directory_iterator entries(fs::path(m_sysfsRoot) / "class" / "hidraw", error);
    if (error)
        return error == std::errc::no_such_file_or_directory; // no hidraw driver: no nodes
    for (const auto& entry : entries) {
        const std::string name = entry.path().filename().string();
        if (IsHidrawName(name))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return true;
}

bool HidrawBackend::ListWithUdev(std::vector<std::string>& names)
{
    std::lock_guard guard(m_udevLock);
    if (!m_udev)
        m_udev = udev_new();
    if (!m_udev)
        return false;
    udev_enumerate* enumerate = udev_enumerate_new(m_udev);
    if (!enumerate)
        return false;
    udev_enumerate_add_match_subsystem(enumerate, "hidraw");
    const bool scanned = udev_enumerate_scan_devices(enumerate) >= 0;
    udev_list_entry* entry = scanned ? udev_enumerate_get_list_entry(enumerate) : nullptr;
    for (; entry; entry = udev_list_entry_get_next(entry)) {
        const std::string name = fs::path(udev_list_entry_get_name(entry)).filename().string();
        if (IsHidrawName(name))
            names.push_back(name);
    }
    udev_enumerate_unref(enumerate);
    return scanned;
}

bool HidrawBackend::ReadNodeInfo(const std::string& node, HidNodeInfo& info)
{
    std::string name, identity;
    if (!ParseNode(node, name, identity) || !StillSameDevice(name, identity))
        return false;
    const fs::path hidDevice = fs::path(m_sysfsRoot) / "class" / "hidraw" / name / "device";
    info = HidNodeInfo{};
    info.node = NodeName(name);
    if (!ParseUevent(ReadWholeFile(hidDevice / "uevent"), info))
        return false;
    const std::string descriptor = ReadWholeFile(hidDevice / "report_descriptor");
    if (descriptor.empty())
        return false;
    info.reportDescriptor.assign(descriptor.begin(), descriptor.end());
    info.versionNumber = ReadVersion(hidDevice);
    return true;
}

std::unique_ptr<HidNode> HidrawBackend::OpenNode(const std::string& node, bool read, bool write)
{
    std::string name, identity;
    if (!ParseNode(node, name, identity))
        return nullptr;
    const int access = read && write ? O_RDWR : write ? O_WRONLY : O_RDONLY;
    const int fd = m_files->Open(m_devRoot + "/" + name, access | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    // Checked after the open: a file opened on a name that another device took since is not ours.
    auto opened = std::make_unique<HidrawNode>(m_files, fd, read);
    if (!opened->Usable() || !StillSameDevice(name, identity))
        return nullptr;
    return opened;
}

bool HidrawBackend::NodePresent(const std::string& node)
{
    std::string name, identity;
    std::error_code error;
    return ParseNode(node, name, identity) && fs::exists(fs::path(m_sysfsRoot) / "class" / "hidraw" / name, error) &&
           fs::exists(m_devRoot + "/" + name, error) && StillSameDevice(name, identity);
}

int HidrawBackend::MonitorFd()
{
    std::lock_guard guard(m_udevLock);
    if (!m_monitorTried && UsesRealSysfs()) {
        m_monitorTried = true;
        if (!m_udev)
            m_udev = udev_new();
        if (m_udev)
            m_monitor = udev_monitor_new_from_netlink(m_udev, "udev");
        if (m_monitor && (udev_monitor_filter_add_match_subsystem_devtype(m_monitor, "hidraw", nullptr) < 0 ||
                          udev_monitor_enable_receiving(m_monitor) < 0)) {
            udev_monitor_unref(m_monitor);
            m_monitor = nullptr;
        }
    }
    return m_monitor ? udev_monitor_get_fd(m_monitor) : -1;
}

int HidrawBackend::DrainChanges()
{
    const int fd = MonitorFd();
    if (fd < 0)
        return 0;
    std::lock_guard guard(m_udevLock);
    int changes = 0;
    pollfd monitor{fd, POLLIN, 0};
    while (poll(&monitor, 1, 0) > 0 && (monitor.revents & POLLIN)) {
        udev_device* device = udev_monitor_receive_device(m_monitor);
        if (!device)
            break;
        udev_device_unref(device);
        ++changes;
    }
    return changes;
}

bool HidrawBackend::WaitForChange(int timeoutMs)
{
    // Without a monitor (fd -1, which poll skips) the caller's periodic scan finds the changes.
    pollfd fds[2] = {{m_interruptFd, POLLIN, 0}, {MonitorFd(), POLLIN, 0}};
    if (poll(fds, 2, timeoutMs) <= 0)
        return false;
    if (fds[0].revents & POLLIN) {
        uint64_t count;
        while (read(m_interruptFd, &count, sizeof count) > 0) {
        }
        return false;
    }
    return DrainChanges() > 0;
}

void HidrawBackend::InterruptWait()
{
    uint64_t one = 1;
    [[maybe_unused]] ssize_t written = write(m_interruptFd, &one, sizeof one);
}
