#include "platform/BusFrame.h"

#include <cstring>

namespace platform {

namespace {

// All integers little-endian, as the machine writes them.
#pragma pack(push, 1)
struct FrameHeader {
    char magic[4];       // "QVMB"
    uint8_t version;     // 1
    uint8_t flags;       // bit 0: a copy-data record follows
    uint8_t messageLength; // bytes of the registered string after the header
    uint8_t reserved;    // 0
    uint64_t wParam;
    int64_t lParam;
    uint32_t dataId;     // copy-data dwData
    uint32_t dataLength; // bytes of copy-data after the string
};
#pragma pack(pop)
static_assert(sizeof(FrameHeader) == 32);

constexpr char kMagic[4] = {'Q', 'V', 'M', 'B'};
constexpr uint8_t kVersion = 1;
constexpr uint8_t kHasData = 0x01;

} // namespace

std::string BusFrame::Pack() const
{
    if (message.empty() || message.size() > kMaxMessageLength)
        return {};
    if (sizeof(FrameHeader) + message.size() + data.size() > kMaxFrameSize)
        return {};
    FrameHeader header {};
    std::memcpy(header.magic, kMagic, 4);
    header.version = kVersion;
    header.flags = hasData ? kHasData : 0;
    header.messageLength = static_cast<uint8_t>(message.size());
    header.wParam = wParam;
    header.lParam = lParam;
    header.dataId = dataId;
    header.dataLength = hasData ? static_cast<uint32_t>(data.size()) : 0;
    std::string bytes(reinterpret_cast<const char*>(&header), sizeof header);
    bytes += message;
    if (hasData)
        bytes += data;
    return bytes;
}

std::optional<BusFrame> BusFrame::Unpack(const std::string& bytes)
{
    if (bytes.size() < sizeof(FrameHeader) || bytes.size() > kMaxFrameSize)
        return std::nullopt;
    FrameHeader header;
    std::memcpy(&header, bytes.data(), sizeof header);
    if (std::memcmp(header.magic, kMagic, 4) != 0 || header.version != kVersion || header.messageLength == 0)
        return std::nullopt;
    size_t expected = sizeof header + header.messageLength + static_cast<size_t>(header.dataLength);
    if (expected != bytes.size() || (!(header.flags & kHasData) && header.dataLength != 0))
        return std::nullopt;
    BusFrame frame;
    frame.message = bytes.substr(sizeof header, header.messageLength);
    frame.wParam = header.wParam;
    frame.lParam = header.lParam;
    frame.hasData = (header.flags & kHasData) != 0;
    frame.dataId = header.dataId;
    frame.data = bytes.substr(sizeof header + header.messageLength);
    return frame;
}

} // namespace platform
