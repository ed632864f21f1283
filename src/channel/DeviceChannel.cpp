#include "channel/DeviceChannel.h"

#include "platform/DebugOutput.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

// Sections: construction and mode, transactions, command operations.

namespace {

constexpr int kPauseBeforeReadMs = 10;
constexpr int kPauseBeforeLeaveMs = 10;
constexpr int kWiredTimeoutMs = 1000;
constexpr int kReceiverTimeoutMs = 5000;
constexpr int kReceiverQuickTimeoutMs = 500;
constexpr uint32_t kKeyBlockPageSize = 512;

// Writes a title line and the 64 packet bytes as two lines of 32 to the debug output.
void TracePacket(const char* title, const uint8_t* packet)
{
    if (!platform::DebugOutputEnabled())
        return;
    platform::DebugOutput(title);
    for (int half = 0; half < 2; ++half) {
        const uint8_t* b = packet + half * 32;
        std::string line;
        char text[8];
        for (int i = 0; i < 32; ++i) {
            std::snprintf(text, sizeof text, "%02x", b[i]);
            if (i > 0)
                line += i % 4 ? " " : (i < 16 ? "   " : "  ");
            line += text;
        }
        platform::DebugOutput(line);
    }
}

void SleepFor(int milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

} // namespace

DeviceChannel::DeviceChannel(std::shared_ptr<HidBackend> backend)
    : m_wired(backend), m_receiver(backend), m_sleep(SleepFor)
{
}

DeviceChannel::~DeviceChannel()
{
    m_wired.Close();
    m_receiver.Close();
}

void DeviceChannel::SetMode(int mode)
{
    const bool receiver = mode == 2;
    m_dongleMode = receiver ? 1 : 0;
    m_chunkSize = receiver ? kReceiverChunk : kWiredChunk;
}

int DeviceChannel::SetBlockLength(int n)
{
    if (n > kMaxBlockLength || n < 0)
        return kChannelFailed;
    m_blockLength = static_cast<uint16_t>(n);
    return kChannelOk;
}

int DeviceChannel::Transact(const uint8_t* request, size_t requestLength, uint8_t* response, size_t responseLength,
                            size_t& received)
{
    if (m_suspended)
        return kChannelOk;
    return RunTransaction(request, requestLength, received, [&](const uint8_t* packet) {
        TracePacket("命令", packet);
        return ExchangeFull(packet, response, responseLength, received);
    });
}

int DeviceChannel::TransactQuick(const uint8_t* request, size_t requestLength, uint8_t* response,
                                 size_t responseLength, size_t& received)
{
    return RunTransaction(request, requestLength, received, [&](const uint8_t* packet) {
        return ExchangeQuick(packet, response, responseLength, received);
    });
}

int DeviceChannel::RunTransaction(const uint8_t* request, size_t requestLength, size_t& received,
                                  const std::function<int(const uint8_t* packet)>& exchange)
{
    m_busy = 1;
    received = 0;
    int result = kChannelFailed;
    if (m_open && !m_refused) {
        uint8_t packet[kCommandPacketSize] = {};
        std::memcpy(packet, request, std::min(requestLength, kCommandPacketSize));
        result = exchange(packet);
    }
    m_busy = 0;
    return result;
}

int DeviceChannel::ExchangeFull(const uint8_t* packet, uint8_t* response, size_t responseLength, size_t& received)
{
    const int timeoutMs = IsReceiverMode() ? kReceiverTimeoutMs : kWiredTimeoutMs;
    bool readOk = false;
    // A crossed or missing answer sends the request once more; after that the read stands.
    for (int attempt = 0; attempt < 2; ++attempt) {
        // Stale reports go first on either connection: a late answer to an earlier request
        // would otherwise pass for this one.
        if (!WritePacket(packet, timeoutMs, true))
            return kChannelWriteFailed;
        std::lock_guard io(m_ioLock);
        m_sleep(kPauseBeforeReadMs);
        const Echo echo = ReadResponse(packet, response, responseLength, received, timeoutMs, readOk);
        if (echo == Echo::NotLinked)
            return kChannelNotLinked;
        if (echo == Echo::Matches)
            break;
    }
    uint8_t copy[kCommandPacketSize] = {};
    std::memcpy(copy, response, std::min(responseLength, kCommandPacketSize));
    TracePacket("返回", copy);
    return readOk ? kChannelOk : kChannelFailed;
}

int DeviceChannel::ExchangeQuick(const uint8_t* packet, uint8_t* response, size_t responseLength, size_t& received)
{
    const int timeoutMs = IsReceiverMode() ? kReceiverQuickTimeoutMs : kWiredTimeoutMs;
    if (!WritePacket(packet, timeoutMs, false))
        return kChannelWriteFailed;
    std::lock_guard io(m_ioLock);
    bool readOk = false;
    // A crossed answer is followed by one more read, without sending again.
    for (int attempt = 0; attempt < 2; ++attempt) {
        const Echo echo = ReadResponse(packet, response, responseLength, received, timeoutMs, readOk);
        if (echo == Echo::NotLinked)
            return kChannelNotLinked;
        if (echo == Echo::Matches)
            break;
    }
    return readOk ? kChannelOk : kChannelFailed;
}

bool DeviceChannel::WritePacket(const uint8_t* packet, int timeoutMs, bool flushFirst)
{
    std::lock_guard io(m_ioLock);
    HidDevice& device = ActiveDevice();
    if (flushFirst)
        device.FlushQueue();
    size_t written = 0;
    return device.WriteOutputReport(packet, kCommandPacketSize, written, timeoutMs);
}

DeviceChannel::Echo DeviceChannel::ReadResponse(const uint8_t* packet, uint8_t* response, size_t responseLength,
                                                size_t& received, int timeoutMs, bool& readOk)
{
    std::memset(response, 0, responseLength);
    readOk = ActiveDevice().ReadInputReport(response, responseLength, received, timeoutMs);
    const uint8_t echo = responseLength > 3 ? response[3] : 0;
    if (echo == packet[3])
        return Echo::Matches;
    return IsReceiverMode() && echo == kNotLinkedEcho ? Echo::NotLinked : Echo::Crossed;
}

int DeviceChannel::Exchange(const CommandPacket& request, CommandPacket& response, OperationLock lock, bool quick)
{
    std::unique_lock<std::recursive_mutex> guard;
    if (lock == OperationLock::Command)
        guard = std::unique_lock(m_commandLock);
    else if (lock == OperationLock::Lighting)
        guard = std::unique_lock(m_lightingLock);
    size_t received = 0;
    if (quick)
        return TransactQuick(request.Bytes(), kCommandPacketSize, response.Bytes(), kCommandPacketSize, received);
    return Transact(request.Bytes(), kCommandPacketSize, response.Bytes(), kCommandPacketSize, received);
}

int DeviceChannel::SimpleCommand(uint8_t code)
{
    CommandPacket response;
    response.reportId = 0;
    const int result = Exchange(CommandPacket::Request(code), response, OperationLock::Command, false);
    if (result != kChannelOk || m_suspended)
        return result;
    return StatusResult(response);
}

int DeviceChannel::StatusResult(const CommandPacket& response)
{
    if (response.status == kStatusFailedFF)
        return kChannelStatusFF;
    if (response.status == kStatusFailedFE)
        return kChannelStatusFE;
    return kChannelOk;
}

int DeviceChannel::RunBlock(const Block& block)
{
    for (size_t done = 0; done < block.length; done += block.chunk) {
        const auto length = static_cast<uint8_t>(std::min(block.chunk, block.length - done));
        const auto offset = static_cast<uint16_t>(block.baseOffset + done);
        if (block.quick && m_busy)
            continue; // the lighting stream gives way: this packet counts as sent
        const uint8_t* data = block.writeFrom ? block.writeFrom + done : nullptr;
        CommandPacket response;
        response.reportId = 0;
        const int result = Exchange(CommandPacket::Request(block.code, length, offset, data, data ? length : 0),
                                    response, block.lock, block.quick);
        if (result != kChannelOk)
            return result;
        if (m_suspended && !block.quick)
            continue; // nothing was exchanged: no status to look at, no data to copy
        if (StatusResult(response) != kChannelOk)
            return StatusResult(response);
        if (block.readTo)
            std::memcpy(block.readTo + done, response.data, length);
    }
    return kChannelOk;
}

int DeviceChannel::EnterConfigMode()
{
    return SimpleCommand(kCmdEnterConfigMode);
}

int DeviceChannel::LeaveConfigMode()
{
    m_sleep(kPauseBeforeLeaveMs);
    return SimpleCommand(kCmdLeaveConfigMode);
}

int DeviceChannel::ReadInfoBlock(uint8_t* block)
{
    return RunBlock({kCmdReadInfoBlock, 0, block, nullptr, kInfoBlockSize, m_chunkSize});
}

int DeviceChannel::WriteInfoBlock(const uint8_t* block)
{
    return RunBlock({kCmdWriteInfoBlock, 0, nullptr, block, kInfoBlockSize, kInfoBlockSize});
}

int DeviceChannel::ReadRegion(uint16_t offset, uint8_t* out, size_t length)
{
    return RunBlock({kCmdReadRegion, offset, out, nullptr, length, m_chunkSize});
}

int DeviceChannel::WriteRegion(uint16_t offset, const uint8_t* data, size_t length)
{
    return RunBlock({kCmdWriteRegion, offset, nullptr, data, length, m_chunkSize});
}

int DeviceChannel::ReadKeyBlock(uint8_t* out)
{
    return RunBlock({kCmdReadKeyBlock, 0, out, nullptr, m_blockLength, m_chunkSize});
}

int DeviceChannel::WriteKeyBlock(int page, const uint8_t* data)
{
    if (page != 0)
        return kChannelBadPage;
    return RunBlock({kCmdWriteKeyBlock, static_cast<uint32_t>(page) * kKeyBlockPageSize, nullptr, data,
                     m_blockLength, m_chunkSize});
}

int DeviceChannel::ReadIndexedRegion(int index, int stride, uint8_t* out, size_t length)
{
    return RunBlock({kCmdReadIndexedRegion, static_cast<uint32_t>(index * stride), out, nullptr, length, m_chunkSize});
}

int DeviceChannel::WriteIndexedRegion(int index, int stride, const uint8_t* data, size_t length)
{
    return RunBlock({kCmdWriteIndexedRegion, static_cast<uint32_t>(index * stride), nullptr, data, length,
                     m_chunkSize, OperationLock::Lighting});
}

int DeviceChannel::StreamLighting(const uint8_t* data, size_t length)
{
    return RunBlock({kCmdStreamLighting, 0, nullptr, data, length, m_chunkSize, OperationLock::Lighting, true});
}

int DeviceChannel::WriteMacroData(const uint8_t* data, size_t length)
{
    return RunBlock({kCmdWriteMacroData, 0, nullptr, data, length, m_chunkSize});
}

int DeviceChannel::WritePatternData(const uint8_t* data, size_t length)
{
    return RunBlock({kCmdWritePatternData, 0, nullptr, data, length, kCommandDataSize, OperationLock::None});
}

int DeviceChannel::ReadShortSpan(uint16_t offset, uint8_t* out, uint8_t length)
{
    const size_t bytes = std::min<size_t>(length, kCommandDataSize);
    return RunBlock({kCmdReadShortSpan, offset, out, nullptr, bytes, bytes});
}

int DeviceChannel::ReadLightIndexBlock(uint8_t* out)
{
    return RunBlock({kCmdReadLightIndexBlock, 0, out, nullptr, static_cast<size_t>(m_blockLength / 3), m_chunkSize});
}

int DeviceChannel::HandLightingToHost()
{
    return SimpleCommand(kCmdHostLighting);
}

bool DeviceChannel::IsLinked()
{
    if (!IsReceiverMode())
        return true;
    CommandPacket response;
    response.reportId = 0;
    const int result = Exchange(CommandPacket::Request(kCmdLinkTest), response, OperationLock::Command, false);
    const bool linked = result == kChannelOk && response.data[0] == 0xFF && response.status != kStatusFailedFF &&
                        response.status != kStatusFailedFE;
    if (response.data[0] != 0xFF && m_log)
        m_log("Hid2_4GDeviceIsLink>0xAA    false");
    return linked;
}
