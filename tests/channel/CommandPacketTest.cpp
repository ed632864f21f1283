#include "channel/CommandPacket.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<uint8_t> Head(const CommandPacket& packet)
{
    return std::vector<uint8_t>(packet.Bytes(), packet.Bytes() + 8);
}

TEST(CommandPacket, RequestsCarryTheirChecksum)
{
    const std::vector<uint8_t> ffData(56, 0xFF);
    const struct {
        CommandPacket packet;
        std::vector<uint8_t> head;
    } cases[] = {
        {CommandPacket::Request(0x01), {0x04, 0x01, 0x00, 0x01, 0, 0, 0, 0}},
        {CommandPacket::Request(0x03, 0x18, 0), {0x04, 0x1B, 0x00, 0x03, 0x18, 0, 0, 0}},
        {CommandPacket::Request(0x09, 56, 56, ffData.data(), ffData.size()), {0x04, 0x41, 0x38, 0x09, 0x38, 0x38, 0, 0}},
        {CommandPacket::Request(0x06, 2, 0x0180, ffData.data(), 2), {0x04, 0x87, 0x02, 0x06, 0x02, 0x80, 0x01, 0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Head(c.packet), c.head) << "command " << int(c.packet.command);

    const CommandPacket enter = CommandPacket::Request(0x01);
    for (size_t i = 8; i < kCommandPacketSize; ++i)
        EXPECT_EQ(enter.Bytes()[i], 0) << i;
}

} // namespace
