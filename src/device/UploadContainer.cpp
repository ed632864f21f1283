#include "device/UploadContainer.h"


namespace {

constexpr uint8_t kDownBit = 0x80;
constexpr uint8_t kTypeBits = 0x7F;

template <typename Record>
void Append(std::vector<uint8_t>& bytes, const Record& record)
{
    const auto* begin = reinterpret_cast<const uint8_t*>(&record);
    bytes.insert(bytes.end(), begin, begin + sizeof record);
}

} // namespace

size_t UploadContainer::TotalLength(const std::vector<Entry>& entries)
{
    size_t length = sizeof(Header);
    for (const Entry& entry : entries)
        length += sizeof(uint16_t) + sizeof(EntryHeader) + entry.size() * sizeof(Event);
    return length;
}

std::vector<uint8_t> UploadContainer::Build(const std::vector<Entry>& entries)
{
    const size_t total = TotalLength(entries);
    if (total > kMaxLength)
        return {};
    Header header;
    header.totalLength = static_cast<uint16_t>(total);
    header.entryCount = static_cast<uint16_t>(entries.size());
    std::vector<uint8_t> bytes;
    bytes.reserve(total);
    Append(bytes, header);

    size_t offset = sizeof(Header) + entries.size() * sizeof(uint16_t);
    for (const Entry& entry : entries) {
        Append(bytes, static_cast<uint16_t>(offset));
        offset += sizeof(EntryHeader) + entry.size() * sizeof(Event);
    }
    for (const Entry& entry : entries) {
        EntryHeader entryHeader;
        entryHeader.eventCount = static_cast<uint16_t>(entry.size());
        Append(bytes, entryHeader);
        for (const MacroEvent& step : entry) {
            Event event;
            event.delay = step.delay;
            event.typeAndAction = static_cast<uint8_t>((static_cast<uint8_t>(step.type) & kTypeBits) | (step.down ? kDownBit : 0));
            event.button = step.button;
            Append(bytes, event);
        }
    }
    return bytes;
}
