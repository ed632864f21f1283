#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <sys/types.h>

// The system calls the hidraw backend makes on /dev/hidrawN files, so that tests can put a model
// of the kernel driver behind them. A descriptor from Open must be pollable: readable while the
// file has a report queued or its device is gone.
class HidrawFiles {
public:
    virtual ~HidrawFiles() = default;
    // open(2); -1 with errno on failure.
    virtual int Open(const std::string& path, int flags) = 0;
    // read(2) of one report (truncated to capacity, as hidraw does).
    virtual ssize_t Read(int fd, void* buffer, size_t capacity) = 0;
    // write(2) of one report; hidraw returns only when the USB transfer has ended (up to 5 s).
    virtual ssize_t Write(int fd, const void* data, size_t length) = 0;
    virtual void Close(int fd) = 0;

    // The real system calls.
    static std::shared_ptr<HidrawFiles> System();
};
