// bench-deps: qv742_channel qv742_sim
// Command channel transfers against the simulated mouse (1 ms per exchange, one USB frame), wired
// and through the receiver: packets per operation and wall time per operation, beside the floor
// that the channel's own 10 ms pause before every response read sets.
#include "SimChannelRig.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

constexpr double kPauseMs = 10.0;

enum class Operation { InfoBlockRead, KeyBlockRead33, KeyBlockWrite512 };

using Rig = SimChannelRig;

int Run(DeviceChannel& channel, Operation operation)
{
    static std::vector<uint8_t> buffer(512, 0x5A);
    switch (operation) {
    case Operation::InfoBlockRead:
        return channel.ReadInfoBlock(buffer.data());
    case Operation::KeyBlockRead33:
        channel.SetBlockLength(33);
        return channel.ReadKeyBlock(buffer.data());
    case Operation::KeyBlockWrite512:
        channel.SetBlockLength(512);
        return channel.WriteKeyBlock(0, buffer.data());
    }
    return 0;
}

void ChannelTransfer(benchmark::State& state, bool receiver, Operation operation)
{
    Rig rig(receiver);
    SimFirmware& firmware = rig.devices.Mouse().Firmware();
    firmware.ClearRequests();
    for (auto _ : state) {
        if (Run(rig.channel, operation) != kChannelOk)
            state.SkipWithError("transfer failed");
    }
    const double packets = static_cast<double>(firmware.Requests().size()) / static_cast<double>(state.iterations());
    state.counters["packets"] = packets;
    state.counters["floor_ms"] = packets * kPauseMs;
}

} // namespace

int main(int argc, char** argv)
{
    const struct {
        const char* name;
        Operation operation;
    } operations[] = {
        {"InfoBlockRead34", Operation::InfoBlockRead},
        {"KeyBlockRead33", Operation::KeyBlockRead33},
        {"KeyBlockWrite512", Operation::KeyBlockWrite512},
    };
    for (const auto& op : operations) {
        for (const bool receiver : {false, true}) {
            const std::string name = std::string(op.name) + (receiver ? "/receiver" : "/wired");
            benchmark::RegisterBenchmark(name.c_str(), ChannelTransfer, receiver, op.operation)
                ->Unit(benchmark::kMillisecond)
                ->MinTime(1.0)
                ->UseRealTime();
        }
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
