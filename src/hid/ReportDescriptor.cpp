#include "hid/ReportDescriptor.h"

#include <algorithm>
#include <array>
#include <optional>

// Item layout (HID 1.11, 6.2.2.2): prefix byte = tag (bits 4-7), type (bits 2-3: 0 main,
// 1 global, 2 local), size code (bits 0-1: 0, 1, 2 or 4 data bytes); 0xFE starts a long item.

namespace {

enum MainTag : uint8_t { kInput = 8, kOutput = 9, kCollection = 10, kFeature = 11, kEndCollection = 12 };
enum GlobalTag : uint8_t {
    kUsagePage = 0, kLogicalMin = 1, kLogicalMax = 2, kPhysicalMin = 3, kPhysicalMax = 4,
    kReportSize = 7, kReportId = 8, kReportCount = 9, kPush = 10, kPop = 11,
};
enum LocalTag : uint8_t { kUsage = 0, kUsageMin = 1, kUsageMax = 2 };

constexpr size_t kMaxPushDepth = 16;
constexpr size_t kMaxCollectionDepth = 32;
constexpr size_t kMaxTopCollections = 255;
constexpr size_t kMaxLocalUsages = 1024;
constexpr uint32_t kMaxReportBits = kMaxReportBytes * 8;

struct Item {
    uint8_t tag = 0;
    uint8_t type = 0;
    uint8_t size = 0;
    uint32_t unsignedData = 0;
    int32_t signedData = 0;
};

struct GlobalState {
    uint16_t usagePage = 0;
    int32_t logicalMin = 0;
    Item logicalMax;
    int32_t physicalMin = 0;
    int32_t physicalMax = 0;
    uint32_t reportSize = 0;
    uint32_t reportCount = 0;
    uint8_t reportId = 0;

    // A one- or two-byte Logical Maximum such as 0xFF is meant unsigned when the minimum is not
    // negative; read signed it would fall below the minimum.
    int32_t EffectiveLogicalMax() const
    {
        if (logicalMin >= 0 && logicalMax.signedData < logicalMin && logicalMax.size < 4)
            return static_cast<int32_t>(logicalMax.unsignedData);
        return logicalMax.signedData;
    }
};

struct LocalUsage {
    std::optional<uint16_t> page; // set by a four-byte usage item
    uint16_t min = 0;
    uint16_t max = 0;
    bool isRange = false;
};

class Parser {
public:
    Parser(const uint8_t* data, size_t size, ReportDescriptor& out) : m_data(data), m_size(size), m_out(out) {}
    bool Run();

private:
    bool NextItem(size_t& at, Item& item) const;
    bool HandleItem(const Item& item);
    bool HandleMain(const Item& item);
    bool HandleGlobal(const Item& item);
    bool HandleLocal(const Item& item);
    bool OpenCollection();
    bool CloseCollection();
    bool AddDataItem(HidReportType type, uint32_t flags);
    bool AddVariableCaps(HidReportType type, uint32_t bitPosition);
    bool AddArrayCaps(HidReportType type, uint32_t bitPosition);
    // A capability of the current usage and global state, its fields starting at bitPosition.
    template <typename Caps>
    Caps MakeCaps(const LocalUsage& usage, uint32_t bitPosition) const;
    bool CountCap();
    void ClearLocals();
    bool Finish();
    uint16_t PageOf(const LocalUsage& usage) const { return usage.page.value_or(m_global.usagePage); }
    HidTopCollection& Top() { return m_out.collections.back(); }

    const uint8_t* m_data;
    size_t m_size;
    ReportDescriptor& m_out;

    GlobalState m_global;
    std::vector<GlobalState> m_pushed;
    std::vector<LocalUsage> m_usages;
    std::optional<uint32_t> m_pendingMin;
    std::optional<uint32_t> m_pendingMax;
    std::vector<uint16_t> m_linkStack; // link collection index of every open collection
    size_t m_capCount = 0;
    bool m_sawUnnumbered = false;
    // Bits so far of each report, by type and id, and which top collection each report belongs to.
    std::array<std::array<uint32_t, 256>, kHidReportTypeCount> m_reportBits{};
    std::array<std::array<int, 256>, kHidReportTypeCount> m_reportOwner{};
};

bool Parser::Run()
{
    m_out = ReportDescriptor{};
    for (auto& owners : m_reportOwner)
        owners.fill(-1);
    if (m_size > kMaxReportDescriptorSize)
        return false;
    size_t at = 0;
    Item item;
    while (at < m_size) {
        if (!NextItem(at, item) || !HandleItem(item))
            return false;
    }
    return Finish();
}

bool Parser::NextItem(size_t& at, Item& item) const
{
    const uint8_t prefix = m_data[at++];
    if (prefix == 0xFE) { // long item: data size, long tag, data; no long items are defined
        if (m_size - at < 2)
            return false;
        const size_t dataSize = m_data[at];
        if (m_size - at - 2 < dataSize)
            return false;
        at += 2 + dataSize;
        item = Item{0xFF, 3, 0, 0, 0};
        return true;
    }
    static constexpr uint8_t kSizes[4] = {0, 1, 2, 4};
    item.size = kSizes[prefix & 3];
    item.type = (prefix >> 2) & 3;
    item.tag = prefix >> 4;
    if (m_size - at < item.size)
        return false;
    uint32_t value = 0;
    for (uint8_t i = 0; i < item.size; ++i)
        value |= static_cast<uint32_t>(m_data[at + i]) << (8 * i);
    at += item.size;
    item.unsignedData = value;
    if (item.size == 1)
        item.signedData = static_cast<int8_t>(value);
    else if (item.size == 2)
        item.signedData = static_cast<int16_t>(value);
    else
        item.signedData = static_cast<int32_t>(value);
    return true;
}

bool Parser::HandleItem(const Item& item)
{
    switch (item.type) {
    case 0: return HandleMain(item);
    case 1: return HandleGlobal(item);
    case 2: return HandleLocal(item);
    default: return true; // long and reserved items carry nothing we use
    }
}

bool Parser::HandleMain(const Item& item)
{
    bool ok = true;
    switch (item.tag) {
    case kInput: ok = AddDataItem(HidReportType::Input, item.unsignedData); break;
    case kOutput: ok = AddDataItem(HidReportType::Output, item.unsignedData); break;
    case kFeature: ok = AddDataItem(HidReportType::Feature, item.unsignedData); break;
    case kCollection: ok = OpenCollection(); break;
    case kEndCollection: ok = CloseCollection(); break;
    default: break;
    }
    ClearLocals();
    return ok;
}

bool Parser::HandleGlobal(const Item& item)
{
    switch (item.tag) {
    case kUsagePage: m_global.usagePage = static_cast<uint16_t>(item.unsignedData); break;
    case kLogicalMin: m_global.logicalMin = item.signedData; break;
    case kLogicalMax: m_global.logicalMax = item; break;
    case kPhysicalMin: m_global.physicalMin = item.signedData; break;
    case kPhysicalMax: m_global.physicalMax = item.signedData; break;
    case kReportSize:
        if (item.unsignedData > 32)
            return false;
        m_global.reportSize = item.unsignedData;
        break;
    case kReportCount:
        if (item.unsignedData > kMaxReportBits)
            return false;
        m_global.reportCount = item.unsignedData;
        break;
    case kReportId:
        if (item.unsignedData == 0 || item.unsignedData > 0xFF)
            return false;
        m_global.reportId = static_cast<uint8_t>(item.unsignedData);
        m_out.usesReportIds = true;
        break;
    case kPush:
        if (m_pushed.size() >= kMaxPushDepth)
            return false;
        m_pushed.push_back(m_global);
        break;
    case kPop:
        if (m_pushed.empty())
            return false;
        m_global = m_pushed.back();
        m_pushed.pop_back();
        break;
    default: break;
    }
    return true;
}

bool Parser::HandleLocal(const Item& item)
{
    if (item.tag != kUsage && item.tag != kUsageMin && item.tag != kUsageMax)
        return true;
    if (m_usages.size() >= kMaxLocalUsages)
        return false;
    auto pageOf = [&item]() -> std::optional<uint16_t> {
        if (item.size == 4)
            return static_cast<uint16_t>(item.unsignedData >> 16);
        return std::nullopt;
    };
    if (item.tag == kUsage) {
        const auto usage = static_cast<uint16_t>(item.unsignedData);
        m_usages.push_back(LocalUsage{pageOf(), usage, usage, false});
        return true;
    }
    (item.tag == kUsageMin ? m_pendingMin : m_pendingMax) = item.unsignedData;
    if (m_pendingMin && m_pendingMax) {
        const auto min = static_cast<uint16_t>(*m_pendingMin);
        const auto max = static_cast<uint16_t>(*m_pendingMax);
        if (max < min)
            return false;
        m_usages.push_back(LocalUsage{pageOf(), min, max, true});
        m_pendingMin.reset();
        m_pendingMax.reset();
    }
    return true;
}

bool Parser::OpenCollection()
{
    if (m_linkStack.size() >= kMaxCollectionDepth)
        return false;
    if (m_linkStack.empty()) {
        if (m_out.collections.size() >= kMaxTopCollections)
            return false;
        HidTopCollection top;
        if (!m_usages.empty()) {
            top.usagePage = PageOf(m_usages.front());
            top.usage = m_usages.front().min;
        }
        m_out.collections.push_back(std::move(top));
        m_linkStack.push_back(0);
        return true;
    }
    m_linkStack.push_back(Top().linkCollectionCount++);
    return true;
}

bool Parser::CloseCollection()
{
    if (m_linkStack.empty())
        return false;
    m_linkStack.pop_back();
    return true;
}

bool Parser::AddDataItem(HidReportType type, uint32_t flags)
{
    if (m_linkStack.empty())
        return false; // data outside every collection belongs to no HID device
    const int t = static_cast<int>(type);
    const uint8_t id = m_global.reportId;
    const int owner = static_cast<int>(m_out.collections.size()) - 1;
    if (m_reportOwner[t][id] >= 0 && m_reportOwner[t][id] != owner)
        return false; // one report cannot belong to two top-level collections
    m_reportOwner[t][id] = owner;
    if (id == 0)
        m_sawUnnumbered = true;

    const uint32_t bitPosition = m_reportBits[t][id];
    const uint64_t end = bitPosition + static_cast<uint64_t>(m_global.reportSize) * m_global.reportCount;
    if (end > kMaxReportBits)
        return false;
    m_reportBits[t][id] = static_cast<uint32_t>(end);

    const bool constant = flags & 0x01;
    const bool variable = flags & 0x02;
    if (constant || m_global.reportCount == 0 || m_global.reportSize == 0)
        return true; // padding
    return variable ? AddVariableCaps(type, bitPosition) : AddArrayCaps(type, bitPosition);
}

bool Parser::AddVariableCaps(HidReportType type, uint32_t bitPosition)
{
    if (m_usages.empty())
        m_usages.push_back(LocalUsage{});
    const int t = static_cast<int>(type);
    uint32_t remaining = m_global.reportCount;
    for (size_t i = 0; i < m_usages.size() && remaining > 0; ++i) {
        if (!CountCap())
            return false;
        const LocalUsage& usage = m_usages[i];
        const bool last = i + 1 == m_usages.size();
        // The last usage takes every field left over, as the HID class driver does.
        const uint32_t span = static_cast<uint32_t>(usage.max - usage.min) + 1;
        const uint32_t fields = last ? remaining : std::min(span, remaining);
        if (m_global.reportSize == 1) {
            HidButtonCaps caps = MakeCaps<HidButtonCaps>(usage, bitPosition);
            caps.reportSize = 1;
            caps.reportCount = static_cast<uint16_t>(fields);
            Top().buttonCaps[t].push_back(caps);
        } else {
            HidValueCaps caps = MakeCaps<HidValueCaps>(usage, bitPosition);
            caps.bitSize = static_cast<uint16_t>(m_global.reportSize);
            caps.reportCount = static_cast<uint16_t>(fields);
            caps.physicalMin = m_global.physicalMin;
            caps.physicalMax = m_global.physicalMax;
            Top().valueCaps[t].push_back(caps);
        }
        bitPosition += fields * m_global.reportSize;
        remaining -= fields;
    }
    return true;
}

bool Parser::AddArrayCaps(HidReportType type, uint32_t bitPosition)
{
    const int t = static_cast<int>(type);
    uint32_t indexBase = 0;
    for (const LocalUsage& usage : m_usages) {
        if (!CountCap())
            return false;
        HidButtonCaps caps = MakeCaps<HidButtonCaps>(usage, bitPosition);
        caps.isArray = true;
        caps.reportSize = static_cast<uint16_t>(m_global.reportSize);
        caps.reportCount = static_cast<uint16_t>(m_global.reportCount);
        caps.arrayIndexBase = indexBase;
        Top().buttonCaps[t].push_back(caps);
        indexBase += static_cast<uint32_t>(usage.max - usage.min) + 1;
    }
    return true;
}

template <typename Caps>
Caps Parser::MakeCaps(const LocalUsage& usage, uint32_t bitPosition) const
{
    Caps caps;
    caps.usagePage = PageOf(usage);
    caps.reportId = m_global.reportId;
    caps.isRange = usage.isRange;
    caps.usageMin = usage.min;
    caps.usageMax = usage.max;
    caps.linkCollection = m_linkStack.back();
    caps.bitPosition = bitPosition;
    caps.logicalMin = m_global.logicalMin;
    caps.logicalMax = m_global.EffectiveLogicalMax();
    return caps;
}

bool Parser::CountCap()
{
    return ++m_capCount <= kMaxCapsPerDescriptor;
}

void Parser::ClearLocals()
{
    m_usages.clear();
    m_pendingMin.reset();
    m_pendingMax.reset();
}

bool Parser::Finish()
{
    if (!m_linkStack.empty() || m_out.collections.empty())
        return false;
    if (m_out.usesReportIds && m_sawUnnumbered)
        return false; // numbered and unnumbered reports cannot be told apart on the wire
    for (int t = 0; t < kHidReportTypeCount; ++t) {
        for (int id = 0; id < 256; ++id) {
            const int owner = m_reportOwner[t][id];
            if (owner < 0)
                continue;
            HidTopCollection& top = m_out.collections[owner];
            const auto bytes = static_cast<uint16_t>((m_reportBits[t][id] + 7) / 8 + 1);
            top.reportByteLength[t] = std::max(top.reportByteLength[t], bytes);
            auto& ids = top.reportIds;
            if (std::find(ids.begin(), ids.end(), id) == ids.end())
                ids.insert(std::upper_bound(ids.begin(), ids.end(), id), static_cast<uint8_t>(id));
            if (t == static_cast<int>(HidReportType::Input))
                top.inputReportIds.push_back(static_cast<uint8_t>(id)); // ids come in ascending order
        }
    }
    return true;
}

} // namespace

bool HidTopCollection::OwnsReportId(uint8_t id) const
{
    return std::binary_search(reportIds.begin(), reportIds.end(), id);
}

bool HidTopCollection::OwnsInputReport(uint8_t id) const
{
    return std::binary_search(inputReportIds.begin(), inputReportIds.end(), id);
}

bool ParseReportDescriptor(const uint8_t* data, size_t size, ReportDescriptor& out)
{
    Parser parser(data, size, out);
    if (parser.Run())
        return true;
    out = ReportDescriptor{};
    return false;
}

bool ExtractReportField(const uint8_t* report, size_t length, uint32_t bitPosition, uint16_t bitSize,
                        uint32_t& value)
{
    if (bitSize > 32 || length == 0)
        return false;
    const uint64_t first = 8 + static_cast<uint64_t>(bitPosition);
    if ((first + bitSize + 7) / 8 > length)
        return false;
    value = 0;
    for (uint16_t i = 0; i < bitSize; ++i) {
        const uint64_t bit = first + i;
        if (report[bit / 8] & (1u << (bit % 8)))
            value |= 1u << i;
    }
    return true;
}
