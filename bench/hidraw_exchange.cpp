// bench-deps: qv742_channel qv742_sim
// One light exchange (no pause, no flush) through the hidraw backend on the model of the kernel
// driver the tests use, the device answering at once: what the writer thread and the pump add
// to every exchange, beside the 10 ms pause of the full exchange. With and without a stream of
// unrelated reports on the same interface (one per exchange).
#include "channel/DeviceChannel.h"
#include "hid/linux/HidrawBackend.h"
#include "hid/sim/DescriptorWriter.h"
#include "sim/SimFirmware.h"
#include "support/FakeHidrawKernel.h"

#include <benchmark/benchmark.h>

namespace {

constexpr char kNode[] = "hidraw5";

void LightExchange(benchmark::State& state, bool unrelated)
{
    auto kernel = std::make_shared<testsupport::FakeHidrawKernel>();
    DescriptorWriter writer;
    writer.VendorCollection(0xFF1D, 0x01, 0x11, 8, false);
    writer.VendorCollection(0xFF1C, 0x92, 0x04, 63, true);
    kernel->Plug(kNode, "0003:0000320F:000022A4", "usb-0000:00:14.0-2/input1", writer.Bytes());
    SimFirmware firmware(SimFirmware::MouseLayout());
    kernel->OnWrite(kNode, [&](const std::vector<uint8_t>& request) {
        if (unrelated)
            kernel->Report(kNode, std::vector<uint8_t>(9, 0x11));
        if (const auto answer = firmware.Handle(request, true).response)
            kernel->Report(kNode, *answer);
    });
    auto backend = std::make_shared<HidrawBackend>(kernel->Sys(), kernel->Dev(), kernel);
    HidDevice enumerator(backend);
    enumerator.EnumeratePaths();
    enumerator.NextPath();
    DeviceChannel channel(backend);
    channel.WiredDevice().Open(enumerator.NextPath().value_or(""), true, true, true, false);
    channel.SetOpen(true);
    channel.SetMode(1);
    const std::vector<uint8_t> lights(24, 0x20);
    for (auto _ : state) {
        if (channel.StreamLighting(lights.data(), lights.size()) != kChannelOk)
            state.SkipWithError("exchange failed");
    }
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::RegisterBenchmark("HidrawLightExchange/Quiet", LightExchange, false)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("HidrawLightExchange/UnrelatedReports", LightExchange, true)
        ->Unit(benchmark::kMicrosecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
