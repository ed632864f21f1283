#pragma once

#include <cstddef>
#include <cstdint>

// Command codes of the configuration protocol.
enum CommandCode : uint8_t {
    kCmdEnterConfigMode = 0x01,
    kCmdLeaveConfigMode = 0x02,
    kCmdReadInfoBlock = 0x03,
    kCmdWriteInfoBlock = 0x04,
    kCmdReadRegion = 0x05,
    kCmdWriteRegion = 0x06,
    kCmdReadKeyBlock = 0x07,
    kCmdWriteKeyBlock = 0x09,
    kCmdReadIndexedRegion = 0x0A,
    kCmdWriteIndexedRegion = 0x0B,
    kCmdStreamLighting = 0x12,
    kCmdWriteMacroData = 0x15,
    kCmdWritePatternData = 0x17,
    kCmdReadShortSpan = 0x1A,
    kCmdReadLightIndexBlock = 0x1B,
    kCmdHostLighting = 0x1C,
    kCmdLinkTest = 0xAA,
};

constexpr uint8_t kCommandReportId = 0x04;
constexpr uint8_t kNotLinkedEcho = 0xAA; // byte 3 of a receiver's answer while its device is away
constexpr uint8_t kStatusFailedFF = 0xFF;
constexpr uint8_t kStatusFailedFE = 0xFE;
constexpr size_t kCommandPacketSize = 64;
constexpr size_t kCommandDataSize = 56;

// One 64-byte report of the command interface, request and response alike.
#pragma pack(push, 1)
struct CommandPacket {
    uint8_t reportId = kCommandReportId; // 0: report id
    uint8_t checksumLow = 0;             // 1: bits 0-7 of the sum of bytes 3..63 (requests)
    uint8_t checksumHigh = 0;            // 2: bits 8-15 of that sum
    uint8_t command = 0;                 // 3: command code; echoed by the device
    uint8_t length = 0;                  // 4: data bytes in this packet, or a command parameter
    uint8_t offsetLow = 0;               // 5: offset in the device region, low byte
    uint8_t offsetHigh = 0;              // 6: offset, high byte
    uint8_t status = 0;                  // 7: 0 in requests; 0xFF or 0xFE in a response is a failure
    uint8_t data[kCommandDataSize] = {}; // 8..63: data

    // A request: code, length, offset and up to 56 data bytes, with its checksum.
    static CommandPacket Request(uint8_t code, uint8_t length = 0, uint16_t offset = 0,
                                 const uint8_t* bytes = nullptr, size_t byteCount = 0);
    // The sum of bytes 3..63.
    uint16_t ComputeChecksum() const;
    void UpdateChecksum();
    uint16_t Offset() const { return static_cast<uint16_t>(offsetLow | (offsetHigh << 8)); }

    const uint8_t* Bytes() const { return reinterpret_cast<const uint8_t*>(this); }
    uint8_t* Bytes() { return reinterpret_cast<uint8_t*>(this); }
};
#pragma pack(pop)
static_assert(sizeof(CommandPacket) == kCommandPacketSize, "a command packet is one 64-byte report");
