#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <vector>

// What can go wrong in one exchange, on purpose.
enum class SimFault {
    Silence,     // no answer: the host's read times out
    StatusFF,    // answer with status 0xFF
    StatusFE,    // answer with status 0xFE
    CrossedEcho, // answer carries another command code in byte 3
    Unplug,      // the device disappears instead of answering
};

// The memory regions a product keeps in its flash across power cycles. The numbers are
// stored in the simulated devices' state file: never renumber them.
enum class SimRegion : uint8_t {
    InfoBlock = 1,
    KeyBlock = 2,
    LightIndexBlock = 3,
    ProfileRegion = 4,
    MacroMemory = 5,
    PatternMemory = 6,
    IndexedRegion = 7,
};
constexpr SimRegion kSimFlashRegions[] = {SimRegion::InfoBlock,     SimRegion::KeyBlock,      SimRegion::LightIndexBlock,
                                          SimRegion::ProfileRegion, SimRegion::MacroMemory,   SimRegion::PatternMemory,
                                          SimRegion::IndexedRegion};

// Sizes of a product's memory regions.
struct SimMemoryLayout {
    std::vector<uint8_t> infoBlock;      // 34 bytes
    std::vector<uint8_t> keyBlock;       // factory key codes; the region is 512 bytes
    std::vector<uint8_t> lightIndexBlock;
    std::vector<uint8_t> profileRegion;  // initial contents, which also give its size
    size_t patternMemorySize = 2048;
    size_t indexedRegionSize = 5 * 512;
    size_t lightStreamSize = 512;
    std::vector<uint8_t> powerStatus;
};

// The firmware of one product: its memory and its answers to the command protocol. Requests
// and answers are 64-byte command reports (byte 0 report id 4, 1-2 checksum, 3 command,
// 4 length, 5-6 offset, 7 status, data from 8). Thread-safe; tests read and change the memory while the host talks.
class SimFirmware {
public:
    static constexpr size_t kPacketSize = 64;
    static constexpr size_t kInfoBlockSize = 34;
    static constexpr size_t kKeyRegionSize = 512;

    struct Answer {
        std::optional<std::vector<uint8_t>> response; // none: silence
        bool unplug = false;
    };

    explicit SimFirmware(SimMemoryLayout layout);

    // The mouse: 11 keys with their factory codes, sensor 0x3395, 16 × 128 bytes of macro memory,
    // 4096 bytes of pattern memory.
    static SimMemoryLayout MouseLayout();
    // The mouse pad: an information block and a lighting record.
    static SimMemoryLayout MousePadLayout();
    // A keyboard with 126 key slots holding the factory codes and one light per key.
    static SimMemoryLayout KeyboardLayout();
    // The headset's command collection: an information block only.
    static SimMemoryLayout HeadsetLayout();

    // Answers one request. linked is false for a receiver whose device is away: every answer then
    // carries 0xAA in byte 3.
    Answer Handle(const std::vector<uint8_t>& request, bool linked);

    // Fault injection: after `skip` further exchanges, the next `count` exchanges go wrong.
    void ScheduleFault(SimFault fault, int skip = 0, int count = 1);
    void ClearFaults();
    // Time from request to answer; 1 ms (one USB frame) unless set.
    void SetLatencyMs(int milliseconds);
    int LatencyMs() const;

    // Every request received, oldest first.
    std::vector<std::vector<uint8_t>> Requests() const;
    void ClearRequests();
    bool InConfigMode() const;
    bool HostLighting() const;

    std::vector<uint8_t> InfoBlock() const;
    void SetInfoBlock(const std::vector<uint8_t>& block);
    std::vector<uint8_t> KeyBlock() const; // the whole 512-byte key region
    std::vector<uint8_t> ProfileRegion() const;
    void WriteProfileRegion(size_t offset, const std::vector<uint8_t>& bytes);
    std::vector<uint8_t> MacroMemory() const;
    std::vector<uint8_t> PatternMemory() const;
    std::vector<uint8_t> IndexedRegion() const;
    std::vector<uint8_t> LightStream() const;
    std::vector<uint8_t> PowerStatus() const;
    void SetPowerStatus(const std::vector<uint8_t>& status);

    // The flash: one region's bytes, and putting back what a state file kept (false, nothing
    // changed, when the size is not this product's).
    std::vector<uint8_t> Region(SimRegion region) const;
    bool RestoreRegion(SimRegion region, const std::vector<uint8_t>& bytes);
    // Increases with every change of a flash region.
    uint64_t FlashChanges() const;
    // Called (without the firmware's lock) when the host leaves configuration mode after changing
    // the flash: the moment a real device has finished a settings change.
    void SetCommitListener(std::function<void()> listener);

private:
    struct PendingFault {
        SimFault fault;
        int skip;
        int count;
    };
    Answer HandleLocked(const std::vector<uint8_t>& request, bool linked, bool& committed);
    // The bytes of a flash region, const or not as the firmware is.
    template <typename Self>
    static auto RegionBytes(Self& self, SimRegion region) -> decltype(&self.m_info);
    std::optional<SimFault> TakeFault();
    // True when bytes 1-2 hold the sum of bytes 3-63; the firmware refuses other requests (0xFF).
    static bool ChecksumMatches(const std::vector<uint8_t>& request);
    // Fills response data and returns the status byte of one command.
    uint8_t Execute(uint8_t code, uint8_t length, uint16_t offset, const uint8_t* in, uint8_t* out);
    static uint8_t ReadSpan(const std::vector<uint8_t>& region, size_t offset, size_t length, uint8_t* out);
    static uint8_t WriteSpan(std::vector<uint8_t>& region, size_t offset, size_t length, const uint8_t* in);

    mutable std::mutex m_lock;
    std::vector<uint8_t> m_info;
    std::vector<uint8_t> m_keys;
    std::vector<uint8_t> m_lightIndex;
    std::vector<uint8_t> m_profiles;
    std::vector<uint8_t> m_macros;
    std::vector<uint8_t> m_patterns;
    std::vector<uint8_t> m_indexed;
    std::vector<uint8_t> m_lightStream;
    std::vector<uint8_t> m_power;
    uint64_t m_flashChanges = 0;
    uint64_t m_flashChangesAtCommit = 0;
    std::function<void()> m_commitListener;
    bool m_configMode = false;
    bool m_hostLighting = false;
    int m_latencyMs = 1;
    std::deque<PendingFault> m_faults;
    std::vector<std::vector<uint8_t>> m_requests;
};
