#pragma once

#include "hid/linux/HidrawFiles.h"
#include "support/TempFolder.h"

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <sys/eventfd.h>
#include <unistd.h>
#include <vector>

namespace testsupport {

// The hidraw driver as the kernel runs it, for the hidraw backend: a sysfs tree laid out as the
// kernel lays it out and device files whose calls behave as drivers/hid/hidraw.c does.
// - Every open file of a device gets every input report of that device (all its collections).
// - Each open file has a ring of 64 slots that keeps one free: 63 reports wait, newer ones are
//   dropped until the reader takes some.
// - write() returns only when the USB transfer has ended; a stalled transfer fails after 5 s.
// - After an unplug, reads fail (EIO) once the queue is empty and writes fail (ENODEV); the
//   hidrawN name goes to the next device plugged.
class FakeHidrawKernel : public HidrawFiles {
public:
    static constexpr size_t kRingSlots = 64;
    static constexpr int kUsbTimeoutMs = 5000;
    using WriteHandler = std::function<void(const std::vector<uint8_t>& report)>;

    FakeHidrawKernel() { std::filesystem::create_directories(Dev()); }
    ~FakeHidrawKernel() override
    {
        for (auto& [fd, file] : m_files)
            close(fd);
    }

    std::string Sys() const { return m_folder / "sys"; }
    std::string Dev() const { return m_folder / "dev"; }

    // Plugs a HID device as hidrawN: hidId is HID_ID ("0003:0000320F:000022A4"), phys HID_PHYS.
    // Returns the HID device's sysfs name, which no later plugging repeats.
    std::string Plug(const std::string& name, const std::string& hidId, const std::string& phys,
                     const std::vector<uint8_t>& descriptor)
    {
        namespace fs = std::filesystem;
        unsigned bus = 0, vendor = 0, product = 0;
        std::sscanf(hidId.c_str(), "%x:%x:%x", &bus, &vendor, &product);
        char identity[32];
        std::snprintf(identity, sizeof identity, "%04X:%04X:%04X.%04X", bus, vendor, product, ++m_sequence);
        const fs::path usbDevice = fs::path(Sys()) / "devices" / ("usb-" + std::string(identity));
        const fs::path hidDevice = usbDevice / "1-2:1.1" / identity;
        fs::create_directories(hidDevice / "hidraw" / name);
        WriteFileBytes(usbDevice / "bcdDevice", "0103\n");
        WriteFileBytes(hidDevice / "uevent", "DRIVER=hid-generic\nHID_ID=" + hidId + "\nHID_NAME=Test\nHID_PHYS=" + phys + "\n");
        WriteFileBytes(hidDevice / "report_descriptor", std::string(descriptor.begin(), descriptor.end()));
        const fs::path classEntry = fs::path(Sys()) / "class" / "hidraw" / name;
        fs::create_directories(classEntry.parent_path());
        fs::create_directory_symlink(hidDevice / "hidraw" / name, classEntry);
        fs::create_directory_symlink(hidDevice, hidDevice / "hidraw" / name / "device");
        WriteFileBytes(Dev() + "/" + name, "");

        std::lock_guard guard(m_lock);
        auto device = std::make_shared<Device>();
        device->identity = identity;
        m_devices[name] = device;
        return identity;
    }

    // Unplugs hidrawN: its sysfs entries and device file go; open files see the device gone.
    void Unplug(const std::string& name)
    {
        namespace fs = std::filesystem;
        std::error_code error;
        fs::remove(fs::path(Sys()) / "class" / "hidraw" / name, error);
        fs::remove(Dev() + "/" + name, error);
        std::lock_guard guard(m_lock);
        auto found = m_devices.find(name);
        if (found == m_devices.end())
            return;
        found->second->exists = false;
        for (auto& [fd, file] : m_files) {
            if (file->device == found->second)
                Wake(fd);
        }
        m_devices.erase(found);
        m_changed.notify_all();
    }

    // The device sends an input report: every open file of it queues a copy if its ring has room.
    void Report(const std::string& name, const std::vector<uint8_t>& report)
    {
        std::lock_guard guard(m_lock);
        auto found = m_devices.find(name);
        if (found == m_devices.end())
            return;
        for (auto& [fd, file] : m_files) {
            if (file->device != found->second || file->ring.size() >= kRingSlots - 1)
                continue;
            file->ring.push_back(report);
            Wake(fd);
        }
    }

    // Waits until every open file of the device has room for one more report, as a device
    // that sends one report per USB frame gives a reader that keeps up; false after timeoutMs.
    bool WaitForRoom(const std::string& name, int timeoutMs)
    {
        std::unique_lock guard(m_lock);
        return m_changed.wait_for(guard, std::chrono::milliseconds(timeoutMs), [&] {
            for (auto& [fd, file] : m_files) {
                if (m_devices.count(name) && file->device == m_devices[name] && file->ring.size() >= kRingSlots - 1)
                    return false;
            }
            return true;
        });
    }

    // What the device does with each output report, during the write that carries it.
    void OnWrite(const std::string& name, WriteHandler handler)
    {
        std::lock_guard guard(m_lock);
        if (auto found = m_devices.find(name); found != m_devices.end())
            found->second->onWrite = std::move(handler);
    }

    // While stalled, the device accepts no output report: writes wait for up to 5 s, then fail.
    void Stall(const std::string& name, bool stalled)
    {
        std::lock_guard guard(m_lock);
        if (auto found = m_devices.find(name); found != m_devices.end())
            found->second->stalled = stalled;
        m_changed.notify_all();
    }

    int OpenFileCount(const std::string& name)
    {
        std::lock_guard guard(m_lock);
        int count = 0;
        for (auto& [fd, file] : m_files)
            count += m_devices.count(name) && file->device == m_devices[name];
        return count;
    }

    // Writes the kernel holds because their device stalls.
    int WritesInProgress()
    {
        std::lock_guard guard(m_lock);
        return m_writesInProgress;
    }

    // Writes that have reached the device's end, all devices together.
    int WritesReceived()
    {
        std::lock_guard guard(m_lock);
        return m_writesReceived;
    }

    int Open(const std::string& path, int) override
    {
        std::lock_guard guard(m_lock);
        const std::string name = std::filesystem::path(path).filename().string();
        auto found = m_devices.find(name);
        if (path != Dev() + "/" + name || found == m_devices.end()) {
            errno = ENOENT;
            return -1;
        }
        const int fd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
        auto file = std::make_shared<File>();
        file->device = found->second;
        m_files[fd] = file;
        return fd;
    }

    ssize_t Read(int fd, void* buffer, size_t capacity) override
    {
        std::lock_guard guard(m_lock);
        auto found = m_files.find(fd);
        if (found == m_files.end()) {
            errno = EBADF;
            return -1;
        }
        File& file = *found->second;
        if (file.ring.empty()) {
            errno = file.device->exists ? EAGAIN : EIO;
            return -1;
        }
        const std::vector<uint8_t> report = std::move(file.ring.front());
        file.ring.pop_front();
        m_changed.notify_all();
        if (file.ring.empty() && file.device->exists) {
            uint64_t count = 0;
            [[maybe_unused]] ssize_t n = read(fd, &count, sizeof count);
        }
        const size_t length = std::min(capacity, report.size());
        std::memcpy(buffer, report.data(), length);
        return static_cast<ssize_t>(length);
    }

    ssize_t Write(int fd, const void* data, size_t length) override
    {
        std::unique_lock guard(m_lock);
        auto found = m_files.find(fd);
        if (found == m_files.end()) {
            errno = EBADF;
            return -1;
        }
        const std::shared_ptr<Device> device = found->second->device;
        ++m_writesInProgress;
        const bool sent = m_changed.wait_for(guard, std::chrono::milliseconds(kUsbTimeoutMs),
                                             [&] { return !device->stalled || !device->exists; });
        --m_writesInProgress;
        if (!device->exists) {
            errno = ENODEV;
            return -1;
        }
        if (!sent) {
            errno = ETIMEDOUT;
            return -1;
        }
        ++m_writesReceived;
        const WriteHandler handler = device->onWrite;
        guard.unlock();
        if (handler)
            handler(std::vector<uint8_t>(static_cast<const uint8_t*>(data), static_cast<const uint8_t*>(data) + length));
        return static_cast<ssize_t>(length);
    }

    void Close(int fd) override
    {
        std::lock_guard guard(m_lock);
        if (m_files.erase(fd))
            close(fd);
    }

private:
    struct Device {
        std::string identity;
        bool exists = true;
        bool stalled = false;
        WriteHandler onWrite;
    };
    struct File {
        std::shared_ptr<Device> device;
        std::deque<std::vector<uint8_t>> ring;
    };

    // Makes a file's descriptor readable: a report waits, or the device is gone.
    static void Wake(int fd)
    {
        const uint64_t one = 1;
        [[maybe_unused]] ssize_t n = write(fd, &one, sizeof one);
    }

    TempFolder m_folder;
    std::mutex m_lock;
    std::condition_variable m_changed;
    std::map<std::string, std::shared_ptr<Device>> m_devices;
    std::map<int, std::shared_ptr<File>> m_files;
    int m_sequence = 0;
    int m_writesReceived = 0;
    int m_writesInProgress = 0;
};

} // namespace testsupport
