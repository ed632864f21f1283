#include "sim/SimFirmware.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <iterator>

// Sections: product memory layouts, the command protocol, memory access for tests.

namespace {

// Request and response bytes of a command report.
constexpr size_t kReportIdByte = 0;
constexpr size_t kChecksumLowByte = 1;
constexpr size_t kChecksumHighByte = 2;
constexpr size_t kCommandByte = 3;
constexpr size_t kLengthByte = 4;
constexpr size_t kOffsetLowByte = 5;
constexpr size_t kOffsetHighByte = 6;
constexpr size_t kStatusByte = 7;
constexpr size_t kDataByte = 8;
constexpr size_t kMaxData = 56;
constexpr uint8_t kReportId = 0x04;
constexpr uint8_t kStatusOk = 0x00;
constexpr uint8_t kStatusFailed = 0xFF;
constexpr uint8_t kNotLinkedEcho = 0xAA;
constexpr uint8_t kLinkedMark = 0xFF;
constexpr uint8_t kCrossedEchoBits = 0x40;

constexpr size_t kMouseRecordStride = 128;
constexpr size_t kMouseRecordSize = 86;
constexpr int kMouseProfiles = 8;

// A 34-byte information block: mark AA 55, key slots, macro memory in 128-byte units,
// initialisation mark 15, sensor id, DPI step, step count and base.
std::vector<uint8_t> MakeInfoBlock(uint8_t keySlots, uint8_t macroUnits, uint16_t sensor, uint8_t step, uint16_t steps,
                               uint16_t base)
{
    std::vector<uint8_t> info(SimFirmware::kInfoBlockSize, 0);
    info[0] = 0xAA;
    info[1] = 0x55;
    info[2] = 0x01; // firmware bytes the host does not interpret
    info[3] = 0x02;
    info[5] = keySlots;
    info[6] = macroUnits;
    info[7] = 15;
    info[9] = static_cast<uint8_t>(sensor & 0xFF);
    info[10] = static_cast<uint8_t>(sensor >> 8);
    info[11] = step;
    info[12] = static_cast<uint8_t>(steps & 0xFF);
    info[13] = static_cast<uint8_t>(steps >> 8);
    info[14] = static_cast<uint8_t>(base & 0xFF);
    info[15] = static_cast<uint8_t>(base >> 8);
    return info;
}

// Three-byte key codes written as 0xTTHHLL.
std::vector<uint8_t> KeyCodes(std::initializer_list<uint32_t> codes)
{
    std::vector<uint8_t> bytes;
    for (uint32_t code : codes) {
        bytes.push_back(static_cast<uint8_t>(code >> 16));
        bytes.push_back(static_cast<uint8_t>(code >> 8));
        bytes.push_back(static_cast<uint8_t>(code));
    }
    return bytes;
}

// A mouse settings record: static white light, report rate code 3, stage 1 of 4 enabled stages.
std::vector<uint8_t> MouseRecord(uint8_t profile)
{
    std::vector<uint8_t> record(kMouseRecordSize, 0);
    record[0] = profile;
    record[1] = 3;   // lighting mode
    record[2] = 4;   // brightness
    record[3] = 2;   // 4 - speed
    record[5] = 0;   // multicolour
    record[6] = record[7] = record[8] = 0xFF;
    record[11] = 3;  // report rate code
    record[12] = 1;  // current DPI stage
    const uint16_t stageIndexes[4] = {15, 31, 63, 127};
    for (int i = 0; i < 4; ++i) {
        uint8_t* stage = &record[14 + 9 * i];
        stage[0] = 1;
        stage[2] = stage[4] = static_cast<uint8_t>(stageIndexes[i] & 0xFF);
        stage[3] = stage[5] = static_cast<uint8_t>(stageIndexes[i] >> 8);
        stage[6] = static_cast<uint8_t>(0x40 * i);
        stage[7] = 0x80;
        stage[8] = 0xFF;
    }
    record[79] = record[80] = 10; // device sleep times, minutes
    return record;
}

} // namespace

SimMemoryLayout SimFirmware::MouseLayout()
{
    SimMemoryLayout layout;
    layout.infoBlock = MakeInfoBlock(11, 16, 0x3395, 50, 520, 50);
    layout.keyBlock = KeyCodes({0x100100, 0x100200, 0x100400, 0x101000, 0x100800, 0x130100, 0x130200, 0x130300,
                                0xA01B00, 0x169001, 0x147802});
    layout.profileRegion.assign(kMouseProfiles * kMouseRecordStride, 0);
    for (int p = 0; p < kMouseProfiles; ++p) {
        const auto record = MouseRecord(static_cast<uint8_t>(p));
        std::copy(record.begin(), record.end(), layout.profileRegion.begin() + p * kMouseRecordStride);
    }
    layout.powerStatus = {80, 0};
    // Four recoil patterns of 30 shots (180 events each) take 2920 bytes.
    layout.patternMemorySize = 4096;
    return layout;
}

SimMemoryLayout SimFirmware::MousePadLayout()
{
    SimMemoryLayout layout;
    layout.infoBlock = MakeInfoBlock(0, 0, 0, 0, 0, 0);
    // Lighting record of profile 0: static white light at full brightness, speed 2.
    layout.profileRegion.assign(1024, 0);
    const uint8_t record[] = {0, 3, 4, 2, 0, 0, 0xFF, 0xFF, 0xFF};
    std::copy(std::begin(record), std::end(record), layout.profileRegion.begin());
    return layout;
}

SimMemoryLayout SimFirmware::KeyboardLayout()
{
    // Factory codes of keys 0-125; a bare usage u is the key code 20 00 u.
    const uint8_t usages1To15[] = {0x3A, 0x3B, 0x3C, 0x3D, 0x3E, 0x3F, 0x40, 0x41, 0x42, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48};
    std::vector<uint32_t> codes = {0x29};
    for (uint8_t u : usages1To15)
        codes.push_back(u);
    auto append = [&codes](std::initializer_list<uint32_t> more) { codes.insert(codes.end(), more); };
    append({0xA01B00, 0xA02400, 0x200000, 0x200000, 0x200000, 0x35});
    append({0x1E, 0x1F, 0x20, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27});
    append({0x2D, 0x2E, 0x2A, 0x49, 0x4A, 0x4B, 0x53, 0x54, 0x55, 0x56});
    append({0x2B, 0x14, 0x1A, 0x08, 0x15, 0x17, 0x1C, 0x18, 0x0C, 0x12,
            0x13, 0x2F, 0x30, 0x31, 0x4C, 0x4D, 0x4E, 0x5F, 0x60, 0x61});
    append({0x32, 0x39, 0x04, 0x16, 0x07, 0x09, 0x0A, 0x0B, 0x0D, 0x0E, 0x0F,
            0x33, 0x34, 0x28, 0x5C, 0x5D, 0x5E, 0x8A, 0x8B, 0x90, 0x91, 0x88});
    append({0x200200, 0x1D, 0x1B, 0x06, 0x19, 0x05, 0x11, 0x10, 0x36, 0x37, 0x38, 0x202000});
    append({0x52, 0x59, 0x5A, 0x5B, 0x87, 0x89, 0x64, 0x85, 0x200000, 0x200100, 0x200800, 0x200400});
    append({0x2C, 0x204000, 0xA00100, 0x65, 0x201000, 0x50, 0x51, 0x4F, 0x62, 0x63, 0x58, 0x57});
    append({0xD0A201, 0xD0A202, 0xD0A203, 0xD0A204, 0xD0A205, 0x208000});

    SimMemoryLayout layout;
    layout.infoBlock = MakeInfoBlock(static_cast<uint8_t>(codes.size()), 16, 0, 0, 0, 0);
    for (uint32_t code : codes) {
        const uint32_t full = code <= 0xFF ? 0x200000 | code : code;
        const auto bytes = KeyCodes({full});
        layout.keyBlock.insert(layout.keyBlock.end(), bytes.begin(), bytes.end());
        layout.lightIndexBlock.push_back(full == 0x200000 ? 0xFF : static_cast<uint8_t>(layout.lightIndexBlock.size()));
    }
    layout.profileRegion.assign(1024, 0);
    layout.powerStatus = {100, 0, 0, 0, 0, 0};
    return layout;
}

SimMemoryLayout SimFirmware::HeadsetLayout()
{
    SimMemoryLayout layout;
    layout.infoBlock = MakeInfoBlock(0, 0, 0, 0, 0, 0);
    layout.profileRegion.assign(256, 0);
    return layout;
}

SimFirmware::SimFirmware(SimMemoryLayout layout)
    : m_info(std::move(layout.infoBlock)),
      m_keys(std::move(layout.keyBlock)),
      m_lightIndex(std::move(layout.lightIndexBlock)),
      m_profiles(std::move(layout.profileRegion)),
      m_patterns(layout.patternMemorySize, 0),
      m_indexed(layout.indexedRegionSize, 0),
      m_lightStream(layout.lightStreamSize, 0),
      m_power(std::move(layout.powerStatus))
{
    m_info.resize(kInfoBlockSize, 0);
    m_keys.resize(kKeyRegionSize, 0);
    m_macros.assign(static_cast<size_t>(m_info[6]) * 128, 0);
}

SimFirmware::Answer SimFirmware::Handle(const std::vector<uint8_t>& request, bool linked)
{
    bool committed = false;
    std::function<void()> listener;
    Answer answer;
    {
        std::lock_guard guard(m_lock);
        answer = HandleLocked(request, linked, committed);
        if (committed)
            listener = m_commitListener;
    }
    if (listener)
        listener();
    return answer;
}

SimFirmware::Answer SimFirmware::HandleLocked(const std::vector<uint8_t>& request, bool linked, bool& committed)
{
    std::vector<uint8_t> in(request);
    in.resize(kPacketSize, 0);
    m_requests.push_back(in);
    const std::optional<SimFault> fault = TakeFault();
    if (fault == SimFault::Unplug)
        return {std::nullopt, true};
    if (fault == SimFault::Silence)
        return {};

    std::vector<uint8_t> out(kPacketSize, 0);
    out[kReportIdByte] = kReportId;
    for (size_t i = kCommandByte; i <= kOffsetHighByte; ++i)
        out[i] = in[i];
    if (!linked) {
        out[kCommandByte] = kNotLinkedEcho;
        return {out, false};
    }
    const uint8_t code = in[kCommandByte];
    const auto offset = static_cast<uint16_t>(in[kOffsetLowByte] | (in[kOffsetHighByte] << 8));
    out[kStatusByte] = ChecksumMatches(in) ? Execute(code, in[kLengthByte], offset, &in[kDataByte], &out[kDataByte])
                                           : kStatusFailed;
    if (code == 0x02 && out[kStatusByte] == kStatusOk && m_flashChanges != m_flashChangesAtCommit) {
        m_flashChangesAtCommit = m_flashChanges;
        committed = true;
    }
    if (fault == SimFault::StatusFF)
        out[kStatusByte] = 0xFF;
    else if (fault == SimFault::StatusFE)
        out[kStatusByte] = 0xFE;
    else if (fault == SimFault::CrossedEcho)
        out[kCommandByte] ^= kCrossedEchoBits;
    return {out, false};
}

uint8_t SimFirmware::Execute(uint8_t code, uint8_t length, uint16_t offset, const uint8_t* in, uint8_t* out)
{
    switch (code) {
    case 0x01: m_configMode = true; return kStatusOk;
    case 0x02: m_configMode = false; return kStatusOk;
    case 0x1C: m_hostLighting = true; return kStatusOk;
    case 0xAA: out[0] = kLinkedMark; return kStatusOk;
    default: break;
    }
    if (length > kMaxData)
        return kStatusFailed;
    // A successful write to a flash region counts as a change to keep.
    auto flash = [this](uint8_t status) {
        m_flashChanges += status == kStatusOk;
        return status;
    };
    switch (code) {
    case 0x03: return ReadSpan(m_info, offset, length, out);
    case 0x04: return flash(WriteSpan(m_info, offset, length, in));
    case 0x05: return ReadSpan(m_profiles, offset, length, out);
    case 0x06: return flash(WriteSpan(m_profiles, offset, length, in));
    case 0x07: return ReadSpan(m_keys, offset, length, out);
    case 0x09: return flash(WriteSpan(m_keys, offset, length, in));
    case 0x0A: return ReadSpan(m_indexed, offset, length, out);
    case 0x0B: return flash(WriteSpan(m_indexed, offset, length, in));
    case 0x12: return WriteSpan(m_lightStream, offset, length, in);
    case 0x15: return flash(WriteSpan(m_macros, offset, length, in));
    case 0x17: return flash(WriteSpan(m_patterns, offset, length, in));
    case 0x1A: return ReadSpan(m_power, offset, length, out);
    case 0x1B: return ReadSpan(m_lightIndex, offset, length, out);
    default: return kStatusFailed;
    }
}

bool SimFirmware::ChecksumMatches(const std::vector<uint8_t>& request)
{
    unsigned int sum = 0;
    for (size_t i = kCommandByte; i < kPacketSize; ++i)
        sum += request[i];
    return request[kChecksumLowByte] == (sum & 0xFF) && request[kChecksumHighByte] == ((sum >> 8) & 0xFF);
}

uint8_t SimFirmware::ReadSpan(const std::vector<uint8_t>& region, size_t offset, size_t length, uint8_t* out)
{
    if (offset + length > region.size())
        return kStatusFailed;
    std::memcpy(out, region.data() + offset, length);
    return kStatusOk;
}

uint8_t SimFirmware::WriteSpan(std::vector<uint8_t>& region, size_t offset, size_t length, const uint8_t* in)
{
    if (offset + length > region.size())
        return kStatusFailed;
    std::memcpy(region.data() + offset, in, length);
    return kStatusOk;
}

std::optional<SimFault> SimFirmware::TakeFault()
{
    if (m_faults.empty())
        return std::nullopt;
    PendingFault& next = m_faults.front();
    if (next.skip > 0) {
        --next.skip;
        return std::nullopt;
    }
    const SimFault fault = next.fault;
    if (--next.count <= 0)
        m_faults.pop_front();
    return fault;
}

void SimFirmware::ScheduleFault(SimFault fault, int skip, int count)
{
    std::lock_guard guard(m_lock);
    m_faults.push_back({fault, std::max(skip, 0), std::max(count, 1)});
}

void SimFirmware::ClearFaults()
{
    std::lock_guard guard(m_lock);
    m_faults.clear();
}

void SimFirmware::SetLatencyMs(int milliseconds)
{
    std::lock_guard guard(m_lock);
    m_latencyMs = std::max(milliseconds, 0);
}

int SimFirmware::LatencyMs() const
{
    std::lock_guard guard(m_lock);
    return m_latencyMs;
}

std::vector<std::vector<uint8_t>> SimFirmware::Requests() const
{
    std::lock_guard guard(m_lock);
    return m_requests;
}

void SimFirmware::ClearRequests()
{
    std::lock_guard guard(m_lock);
    m_requests.clear();
}

bool SimFirmware::InConfigMode() const
{
    std::lock_guard guard(m_lock);
    return m_configMode;
}

bool SimFirmware::HostLighting() const
{
    std::lock_guard guard(m_lock);
    return m_hostLighting;
}

std::vector<uint8_t> SimFirmware::InfoBlock() const
{
    std::lock_guard guard(m_lock);
    return m_info;
}

void SimFirmware::SetInfoBlock(const std::vector<uint8_t>& block)
{
    std::lock_guard guard(m_lock);
    m_info = block;
    m_info.resize(kInfoBlockSize, 0);
    ++m_flashChanges;
}

std::vector<uint8_t> SimFirmware::KeyBlock() const
{
    std::lock_guard guard(m_lock);
    return m_keys;
}

std::vector<uint8_t> SimFirmware::ProfileRegion() const
{
    std::lock_guard guard(m_lock);
    return m_profiles;
}

void SimFirmware::WriteProfileRegion(size_t offset, const std::vector<uint8_t>& bytes)
{
    std::lock_guard guard(m_lock);
    if (WriteSpan(m_profiles, offset, bytes.size(), bytes.data()) == kStatusOk)
        ++m_flashChanges;
}

std::vector<uint8_t> SimFirmware::MacroMemory() const
{
    std::lock_guard guard(m_lock);
    return m_macros;
}

std::vector<uint8_t> SimFirmware::PatternMemory() const
{
    std::lock_guard guard(m_lock);
    return m_patterns;
}

std::vector<uint8_t> SimFirmware::IndexedRegion() const
{
    std::lock_guard guard(m_lock);
    return m_indexed;
}

std::vector<uint8_t> SimFirmware::LightStream() const
{
    std::lock_guard guard(m_lock);
    return m_lightStream;
}

std::vector<uint8_t> SimFirmware::PowerStatus() const
{
    std::lock_guard guard(m_lock);
    return m_power;
}

void SimFirmware::SetPowerStatus(const std::vector<uint8_t>& status)
{
    std::lock_guard guard(m_lock);
    m_power = status;
}

template <typename Self>
auto SimFirmware::RegionBytes(Self& self, SimRegion region) -> decltype(&self.m_info)
{
    switch (region) {
    case SimRegion::InfoBlock: return &self.m_info;
    case SimRegion::KeyBlock: return &self.m_keys;
    case SimRegion::LightIndexBlock: return &self.m_lightIndex;
    case SimRegion::ProfileRegion: return &self.m_profiles;
    case SimRegion::MacroMemory: return &self.m_macros;
    case SimRegion::PatternMemory: return &self.m_patterns;
    case SimRegion::IndexedRegion: return &self.m_indexed;
    }
    return nullptr;
}

std::vector<uint8_t> SimFirmware::Region(SimRegion region) const
{
    std::lock_guard guard(m_lock);
    const std::vector<uint8_t>* bytes = RegionBytes(*this, region);
    return bytes ? *bytes : std::vector<uint8_t>();
}

bool SimFirmware::RestoreRegion(SimRegion region, const std::vector<uint8_t>& bytes)
{
    std::lock_guard guard(m_lock);
    std::vector<uint8_t>* target = RegionBytes(*this, region);
    if (!target || target->size() != bytes.size())
        return false;
    *target = bytes;
    return true;
}

uint64_t SimFirmware::FlashChanges() const
{
    std::lock_guard guard(m_lock);
    return m_flashChanges;
}

void SimFirmware::SetCommitListener(std::function<void()> listener)
{
    std::lock_guard guard(m_lock);
    m_commitListener = std::move(listener);
}
