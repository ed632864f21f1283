// bench-deps: qv742_channel qv742_sim
// One finished settings change on the simulated mouse (0x01, the 86-byte record with 0x06, 0x02)
// with and without the simulated devices' flash kept in a file: what writing the file whenever
// the host finishes a change costs the caller. Exchanges take no time here (latency 0, no
// pauses), so the difference is the file write alone.
#include "SimChannelRig.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

void SettingsChange(benchmark::State& state, bool keepFlash)
{
    std::string folder = (std::filesystem::temp_directory_path() / "qv742-bench-XXXXXX").string();
    if (!mkdtemp(folder.data())) {
        state.SkipWithError("no temporary folder");
        return;
    }
    {
        SimChannelRig rig(false);
        rig.devices.SetLatencyMs(0);
        rig.channel.SetSleepFunction([](int) {});
        if (keepFlash)
            rig.devices.KeepFlashIn(folder + "/" + SimulatedDevices::kFlashFileName);
        std::vector<uint8_t> record(86, 0);
        uint8_t rate = 0;
        for (auto _ : state) {
            record[11] = static_cast<uint8_t>(++rate & 3); // a change every time
            if (rig.channel.EnterConfigMode() != kChannelOk ||
                rig.channel.WriteRegion(0, record.data(), record.size()) != kChannelOk ||
                rig.channel.LeaveConfigMode() != kChannelOk)
                state.SkipWithError("exchange failed");
        }
    }
    std::filesystem::remove_all(folder);
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::RegisterBenchmark("SettingsChange/NoFlashFile", SettingsChange, false)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("SettingsChange/FlashFile", SettingsChange, true)->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
