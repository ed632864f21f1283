// bench-deps: qv742_platform
// How exactly the input hook times what it records: 200 key events sent through XTest 50 ms
// apart to a private Xvfb (or $QV742_BENCH_DISPLAY), each recorded delay (from the events'
// server times, and from their arrival at the sink) compared with the spacing the sender
// actually produced. Goal: the worst error stays under 5 ms.
#include "../tests/support/XvfbServer.h"
#include "platform/CDeviceHook.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kEvents = 200;
constexpr auto kSpacing = std::chrono::milliseconds(50);
constexpr int kKeyA = 38;

class TimingSink : public platform::IHookSink {
public:
    void OnHookEvent(platform::CaptureMode, const platform::HookEvent& event) override
    {
        std::lock_guard guard(lock);
        serverTimes.push_back(event.key.time);
        arrivals.push_back(Clock::now());
        changed.notify_all();
    }
    bool WaitFor(size_t count)
    {
        std::unique_lock guard(lock);
        return changed.wait_for(guard, std::chrono::seconds(5), [&] { return arrivals.size() >= count; });
    }

    std::mutex lock;
    std::condition_variable changed;
    std::vector<uint32_t> serverTimes;
    std::vector<Clock::time_point> arrivals;
};

struct Errors {
    double median = 0;
    double worst = 0;
};

Errors Compare(const std::vector<double>& recorded, const std::vector<double>& actual)
{
    std::vector<double> errors;
    for (size_t i = 0; i < recorded.size() && i < actual.size(); ++i)
        errors.push_back(std::abs(recorded[i] - actual[i]));
    if (errors.empty())
        return {};
    std::sort(errors.begin(), errors.end());
    return {errors[errors.size() / 2], errors.back()};
}

double Ms(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

void RecordedDelays(benchmark::State& state)
{
    std::unique_ptr<testsupport::XvfbServer> server;
    if (const char* display = std::getenv("QV742_BENCH_DISPLAY"))
        setenv("DISPLAY", display, 1);
    else
        server = std::make_unique<testsupport::XvfbServer>();
    Display* input = XOpenDisplay(nullptr);
    if (!input) {
        state.SkipWithError("no X server");
        return;
    }
    for (auto _ : state) {
        TimingSink sink;
        platform::CDeviceHook hook;
        if (hook.Start(platform::CaptureMode::Append, sink, true, false) != 1) {
            state.SkipWithError("capture did not start");
            break;
        }
        std::vector<Clock::time_point> sent;
        Clock::time_point due = Clock::now() + kSpacing;
        for (int i = 0; i < kEvents; ++i) {
            std::this_thread::sleep_until(due);
            XTestFakeKeyEvent(input, kKeyA, i % 2 == 0, CurrentTime);
            XFlush(input);
            sent.push_back(Clock::now());
            due += kSpacing;
        }
        if (!sink.WaitFor(kEvents))
            state.SkipWithError("events were lost");
        hook.Stop();
        std::vector<double> actual, byServerTime, byArrival;
        for (int i = 1; i < kEvents; ++i) {
            actual.push_back(Ms(sent[i] - sent[i - 1]));
            byServerTime.push_back(double(sink.serverTimes[i] - sink.serverTimes[i - 1]));
            byArrival.push_back(Ms(sink.arrivals[i] - sink.arrivals[i - 1]));
        }
        const Errors server = Compare(byServerTime, actual);
        const Errors arrival = Compare(byArrival, actual);
        std::vector<double> nominal(actual.size(), 50.0);
        const Errors sender = Compare(actual, nominal);
        state.counters["event_time_median_err_ms"] = server.median;
        state.counters["event_time_worst_err_ms"] = server.worst;
        state.counters["arrival_median_err_ms"] = arrival.median;
        state.counters["arrival_worst_err_ms"] = arrival.worst;
        state.counters["sender_worst_dev_ms"] = sender.worst;
    }
    XCloseDisplay(input);
}

} // namespace

BENCHMARK(RecordedDelays)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();
