#include "hid/sim/SimHidBus.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <deque>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

constexpr char kNodePrefix[] = "sim:";

class SimHandle;

} // namespace

struct SimHidBus::Interface {
    int id = 0;
    SimInterfaceSpec spec;
    std::shared_ptr<SimHidEndpoint> endpoint;
    std::mutex lock; // guards everything below and the queues of the handles
    std::condition_variable changed;
    bool plugged = true;
    std::vector<SimHandle*> handles;
};

namespace {

struct QueuedReport {
    Clock::time_point readyAt;
    std::vector<uint8_t> bytes;
};

class SimHandle : public HidNode {
public:
    explicit SimHandle(std::shared_ptr<SimHidBus::Interface> iface) : m_iface(std::move(iface))
    {
        std::lock_guard guard(m_iface->lock);
        m_iface->handles.push_back(this);
    }

    ~SimHandle() override
    {
        std::lock_guard guard(m_iface->lock);
        auto& handles = m_iface->handles;
        handles.erase(std::remove(handles.begin(), handles.end(), this), handles.end());
    }

    // Called with the interface lock held. Like a hidraw file, a handle holds at most
    // kHidQueuedReports reports and drops those that arrive while it is full; reports its owner
    // does not want are dropped at once.
    void Queue(Clock::time_point readyAt, const std::vector<uint8_t>& bytes)
    {
        if (!Wanted(bytes) || m_queue.size() >= kHidQueuedReports)
            return;
        m_queue.push_back({readyAt, bytes});
    }

    void KeepInputReports(std::vector<uint8_t> reportIds) override
    {
        std::lock_guard guard(m_iface->lock);
        m_filtered = true;
        m_keep = std::move(reportIds);
        std::erase_if(m_queue, [this](const QueuedReport& report) { return !Wanted(report.bytes); });
    }

    HidIoResult Read(uint8_t* buffer, size_t capacity, size_t& received, int timeoutMs) override
    {
        received = 0;
        const auto deadline = Clock::now() + std::chrono::milliseconds(std::max(timeoutMs, 0));
        std::unique_lock guard(m_iface->lock);
        for (;;) {
            if (const auto ended = EndedResult())
                return *ended;
            const auto now = Clock::now();
            if (!m_queue.empty() && m_queue.front().readyAt <= now) {
                const std::vector<uint8_t>& bytes = m_queue.front().bytes;
                received = std::min(capacity, bytes.size());
                std::memcpy(buffer, bytes.data(), received);
                m_queue.pop_front();
                return HidIoResult::Done;
            }
            if (timeoutMs >= 0 && now >= deadline)
                return HidIoResult::TimedOut;
            auto wakeAt = timeoutMs >= 0 ? deadline : Clock::time_point::max();
            if (!m_queue.empty())
                wakeAt = std::min(wakeAt, m_queue.front().readyAt);
            if (wakeAt == Clock::time_point::max())
                m_iface->changed.wait(guard);
            else
                m_iface->changed.wait_until(guard, wakeAt);
        }
    }

    HidIoResult Write(const uint8_t* data, size_t length, size_t& written, int) override
    {
        written = 0;
        std::shared_ptr<SimHidEndpoint> endpoint;
        {
            std::lock_guard guard(m_iface->lock);
            if (const auto ended = EndedResult())
                return *ended;
            endpoint = m_iface->endpoint;
        }
        if (endpoint)
            endpoint->OnOutputReport(m_iface->id, std::vector<uint8_t>(data, data + length));
        written = length;
        return HidIoResult::Done;
    }

    void Abort() override
    {
        std::lock_guard guard(m_iface->lock);
        m_abortSignalled = true;
        m_iface->changed.notify_all();
    }

    void Shutdown() override
    {
        std::lock_guard guard(m_iface->lock);
        m_shutdown = true;
        m_iface->changed.notify_all();
    }

    void Flush() override
    {
        std::lock_guard guard(m_iface->lock);
        const auto now = Clock::now();
        while (!m_queue.empty() && m_queue.front().readyAt <= now)
            m_queue.pop_front();
    }

private:
    bool Wanted(const std::vector<uint8_t>& bytes) const
    {
        return !m_filtered || (!bytes.empty() && std::find(m_keep.begin(), m_keep.end(), bytes[0]) != m_keep.end());
    }

    // Why the next operation ends at once, if it does; consumes a one-shot abort.
    std::optional<HidIoResult> EndedResult()
    {
        if (m_shutdown)
            return HidIoResult::Aborted;
        if (m_abortSignalled) {
            m_abortSignalled = false;
            return HidIoResult::Aborted;
        }
        if (!m_iface->plugged)
            return HidIoResult::Failed;
        return std::nullopt;
    }

    std::shared_ptr<SimHidBus::Interface> m_iface;
    std::deque<QueuedReport> m_queue;
    bool m_filtered = false;
    std::vector<uint8_t> m_keep;
    bool m_abortSignalled = false;
    bool m_shutdown = false;
};

HidNodeInfo InfoOf(const SimHidBus::Interface& iface)
{
    HidNodeInfo info;
    info.node = SimHidBus::NodeName(iface.id);
    info.vendorId = iface.spec.vendorId;
    info.productId = iface.spec.productId;
    info.versionNumber = iface.spec.versionNumber;
    info.interfaceNumber = iface.spec.interfaceNumber;
    info.reportDescriptor = iface.spec.reportDescriptor;
    return info;
}

} // namespace

SimHidBus::SimHidBus() = default;

SimHidBus::~SimHidBus()
{
    std::vector<int> ids;
    {
        std::lock_guard guard(m_lock);
        for (const auto& [id, iface] : m_interfaces)
            ids.push_back(id);
    }
    for (int id : ids)
        Unplug(id);
}

int SimHidBus::Plug(SimInterfaceSpec spec, std::shared_ptr<SimHidEndpoint> endpoint)
{
    auto iface = std::make_shared<Interface>();
    iface->spec = std::move(spec);
    iface->endpoint = std::move(endpoint);
    {
        std::lock_guard guard(m_lock);
        iface->id = m_nextId++;
        m_interfaces[iface->id] = iface;
    }
    NoteChange();
    return iface->id;
}

bool SimHidBus::Unplug(int interfaceId)
{
    std::shared_ptr<Interface> iface;
    {
        std::lock_guard guard(m_lock);
        auto found = m_interfaces.find(interfaceId);
        if (found == m_interfaces.end())
            return false;
        iface = found->second;
        m_interfaces.erase(found);
    }
    {
        std::lock_guard guard(iface->lock);
        iface->plugged = false;
        iface->changed.notify_all();
    }
    NoteChange();
    return true;
}

bool SimHidBus::IsPlugged(int interfaceId) const
{
    return Find(interfaceId) != nullptr;
}

void SimHidBus::SendInputReport(int interfaceId, std::vector<uint8_t> report, int delayMs)
{
    std::shared_ptr<Interface> iface = Find(interfaceId);
    if (!iface)
        return;
    const auto readyAt = Clock::now() + std::chrono::milliseconds(std::max(delayMs, 0));
    std::lock_guard guard(iface->lock);
    for (SimHandle* handle : iface->handles)
        handle->Queue(readyAt, report);
    iface->changed.notify_all();
}

int SimHidBus::OpenHandleCount(int interfaceId) const
{
    std::shared_ptr<Interface> iface = Find(interfaceId);
    if (!iface)
        return 0;
    std::lock_guard guard(iface->lock);
    return static_cast<int>(iface->handles.size());
}

uint64_t SimHidBus::ChangeCount() const
{
    std::lock_guard guard(m_lock);
    return m_changeCount;
}

std::string SimHidBus::NodeName(int interfaceId)
{
    return kNodePrefix + std::to_string(interfaceId);
}

bool SimHidBus::ListNodes(std::vector<HidNodeInfo>& nodes)
{
    nodes.clear();
    std::lock_guard guard(m_lock);
    for (const auto& [id, iface] : m_interfaces)
        nodes.push_back(InfoOf(*iface));
    return true;
}

bool SimHidBus::ReadNodeInfo(const std::string& node, HidNodeInfo& info)
{
    std::shared_ptr<Interface> iface = Find(node);
    if (!iface)
        return false;
    info = InfoOf(*iface);
    return true;
}

std::unique_ptr<HidNode> SimHidBus::OpenNode(const std::string& node, bool, bool)
{
    std::shared_ptr<Interface> iface = Find(node);
    if (!iface)
        return nullptr;
    return std::make_unique<SimHandle>(std::move(iface));
}

bool SimHidBus::NodePresent(const std::string& node)
{
    return Find(node) != nullptr;
}

bool SimHidBus::WaitForChange(int timeoutMs)
{
    std::unique_lock guard(m_lock);
    auto woken = [this] { return m_changeCount != m_changesSeen || m_interrupted; };
    if (timeoutMs < 0)
        m_changed.wait(guard, woken);
    else
        m_changed.wait_for(guard, std::chrono::milliseconds(timeoutMs), woken);
    const bool got = m_changeCount != m_changesSeen;
    m_changesSeen = m_changeCount;
    m_interrupted = false;
    return got;
}

void SimHidBus::InterruptWait()
{
    {
        std::lock_guard guard(m_lock);
        m_interrupted = true;
    }
    m_changed.notify_all();
}

std::shared_ptr<SimHidBus::Interface> SimHidBus::Find(const std::string& node) const
{
    if (node.rfind(kNodePrefix, 0) != 0)
        return nullptr;
    const std::string number = node.substr(sizeof kNodePrefix - 1);
    if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos || number.size() > 9)
        return nullptr;
    return Find(std::stoi(number));
}

std::shared_ptr<SimHidBus::Interface> SimHidBus::Find(int interfaceId) const
{
    std::lock_guard guard(m_lock);
    auto found = m_interfaces.find(interfaceId);
    return found == m_interfaces.end() ? nullptr : found->second;
}

void SimHidBus::NoteChange()
{
    std::lock_guard guard(m_lock);
    ++m_changeCount;
    m_changed.notify_all();
}
