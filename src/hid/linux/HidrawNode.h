#pragma once

#include "hid/HidBackend.h"
#include "hid/linux/HidrawFiles.h"

#include <memory>
#include <thread>

// An opened hidraw file. The kernel queues at most kHidQueuedReports input reports per open
// file and drops newer ones, so a pump thread takes every report as it arrives and keeps those
// the owner wants; and since the kernel's write returns only when the USB transfer has ended
// (up to 5 s), a writer thread carries each write, so that a caller's time-out holds and closing
// never waits for a stalled transfer (the file is released when that transfer ends).
class HidrawNode : public HidNode {
public:
    // Takes over fd (opened on files); reads only when read is true.
    HidrawNode(std::shared_ptr<HidrawFiles> files, int fd, bool read);
    ~HidrawNode() override;
    HidrawNode(const HidrawNode&) = delete;
    HidrawNode& operator=(const HidrawNode&) = delete;

    // False when the threads or their wake-up descriptor could not be made.
    bool Usable() const;

    HidIoResult Read(uint8_t* buffer, size_t capacity, size_t& received, int timeoutMs) override;
    HidIoResult Write(const uint8_t* data, size_t length, size_t& written, int timeoutMs) override;
    void Abort() override;
    void Shutdown() override;
    void Flush() override;
    void KeepInputReports(std::vector<uint8_t> reportIds) override;

    struct Shared;

private:
    std::shared_ptr<Shared> m_shared;
    std::thread m_pump;
};
