// bench-deps: qv742_device qv742_sim
// The mouse's command set against the simulated mouse (1 ms per exchange, one USB frame), wired
// and through the receiver, with the channel's real pauses: a DPI stage change from the profile
// to the record held by the device (store the profile file, then 0x01, the 86-byte record with
// 0x06, 0x02), and the full read on connect. Beside each: the exchanges per operation and the
// floor that the channel's 10 ms pause before every response read (and before leaving
// configuration mode) sets.
#include "SimChannelRig.h"
#include "device/MouseCommandSet.h"
#include "profile/CMouseProfiledata.h"
#include "sim/SimulatedDevices.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr double kPauseMs = 10.0;
constexpr int kStage = 3;
constexpr int kStageIndexByte = 14 + 9 * kStage + 2;

// A profile file of seven stages in a temporary folder, removed with the object.
class BenchProfile {
public:
    BenchProfile()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "qv742-bench-XXXXXX").string();
        m_folder = mkdtemp(pattern.data());
        path = m_folder + "/profile.json";
        profile.LoadProfile(path);
        std::vector<DpiStage> stages(7);
        for (int i = 0; i < 7; ++i)
            stages[i] = {1, 0, static_cast<uint16_t>(7 + 40 * i), static_cast<uint16_t>(7 + 40 * i), 255, 0, 0};
        profile.SetDpiStages(stages);
        profile.SetMouseSystem(MouseSystemSettings{});
        profile.SaveProfile();
    }
    ~BenchProfile() { std::filesystem::remove_all(m_folder); }

    CMouseProfiledata profile;
    std::string path;

private:
    std::string m_folder;
};

// The connect sequence's page steps that touch files: LoadProfile reads the profile again.
class ProfileLoadingHost : public MouseCommandHost {
public:
    explicit ProfileLoadingHost(BenchProfile& profile) : m_profile(profile) {}
    void LoadProfile() override { m_profile.profile.LoadProfile(m_profile.path); }

private:
    BenchProfile& m_profile;
};

struct Rig : SimChannelRig {
    BenchProfile profile;
    MouseCommandSet commands{channel, profile.profile};
    ProfileLoadingHost host{profile};

    explicit Rig(bool receiver) : SimChannelRig(receiver)
    {
        commands.SetHost(&host);
        commands.SetLogSink([](const std::string&) {});
    }

    SimFirmware& Firmware() { return devices.Mouse().Firmware(); }
};

// Exchanges per operation and their floor: every exchange pauses 10 ms before its response
// read, and leaving configuration mode pauses 10 ms before its request.
void ReportExchanges(benchmark::State& state, SimFirmware& firmware, bool receiver)
{
    double exchanges = 0;
    double leaves = 0;
    for (const std::vector<uint8_t>& request : firmware.Requests()) {
        ++exchanges;
        leaves += request[3] == kCmdLeaveConfigMode ? 1 : 0;
    }
    const auto iterations = static_cast<double>(state.iterations());
    state.counters["exchanges"] = exchanges / iterations;
    state.counters["floor_ms"] = (exchanges + leaves) / iterations * kPauseMs;
    state.SetLabel(receiver ? "receiver" : "wired");
}

void StageChangeToDevice(benchmark::State& state)
{
    const bool receiver = state.range(0) == 1;
    Rig rig(receiver);
    CMouseProfiledata& profile = rig.profile.profile;
    rig.Firmware().ClearRequests();
    uint16_t index = 100;
    for (auto _ : state) {
        index = index == 100 ? 200 : 100;
        std::vector<DpiStage> stages = profile.GetDpiStages();
        rig.commands.Sensor().StoreIndex(stages[kStage], index);
        profile.SetDpiStages(stages);
        profile.SaveProfile();
        if (rig.commands.WriteProfileRecord(0, 0) != kChannelOk)
            state.SkipWithError("record write failed");
        const std::vector<uint8_t> region = rig.Firmware().ProfileRegion();
        if ((region[kStageIndexByte] | region[kStageIndexByte + 1] << 8) != index)
            state.SkipWithError("the device does not hold the new stage");
    }
    ReportExchanges(state, rig.Firmware(), receiver);
}

void FullReadOnConnect(benchmark::State& state)
{
    const bool receiver = state.range(0) == 1;
    Rig rig(receiver);
    rig.Firmware().ClearRequests();
    for (auto _ : state)
        rig.commands.ReadAllFromDevice();
    if (rig.commands.KeyBlock().size() != 33)
        state.SkipWithError("the key block was not read");
    ReportExchanges(state, rig.Firmware(), receiver);
}

} // namespace

// Argument: 0 wired, 1 receiver.
BENCHMARK(StageChangeToDevice)->Arg(0)->Arg(1)->ArgName("receiver")->Unit(benchmark::kMillisecond)->MinTime(1.0)->UseRealTime();
BENCHMARK(FullReadOnConnect)->Arg(0)->Arg(1)->ArgName("receiver")->Unit(benchmark::kMillisecond)->MinTime(1.0)->UseRealTime();

BENCHMARK_MAIN();
