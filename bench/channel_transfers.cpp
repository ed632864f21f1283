// bench-deps: qv742_channel qv742_sim
// Command channel transfers against the simulated mouse (1 ms per exchange, one USB frame), wired
// and through the receiver: packets per operation and wall time per operation, beside the floor
// that the channel's own 10 ms pause before every response read sets.
#include "channel/DeviceChannel.h"
#include "sim/SimulatedDevices.h"

#include <benchmark/benchmark.h>

#include <functional>
#include <vector>

namespace {

constexpr double kPauseMs = 10.0;

enum class Operation { InfoBlockRead, KeyBlockRead33, KeyBlockWrite512 };

struct Rig {
    SimulatedDevices devices;
    DeviceChannel channel{devices.Bus()};

    explicit Rig(bool receiver)
    {
        devices.PlugList(receiver ? "receiver" : "mouse");
        SimProduct& product = receiver ? devices.Mouse().Receiver() : devices.Mouse().Wired();
        HidDevice& device = receiver ? channel.ReceiverDevice() : channel.WiredDevice();
        device.Open(product.CommandPath(), true, true, true, false);
        channel.SetOpen(true);
        channel.SetMode(receiver ? 2 : 1);
    }
};

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

void ChannelTransfer(benchmark::State& state)
{
    const bool receiver = state.range(0) == 1;
    const auto operation = static_cast<Operation>(state.range(1));
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
    state.SetLabel(receiver ? "receiver" : "wired");
}

} // namespace

// Arguments: (0 wired | 1 receiver, operation: 0 information block read, 1 33-byte key block
// read, 2 512-byte key block write).
BENCHMARK(ChannelTransfer)
    ->ArgsProduct({{0, 1}, {0, 1, 2}})
    ->ArgNames({"receiver", "op"})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0)
    ->UseRealTime();

BENCHMARK_MAIN();
