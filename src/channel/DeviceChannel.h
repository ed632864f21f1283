#pragma once

#include "channel/CommandPacket.h"
#include "hid/HidDevice.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

// Result codes of every channel operation.
enum ChannelResult : int {
    kChannelOk = 1,
    kChannelFailed = 0,          // not open, refused, or the response read failed or timed out
    kChannelWriteFailed = -1,    // the request write failed or timed out
    kChannelNotLinked = -101,    // the receiver answered 0xAA: its device is not linked
    kChannelStatusFF = -102,     // the device answered status 0xFF
    kChannelStatusFE = -103,     // the device answered status 0xFE
    kChannelBadPage = -201,      // the key block write was asked for a page other than 0
};

// The command channel of one device: request/response exchanges of 64-byte command packets on
// the command interface, through the wired HidDevice or the 2.4 GHz receiver's, and one operation
// per command code. Thread-safe as its locks say: the command or the lighting lock around one
// packet's exchange, the I/O lock inside it around one write or one read.
class DeviceChannel {
public:
    using LogSink = std::function<void(const std::string& line)>;
    using SleepFunction = std::function<void(int milliseconds)>;

    static constexpr uint16_t kMaxBlockLength = 512;
    static constexpr uint8_t kWiredChunk = 56;
    static constexpr uint8_t kReceiverChunk = 24;
    static constexpr int kInfoBlockSize = 34;

    explicit DeviceChannel(std::shared_ptr<HidBackend> backend = nullptr);
    ~DeviceChannel();
    DeviceChannel(const DeviceChannel&) = delete;
    DeviceChannel& operator=(const DeviceChannel&) = delete;

    // Mode 2 selects the receiver (24-byte chunks), any other value wired (56-byte chunks).
    void SetMode(int mode);
    // Sets the key block length; n > 512 fails (0) and keeps the old length.
    int SetBlockLength(int n);

    bool IsOpen() const { return m_open != 0; }
    void SetOpen(bool open) { m_open = open ? 1 : 0; }
    void SetRefused(int refused) { m_refused = refused; }
    bool IsSuspended() const { return m_suspended != 0; }
    void SetSuspended(bool suspended) { m_suspended = suspended ? 1 : 0; }
    bool IsLongOperation() const { return m_longOperation != 0; }
    void SetLongOperation(bool running) { m_longOperation = running ? 1 : 0; }
    bool IsBusy() const { return m_busy != 0; }
    bool IsReceiverMode() const { return m_dongleMode == 1; }
    int DongleMode() const { return m_dongleMode; }
    uint8_t ChunkSize() const { return m_chunkSize; }
    uint16_t BlockLength() const { return m_blockLength; }

    HidDevice& WiredDevice() { return m_wired; }
    HidDevice& ReceiverDevice() { return m_receiver; }
    // The device layer holds the I/O lock while it reopens a HidDevice.
    std::recursive_mutex& IoLock() { return m_ioLock; }
    std::recursive_mutex& SpareLock() { return m_spareLock; }
    std::recursive_mutex& CommandLock() { return m_commandLock; }
    std::recursive_mutex& LightingLock() { return m_lightingLock; }

    // Where the link test's failure line goes (the device layer passes the log file); default: nowhere.
    void SetLogSink(LogSink sink) { m_log = std::move(sink); }
    // How the channel pauses (10 ms before each response read, before leaving configuration mode).
    void SetSleepFunction(SleepFunction sleep) { m_sleep = std::move(sleep); }

    // The full exchange of one request (padded to 64 bytes) and its response; result code.
    int Transact(const uint8_t* request, size_t requestLength, uint8_t* response, size_t responseLength,
                 size_t& received);
    // The light exchange of the lighting stream: no pause, no flush, no trace, no suspended check.
    int TransactQuick(const uint8_t* request, size_t requestLength, uint8_t* response, size_t responseLength,
                      size_t& received);

    int EnterConfigMode();                                                    // 0x01
    int LeaveConfigMode();                                                    // 0x02, after a 10 ms pause
    int ReadInfoBlock(uint8_t* block);                                        // 0x03, 34 bytes
    int WriteInfoBlock(const uint8_t* block);                                 // 0x04, 34 bytes in one packet
    int ReadRegion(uint16_t offset, uint8_t* out, size_t length);             // 0x05
    int WriteRegion(uint16_t offset, const uint8_t* data, size_t length);     // 0x06
    int ReadKeyBlock(uint8_t* out);                                           // 0x07, BlockLength() bytes
    int WriteKeyBlock(int page, const uint8_t* data);                         // 0x09, page 0 only
    int ReadIndexedRegion(int index, int stride, uint8_t* out, size_t length);           // 0x0A
    int WriteIndexedRegion(int index, int stride, const uint8_t* data, size_t length);   // 0x0B
    int StreamLighting(const uint8_t* data, size_t length);                   // 0x12, drops packets while busy
    int WriteMacroData(const uint8_t* data, size_t length);                   // 0x15
    int WritePatternData(const uint8_t* data, size_t length);                 // 0x17, 56-byte packets, no lock
    int ReadShortSpan(uint16_t offset, uint8_t* out, uint8_t length);         // 0x1A, one packet
    int ReadLightIndexBlock(uint8_t* out);                                    // 0x1B, BlockLength() / 3 bytes
    int HandLightingToHost();                                                 // 0x1C
    // 0xAA: true at once when wired; through the receiver, true when the device answers linked.
    bool IsLinked();

private:
    enum class OperationLock { Command, Lighting, None };
    enum class Echo { Matches, NotLinked, Crossed };
    struct Block {
        uint8_t code = 0;
        uint32_t baseOffset = 0;
        uint8_t* readTo = nullptr;
        const uint8_t* writeFrom = nullptr;
        size_t length = 0;
        size_t chunk = 0;
        OperationLock lock = OperationLock::Command;
        bool quick = false;
    };

    HidDevice& ActiveDevice() { return IsReceiverMode() ? m_receiver : m_wired; }
    // Marks the channel busy and, when it is open and not refused, runs exchange on the request
    // padded to 64 bytes.
    int RunTransaction(const uint8_t* request, size_t requestLength, size_t& received,
                       const std::function<int(const uint8_t* packet)>& exchange);
    int SimpleCommand(uint8_t code);
    // -102 or -103 for a failure status in byte 7, else 1.
    static int StatusResult(const CommandPacket& response);
    int RunBlock(const Block& block);
    int Exchange(const CommandPacket& request, CommandPacket& response, OperationLock lock, bool quick);
    int ExchangeFull(const uint8_t* packet, uint8_t* response, size_t responseLength, size_t& received);
    int ExchangeQuick(const uint8_t* packet, uint8_t* response, size_t responseLength, size_t& received);
    bool WritePacket(const uint8_t* packet, int timeoutMs, bool flushFirst);
    // Reads one response (readOk: the read itself succeeded) and compares its echo of byte 3.
    Echo ReadResponse(const uint8_t* packet, uint8_t* response, size_t responseLength, size_t& received,
                      int timeoutMs, bool& readOk);

    uint16_t m_blockLength = kMaxBlockLength;
    std::atomic<uint8_t> m_busy{0};
    std::atomic<int> m_refused{0};
    std::atomic<int> m_open{0};
    std::atomic<int> m_longOperation{0};
    HidDevice m_wired;
    HidDevice m_receiver;
    std::recursive_mutex m_ioLock;
    std::recursive_mutex m_spareLock;
    std::recursive_mutex m_commandLock;
    std::recursive_mutex m_lightingLock;
    std::atomic<int> m_dongleMode{0};
    std::atomic<uint8_t> m_chunkSize{kReceiverChunk};
    std::atomic<uint8_t> m_suspended{0};

    LogSink m_log;
    SleepFunction m_sleep;
};
