#include "hid/HidDevice.h"

#include "hid/HidDeadline.h"
#include "hid/HidPaths.h"

#include <algorithm>
#include <cstring>

// Sections: enumeration, open and close, capabilities, report I/O, report parsing.

namespace {

constexpr size_t kMaxPathLength = 259;

int32_t ScaleValue(const HidValueCaps& caps, uint32_t raw)
{
    int32_t value = static_cast<int32_t>(raw);
    if (caps.logicalMin < 0 && caps.bitSize > 0 && caps.bitSize < 32 && (raw & (1u << (caps.bitSize - 1))))
        value = static_cast<int32_t>(raw | ~((1u << caps.bitSize) - 1)); // sign-extend
    if (caps.logicalMax <= caps.logicalMin || caps.physicalMax <= caps.physicalMin)
        return value;
    const int64_t span = static_cast<int64_t>(caps.physicalMax) - caps.physicalMin;
    const int64_t range = static_cast<int64_t>(caps.logicalMax) - caps.logicalMin;
    return static_cast<int32_t>((static_cast<int64_t>(value) - caps.logicalMin) * span / range + caps.physicalMin);
}

} // namespace

HidDevice::HidDevice(std::shared_ptr<HidBackend> backend) : m_backend(std::move(backend)) {}

HidDevice::~HidDevice()
{
    Close();
    ClearPaths();
}

std::shared_ptr<HidBackend> HidDevice::Backend() const
{
    return m_backend ? m_backend : HidBackend::Current();
}

bool HidDevice::EnumeratePaths()
{
    ClearPaths();
    // Held for the whole pass, even if another thread replaces the current backend meanwhile.
    const std::shared_ptr<HidBackend> backend = Backend();
    std::vector<HidNodeInfo> nodes;
    if (!backend->ListNodes(nodes))
        return false;
    m_pathCapacity = kInitialPathCapacity;
    m_paths.reserve(m_pathCapacity);
    for (const HidNodeInfo& node : nodes) {
        ReportDescriptor descriptor;
        if (!ParseReportDescriptor(node.reportDescriptor.data(), node.reportDescriptor.size(), descriptor))
            continue; // an interface we cannot read offers no collection
        const size_t count = descriptor.collections.size();
        for (size_t c = 0; c < count; ++c) {
            const int collection = count == 1 ? 0 : static_cast<int>(c + 1);
            AddPath(MakeInterfacePath(node.node, node.vendorId, node.productId, node.interfaceNumber, collection));
        }
    }
    return true;
}

void HidDevice::AddPath(std::string path)
{
    if (m_paths.size() == m_pathCapacity) {
        m_pathCapacity *= 2;
        m_paths.reserve(m_pathCapacity);
    }
    m_paths.push_back(std::move(path));
}

std::optional<std::string> HidDevice::NextPath()
{
    if (m_cursor >= m_paths.size())
        return std::nullopt;
    return m_paths[m_cursor++];
}

void HidDevice::ClearPaths()
{
    m_paths = {};
    m_pathCapacity = 0;
    m_cursor = 0;
}

bool HidDevice::Open(const std::string& path, bool read, bool write, bool overlapped, bool exclusive)
{
    Close();
    m_openRead = read;
    m_openWrite = write;
    m_openOverlapped = overlapped;
    m_openExclusive = exclusive;
    if (path.size() > kMaxPathLength)
        return false;
    m_path = path;

    HidNodeInfo info;
    const std::string node = PathNode(path);
    const std::shared_ptr<HidBackend> backend = Backend();
    if (!backend->ReadNodeInfo(node, info))
        return false;
    if (!LoadCapabilities(info, ParsePathNumber(path, "&col")))
        return false;
    std::shared_ptr<HidNode> opened = backend->OpenNode(node, read, write);
    if (!opened) {
        ReleaseCapabilities();
        return false;
    }
    if (m_numberedReports)
        opened->KeepInputReports(m_collection.inputReportIds);
    std::lock_guard guard(m_ioLock);
    m_node = std::move(opened);
    return true;
}

void HidDevice::Close()
{
    std::shared_ptr<HidNode> node;
    {
        std::unique_lock guard(m_ioLock);
        node = std::move(m_node);
        m_node.reset();
        if (node && m_pendingIo > 0) {
            // Waiting reads and writes end at once; the buffers they fill stay valid until they have.
            node->Shutdown();
            m_ioIdle.wait(guard, [this] { return m_pendingIo == 0; });
        }
    }
    node.reset();
    ReleaseCapabilities();
}

bool HidDevice::IsOpen() const
{
    std::lock_guard guard(m_ioLock);
    return m_node != nullptr;
}

bool HidDevice::PathPresent(const std::string& path, const std::shared_ptr<HidBackend>& backend)
{
    const std::shared_ptr<HidBackend> use = backend ? backend : HidBackend::Current();
    return use->NodePresent(PathNode(path));
}

bool HidDevice::LoadCapabilities(const HidNodeInfo& info, int collection)
{
    ReportDescriptor descriptor;
    if (!ParseReportDescriptor(info.reportDescriptor.data(), info.reportDescriptor.size(), descriptor))
        return false;
    const size_t count = descriptor.collections.size();
    // A path names a collection exactly as enumeration wrote it: no "&col" for a single one.
    const bool named = collection == 0 ? count == 1 : static_cast<size_t>(collection) <= count && count > 1;
    if (!named)
        return false;
    m_collection = descriptor.collections[collection == 0 ? 0 : collection - 1];
    m_numberedReports = descriptor.usesReportIds;
    m_attributes = {info.vendorId, info.productId, info.versionNumber};

    m_caps = HidCaps{};
    m_caps.usage = m_collection.usage;
    m_caps.usagePage = m_collection.usagePage;
    m_caps.inputReportByteLength = m_collection.reportByteLength[0];
    m_caps.outputReportByteLength = m_collection.reportByteLength[1];
    m_caps.featureReportByteLength = m_collection.reportByteLength[2];
    m_caps.numberLinkCollectionNodes = m_collection.linkCollectionCount;
    for (int t = 0; t < kHidReportTypeCount; ++t) {
        m_caps.numberButtonCaps[t] = static_cast<uint16_t>(m_collection.buttonCaps[t].size());
        m_caps.numberValueCaps[t] = static_cast<uint16_t>(m_collection.valueCaps[t].size());
        m_reports[t].buffer.assign(m_collection.reportByteLength[t], 0);
        if (!BuildUsageTable(static_cast<HidReportType>(t))) {
            ReleaseCapabilities();
            return false;
        }
    }
    m_interfaceNumber = ParsePathNumber(m_path, "&mi_");
    m_collectionNumber = ParsePathNumber(m_path, "&col");
    return true;
}

bool HidDevice::BuildUsageTable(HidReportType type)
{
    const int t = static_cast<int>(type);
    const auto& buttons = m_collection.buttonCaps[t];
    const auto& values = m_collection.valueCaps[t];
    size_t size = buttons.size();
    for (const HidValueCaps& caps : values)
        size += caps.isRange ? static_cast<size_t>(caps.usageMax - caps.usageMin) + 1 : 1;
    if (size > kMaxUsageEntries)
        return false;

    std::vector<HidUsageData>& table = m_reports[t].usageTable;
    table.clear();
    table.reserve(size);
    for (size_t i = 0; i < buttons.size(); ++i) {
        HidUsageData entry;
        entry.isButton = true;
        entry.usagePage = buttons[i].usagePage;
        entry.reportId = buttons[i].reportId;
        entry.usageMin = buttons[i].usageMin;
        entry.usageMax = buttons[i].usageMax;
        entry.maxUsageListLength = MaxUsageListLength(type, entry.usagePage);
        entry.usages.assign(entry.maxUsageListLength, 0);
        entry.capsIndex = i;
        table.push_back(std::move(entry));
    }
    for (size_t i = 0; i < values.size(); ++i) {
        const uint32_t last = values[i].isRange ? values[i].usageMax : values[i].usageMin;
        for (uint32_t usage = values[i].usageMin; usage <= last; ++usage) {
            HidUsageData entry;
            entry.usagePage = values[i].usagePage;
            entry.reportId = values[i].reportId;
            entry.usage = static_cast<uint16_t>(usage);
            entry.capsIndex = i;
            table.push_back(std::move(entry));
        }
    }
    return true;
}

uint32_t HidDevice::MaxUsageListLength(HidReportType type, uint16_t usagePage) const
{
    uint32_t length = 0;
    for (const HidButtonCaps& caps : m_collection.buttonCaps[static_cast<int>(type)]) {
        if (caps.usagePage == usagePage)
            length += caps.reportCount;
    }
    return length;
}

void HidDevice::ReleaseCapabilities()
{
    for (ReportState& report : m_reports)
        report = ReportState{};
    m_collection = HidTopCollection{};
    m_caps = HidCaps{};
    m_attributes = HidAttributes{};
    m_interfaceNumber = 0;
    m_collectionNumber = 0;
}

const std::vector<HidUsageData>& HidDevice::UsageTable(HidReportType type) const
{
    return m_reports[static_cast<int>(type)].usageTable;
}

std::shared_ptr<HidNode> HidDevice::BeginIo()
{
    std::lock_guard guard(m_ioLock);
    if (!m_node)
        return nullptr;
    ++m_pendingIo;
    return m_node;
}

void HidDevice::EndIo()
{
    std::lock_guard guard(m_ioLock);
    --m_pendingIo;
    m_ioIdle.notify_all();
}

bool HidDevice::ReadInputReport(uint8_t* buffer, size_t length, size_t& transferred, int timeoutMs)
{
    m_readWaiting = true;
    transferred = 0;
    std::shared_ptr<HidNode> node = BeginIo();
    if (!node) {
        m_readWaiting = false;
        return false;
    }
    const HidDeadline deadline(timeoutMs);
    // Unnumbered reports arrive without an id byte; callers always see one (0) in byte 0.
    const size_t idBytes = m_numberedReports ? 0 : 1;
    std::vector<uint8_t> report(std::max<size_t>(length, kMaxReportBytes) + 1, 0);
    bool result = false;
    for (;;) {
        size_t received = 0;
        const HidIoResult io = node->Read(report.data() + idBytes, report.size() - idBytes, received,
                                          deadline.RemainingMs());
        if (io != HidIoResult::Done)
            break;
        if (received + idBytes == 0 || !m_collection.OwnsInputReport(report[0]))
            continue; // a report of another collection of the same interface
        transferred = std::min(length, received + idBytes);
        std::memcpy(buffer, report.data(), transferred);
        result = true;
        break;
    }
    EndIo();
    m_readWaiting = false;
    return result;
}

bool HidDevice::WriteOutputReport(const uint8_t* buffer, size_t length, size_t& transferred, int timeoutMs)
{
    m_writeWaiting = true;
    transferred = 0;
    std::shared_ptr<HidNode> node = BeginIo();
    bool result = false;
    if (node && length > 0)
        result = node->Write(buffer, length, transferred, timeoutMs) == HidIoResult::Done;
    if (node)
        EndIo();
    m_writeWaiting = false;
    return result;
}

bool HidDevice::SetOutputReport(const uint8_t* buffer, size_t length)
{
    size_t transferred = 0;
    return WriteOutputReport(buffer, length, transferred, 1000);
}

void HidDevice::SignalAbort()
{
    std::lock_guard guard(m_ioLock);
    if (m_node)
        m_node->Abort();
}

void HidDevice::FlushQueue()
{
    std::shared_ptr<HidNode> node = BeginIo();
    if (!node)
        return;
    node->Flush();
    EndIo();
}

bool HidDevice::ParseInputReport(const uint8_t* report, size_t length)
{
    if (length == 0)
        return false;
    const auto& valueCaps = m_collection.valueCaps[0];
    for (HidUsageData& entry : m_reports[0].usageTable) {
        if (entry.reportId != report[0])
            continue;
        entry.dataSet = true;
        entry.lastStatus = kHidStatusSuccess;
        if (entry.isButton) {
            std::vector<uint16_t> down = UsagesDown(entry.usagePage, report, length);
            std::fill(entry.usages.begin(), entry.usages.end(), 0);
            size_t kept = 0;
            for (uint16_t usage : down) {
                if (usage >= entry.usageMin && usage <= entry.usageMax && kept < entry.usages.size())
                    entry.usages[kept++] = usage;
            }
            continue;
        }
        const HidValueCaps& caps = valueCaps[entry.capsIndex];
        const uint32_t field = caps.isRange ? entry.usage - caps.usageMin : 0;
        if (!ExtractReportField(report, length, caps.bitPosition + field * caps.bitSize, caps.bitSize,
                                entry.rawValue)) {
            entry.lastStatus = kHidStatusInvalidReportLength;
            return false;
        }
        entry.scaledValue = ScaleValue(caps, entry.rawValue);
    }
    return true;
}

std::vector<uint16_t> HidDevice::UsagesDown(uint16_t usagePage, const uint8_t* report, size_t length) const
{
    std::vector<uint16_t> down;
    for (const HidButtonCaps& caps : m_collection.buttonCaps[0]) {
        if (caps.usagePage != usagePage || caps.reportId != report[0])
            continue;
        for (uint32_t field = 0; field < caps.reportCount; ++field) {
            uint32_t value = 0;
            if (!ExtractReportField(report, length, caps.bitPosition + field * caps.reportSize, caps.reportSize, value))
                break;
            if (!caps.isArray) {
                if (value)
                    down.push_back(static_cast<uint16_t>(std::min<uint32_t>(caps.usageMin + field, caps.usageMax)));
                continue;
            }
            const int64_t index = static_cast<int64_t>(value) - caps.logicalMin - caps.arrayIndexBase;
            if (index >= 0 && index <= caps.usageMax - caps.usageMin)
                down.push_back(static_cast<uint16_t>(caps.usageMin + index));
        }
    }
    return down;
}
