#include "hid/linux/HidrawNode.h"

#include "hid/HidDeadline.h"
#include "hid/ReportDescriptor.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

// Sections: the state both threads share, the pump, the writer, the node.

namespace {

// Reports of this file's own collection kept until read; a reader that never comes loses the
// newest, as the kernel would.
constexpr size_t kKeptReports = 256;

struct WriteJob {
    std::vector<uint8_t> data;
    bool done = false;
    bool abandoned = false; // the caller stopped waiting before the transfer began
    ssize_t result = -1;
};

} // namespace

struct HidrawNode::Shared {
    Shared(std::shared_ptr<HidrawFiles> files, int fd) : files(std::move(files)), fd(fd)
    {
        stopFd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    }

    // The last holder (the node, or a writer still inside a stalled transfer) closes the file.
    ~Shared()
    {
        if (fd >= 0)
            files->Close(fd);
        if (stopFd >= 0)
            close(stopFd);
    }

    bool Wanted(const std::vector<uint8_t>& report) const
    {
        return !filtered || (!report.empty() && std::find(keep.begin(), keep.end(), report[0]) != keep.end());
    }

    // Why a waiting operation ends at once, if it does; consumes a one-shot abort. Lock held.
    bool EndedByAbort()
    {
        if (shutdown)
            return true;
        if (!abortPending)
            return false;
        abortPending = false;
        return true;
    }

    std::shared_ptr<HidrawFiles> files;
    int fd;
    int stopFd = -1;

    std::mutex lock; // guards everything below
    std::condition_variable changed;
    std::deque<std::vector<uint8_t>> reports;
    bool filtered = false;
    std::vector<uint8_t> keep;
    bool gone = false; // the device went away: reads fail once the kept reports are taken
    bool abortPending = false;
    bool shutdown = false;
    std::deque<std::shared_ptr<WriteJob>> jobs;
    bool writerRunning = false;
};

namespace {

void Pump(const std::shared_ptr<HidrawNode::Shared>& shared)
{
    std::vector<uint8_t> report(kMaxReportBytes + 1);
    for (;;) {
        pollfd fds[2] = {{shared->stopFd, POLLIN, 0}, {shared->fd, POLLIN, 0}};
        const int ready = poll(fds, 2, -1);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0 || (fds[0].revents & POLLIN))
            return;
        // Read under the lock, so that a flush leaves nothing behind in the kernel or in flight.
        std::lock_guard guard(shared->lock);
        ssize_t n = 0;
        if (fds[1].revents & POLLIN) {
            n = shared->files->Read(shared->fd, report.data(), report.size());
            if (n < 0 && (errno == EAGAIN || errno == EINTR))
                continue;
        }
        if (n <= 0) {
            shared->gone = true; // hang-up, error or end of file: the device went away
            shared->changed.notify_all();
            return;
        }
        std::vector<uint8_t> bytes(report.begin(), report.begin() + n);
        if (shared->Wanted(bytes) && shared->reports.size() < kKeptReports) {
            shared->reports.push_back(std::move(bytes));
            shared->changed.notify_all();
        }
    }
}

void Writer(const std::shared_ptr<HidrawNode::Shared>& shared)
{
    std::unique_lock guard(shared->lock);
    for (;;) {
        shared->changed.wait(guard, [&] { return !shared->jobs.empty() || shared->shutdown; });
        if (shared->jobs.empty()) {
            shared->writerRunning = false;
            return;
        }
        const std::shared_ptr<WriteJob> job = shared->jobs.front();
        shared->jobs.pop_front();
        if (job->abandoned)
            continue;
        guard.unlock();
        const ssize_t n = shared->files->Write(shared->fd, job->data.data(), job->data.size());
        guard.lock();
        job->result = n;
        job->done = true;
        shared->changed.notify_all();
    }
}

} // namespace

HidrawNode::HidrawNode(std::shared_ptr<HidrawFiles> files, int fd, bool read)
    : m_shared(std::make_shared<Shared>(std::move(files), fd))
{
    if (read && m_shared->stopFd >= 0)
        m_pump = std::thread(Pump, m_shared);
}

HidrawNode::~HidrawNode()
{
    Shutdown();
    if (m_shared->stopFd >= 0) {
        const uint64_t one = 1;
        [[maybe_unused]] ssize_t n = write(m_shared->stopFd, &one, sizeof one);
    }
    if (m_pump.joinable())
        m_pump.join();
}

bool HidrawNode::Usable() const
{
    return m_shared->fd >= 0 && m_shared->stopFd >= 0;
}

HidIoResult HidrawNode::Read(uint8_t* buffer, size_t capacity, size_t& received, int timeoutMs)
{
    received = 0;
    Shared& shared = *m_shared;
    const HidDeadline deadline(timeoutMs);
    std::unique_lock guard(shared.lock);
    for (;;) {
        if (shared.EndedByAbort())
            return HidIoResult::Aborted;
        if (!shared.reports.empty()) {
            const std::vector<uint8_t>& report = shared.reports.front();
            received = std::min(capacity, report.size());
            std::memcpy(buffer, report.data(), received);
            shared.reports.pop_front();
            return HidIoResult::Done;
        }
        if (shared.gone || !m_pump.joinable())
            return HidIoResult::Failed;
        const int left = deadline.RemainingMs();
        if (left == 0)
            return HidIoResult::TimedOut;
        if (left == kHidInfinite)
            shared.changed.wait(guard);
        else
            shared.changed.wait_for(guard, std::chrono::milliseconds(left));
    }
}

HidIoResult HidrawNode::Write(const uint8_t* data, size_t length, size_t& written, int timeoutMs)
{
    written = 0;
    Shared& shared = *m_shared;
    const HidDeadline deadline(timeoutMs);
    auto job = std::make_shared<WriteJob>();
    job->data.assign(data, data + length);
    std::unique_lock guard(shared.lock);
    if (shared.EndedByAbort())
        return HidIoResult::Aborted;
    if (shared.gone)
        return HidIoResult::Failed;
    shared.jobs.push_back(job);
    if (!shared.writerRunning) {
        // Detached: a transfer the kernel holds for seconds must not hold up whoever closes us.
        std::thread(Writer, m_shared).detach();
        shared.writerRunning = true;
    }
    shared.changed.notify_all();
    for (;;) {
        if (job->done) {
            if (job->result <= 0)
                return HidIoResult::Failed;
            written = static_cast<size_t>(job->result);
            return HidIoResult::Done;
        }
        HidIoResult ended = HidIoResult::TimedOut;
        const int left = deadline.RemainingMs();
        if (shared.EndedByAbort())
            ended = HidIoResult::Aborted;
        else if (left != 0) {
            if (left == kHidInfinite)
                shared.changed.wait(guard);
            else
                shared.changed.wait_for(guard, std::chrono::milliseconds(left));
            continue;
        }
        job->abandoned = true; // not sent if it has not begun; a transfer under way runs out
        return ended;
    }
}

void HidrawNode::Abort()
{
    std::lock_guard guard(m_shared->lock);
    m_shared->abortPending = true;
    m_shared->changed.notify_all();
}

void HidrawNode::Shutdown()
{
    std::lock_guard guard(m_shared->lock);
    m_shared->shutdown = true;
    m_shared->changed.notify_all();
}

void HidrawNode::Flush()
{
    std::lock_guard guard(m_shared->lock);
    m_shared->reports.clear();
    // The file is non-blocking: this ends when the kernel's queue is empty.
    uint8_t scratch[kMaxReportBytes + 1];
    for (size_t i = 0; i < kHidQueuedReports; ++i) {
        if (m_shared->files->Read(m_shared->fd, scratch, sizeof scratch) <= 0)
            break;
    }
}

void HidrawNode::KeepInputReports(std::vector<uint8_t> reportIds)
{
    std::lock_guard guard(m_shared->lock);
    m_shared->filtered = true;
    m_shared->keep = std::move(reportIds);
    auto unwanted = [this](const std::vector<uint8_t>& report) { return !m_shared->Wanted(report); };
    auto& reports = m_shared->reports;
    reports.erase(std::remove_if(reports.begin(), reports.end(), unwanted), reports.end());
}
