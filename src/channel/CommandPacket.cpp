#include "channel/CommandPacket.h"

#include <algorithm>
#include <cstring>

CommandPacket CommandPacket::Request(uint8_t code, uint8_t length, uint16_t offset, const uint8_t* bytes,
                                     size_t byteCount)
{
    CommandPacket packet;
    packet.command = code;
    packet.length = length;
    packet.offsetLow = static_cast<uint8_t>(offset & 0xFF);
    packet.offsetHigh = static_cast<uint8_t>(offset >> 8);
    if (bytes)
        std::memcpy(packet.data, bytes, std::min(byteCount, kCommandDataSize));
    packet.UpdateChecksum();
    return packet;
}

uint16_t CommandPacket::ComputeChecksum() const
{
    unsigned int sum = 0;
    for (size_t i = 3; i < kCommandPacketSize; ++i)
        sum += Bytes()[i];
    return static_cast<uint16_t>(sum);
}

void CommandPacket::UpdateChecksum()
{
    const uint16_t sum = ComputeChecksum();
    checksumLow = static_cast<uint8_t>(sum & 0xFF);
    checksumHigh = static_cast<uint8_t>(sum >> 8);
}
