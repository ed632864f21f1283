#include "sim/SimFlashFile.h"

#include "platform/AtomicFile.h"
#include "platform/DebugOutput.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

// Sections: the file format, loading, saving.

namespace {

#pragma pack(push, 1)
// The file starts with this header; all numbers little-endian.
struct FlashFileHeader {
    char magic[8];         // "QV742SIM"
    uint16_t version;      // kFlashFileVersion
    uint16_t recordCount;  // records that follow
    uint32_t payloadBytes; // bytes after the header
    uint32_t crc;          // CRC-32 of those bytes
};
// Each record: this header, then `length` bytes of the region.
struct FlashRecordHeader {
    char product[16];   // "mouse", "pad", "headset", "keyboard"; zero-padded
    uint8_t region;     // a SimRegion number
    uint8_t reserved[3];
    uint32_t length;
};
#pragma pack(pop)
static_assert(sizeof(FlashFileHeader) == 20);
static_assert(sizeof(FlashRecordHeader) == 24);

constexpr char kMagic[8] = {'Q', 'V', '7', '4', '2', 'S', 'I', 'M'};
constexpr uint16_t kFlashFileVersion = 1;
constexpr size_t kMaxFileBytes = 4 * 1024 * 1024;

uint32_t Crc32(const char* data, size_t length)
{
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < length; ++i) {
        crc ^= static_cast<uint8_t>(data[i]);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

bool IsKnownRegion(uint8_t region)
{
    return std::any_of(std::begin(kSimFlashRegions), std::end(kSimFlashRegions),
                       [region](SimRegion known) { return static_cast<uint8_t>(known) == region; });
}

} // namespace

SimFlashFile::SimFlashFile(std::string path) : m_path(std::move(path)) {}

SimFlashFile::~SimFlashFile()
{
    {
        std::lock_guard guard(m_lock);
        for (Entry& entry : m_entries)
            entry.firmware->SetCommitListener(nullptr);
    }
    {
        std::lock_guard guard(m_saverLock);
        m_stopping = true;
    }
    m_saverWake.notify_all();
    if (m_saver.joinable())
        m_saver.join();
}

void SimFlashFile::Add(const std::string& product, std::shared_ptr<SimFirmware> firmware)
{
    firmware->SetCommitListener([weak = weak_from_this()] {
        if (const auto self = weak.lock())
            self->RequestSave();
    });
    std::lock_guard guard(m_lock);
    m_entries.push_back({product.substr(0, sizeof(FlashRecordHeader::product) - 1), std::move(firmware), 0});
}

SimFlashFile::LoadResult SimFlashFile::Load()
{
    namespace fs = std::filesystem;
    std::lock_guard guard(m_lock);
    std::error_code error;
    const fs::file_status status = fs::symlink_status(m_path, error);
    if (!fs::exists(status)) {
        m_loaded = true;
        return LoadResult::Missing;
    }
    std::string bytes;
    // A link could lead out of the user's folder: it is not followed, and counts as unusable.
    if (fs::is_regular_file(status) && fs::file_size(m_path, error) <= kMaxFileBytes) {
        std::ifstream in(m_path, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::vector<Record> records;
    if (!Parse(bytes, records)) {
        m_loaded = !platform::AtomicFile::KeepAside(m_path).empty();
        platform::DebugOutput("simulated devices: their state file cannot be read; they start from the factory");
        return LoadResult::Damaged;
    }
    for (Record& record : records) {
        auto owner = std::find_if(m_entries.begin(), m_entries.end(),
                                  [&](const Entry& entry) { return entry.product == record.product; });
        const bool restored = owner != m_entries.end() && IsKnownRegion(record.region) &&
                              owner->firmware->RestoreRegion(static_cast<SimRegion>(record.region), record.bytes);
        if (!restored && (owner == m_entries.end() || !IsKnownRegion(record.region)))
            m_foreign.push_back(std::move(record));
    }
    for (Entry& entry : m_entries)
        entry.savedChanges = entry.firmware->FlashChanges();
    m_loaded = true;
    return LoadResult::Loaded;
}

bool SimFlashFile::Parse(const std::string& bytes, std::vector<Record>& records) const
{
    FlashFileHeader header;
    if (bytes.size() < sizeof header)
        return false;
    std::memcpy(&header, bytes.data(), sizeof header);
    const char* payload = bytes.data() + sizeof header;
    const size_t payloadBytes = bytes.size() - sizeof header;
    if (std::memcmp(header.magic, kMagic, sizeof kMagic) != 0 || header.version != kFlashFileVersion ||
        header.payloadBytes != payloadBytes || header.crc != Crc32(payload, payloadBytes))
        return false;
    size_t at = 0;
    for (uint16_t i = 0; i < header.recordCount; ++i) {
        FlashRecordHeader record;
        if (payloadBytes - at < sizeof record)
            return false;
        std::memcpy(&record, payload + at, sizeof record);
        at += sizeof record;
        if (payloadBytes - at < record.length)
            return false;
        Record parsed;
        parsed.product.assign(record.product, strnlen(record.product, sizeof record.product));
        parsed.region = record.region;
        parsed.bytes.assign(payload + at, payload + at + record.length);
        at += record.length;
        records.push_back(std::move(parsed));
    }
    return at == payloadBytes;
}

bool SimFlashFile::Save()
{
    std::lock_guard guard(m_lock);
    // Never over a file that could neither be read nor kept aside.
    if (!m_loaded || !Changed())
        return true;
    std::vector<uint64_t> changes;
    for (const Entry& entry : m_entries)
        changes.push_back(entry.firmware->FlashChanges());
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(m_path).parent_path(), error);
    if (!platform::AtomicFile::WriteWhole(m_path, Serialise(CurrentRecords())))
        return false;
    for (size_t i = 0; i < m_entries.size(); ++i)
        m_entries[i].savedChanges = changes[i];
    return true;
}

void SimFlashFile::RequestSave()
{
    std::lock_guard guard(m_saverLock);
    m_saveAsked = true;
    if (!m_saver.joinable())
        m_saver = std::thread([this] { SaveWhenAsked(); });
    m_saverWake.notify_all();
}

void SimFlashFile::SaveWhenAsked()
{
    std::unique_lock guard(m_saverLock);
    for (;;) {
        m_saverWake.wait(guard, [this] { return m_saveAsked || m_stopping; });
        if (!m_saveAsked)
            return;
        m_saveAsked = false;
        m_saving = true;
        guard.unlock();
        Save();
        guard.lock();
        m_saving = false;
        m_saverWake.notify_all();
    }
}

void SimFlashFile::WaitForPendingSaves()
{
    std::unique_lock guard(m_saverLock);
    m_saverWake.wait(guard, [this] { return (!m_saveAsked && !m_saving) || !m_saver.joinable(); });
}

bool SimFlashFile::Changed() const
{
    return std::any_of(m_entries.begin(), m_entries.end(),
                       [](const Entry& entry) { return entry.firmware->FlashChanges() != entry.savedChanges; });
}

std::vector<SimFlashFile::Record> SimFlashFile::CurrentRecords() const
{
    std::vector<Record> records;
    for (const Entry& entry : m_entries) {
        for (SimRegion region : kSimFlashRegions)
            records.push_back({entry.product, static_cast<uint8_t>(region), entry.firmware->Region(region)});
    }
    records.insert(records.end(), m_foreign.begin(), m_foreign.end());
    return records;
}

std::string SimFlashFile::Serialise(const std::vector<Record>& records) const
{
    std::string payload;
    for (const Record& record : records) {
        FlashRecordHeader header{};
        std::memcpy(header.product, record.product.data(), std::min(record.product.size(), sizeof header.product - 1));
        header.region = record.region;
        header.length = static_cast<uint32_t>(record.bytes.size());
        payload.append(reinterpret_cast<const char*>(&header), sizeof header);
        payload.append(record.bytes.begin(), record.bytes.end());
    }
    FlashFileHeader header{};
    std::memcpy(header.magic, kMagic, sizeof kMagic);
    header.version = kFlashFileVersion;
    header.recordCount = static_cast<uint16_t>(records.size());
    header.payloadBytes = static_cast<uint32_t>(payload.size());
    header.crc = Crc32(payload.data(), payload.size());
    return std::string(reinterpret_cast<const char*>(&header), sizeof header) + payload;
}
