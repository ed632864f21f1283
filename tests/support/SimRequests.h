#pragma once

// What the simulated mouse's firmware received, in the shape the device tests compare: one
// record per request, the receiver's link tests left out.

#include "channel/CommandPacket.h"
#include "sim/SimFirmware.h"

#include <ostream>
#include <vector>

namespace testsupport {

struct Request {
    int code;
    int length;
    int offset;
    bool operator==(const Request&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Request& r)
{
    return out << "{0x" << std::hex << r.code << std::dec << ", " << r.length << ", " << r.offset << "}";
}

// Byte 3 is the command, byte 4 the length, bytes 5-6 the offset (low byte first).
inline std::vector<Request> RequestsWithoutLinkTests(const SimFirmware& firmware)
{
    std::vector<Request> requests;
    for (const std::vector<uint8_t>& r : firmware.Requests()) {
        if (r[3] != kCmdLinkTest)
            requests.push_back({r[3], r[4], r[5] | r[6] << 8});
    }
    return requests;
}

} // namespace testsupport
