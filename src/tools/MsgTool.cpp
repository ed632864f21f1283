// qv742-msg: sends and receives the program's registered messages over the per-user message
// bus, for cooperating programs, scripts and tests.
//
//   qv742-msg send MESSAGE [WPARAM [LPARAM]] [--to ENDPOINT] [--data TEXT] [--data-id N]
//   qv742-msg broadcast MESSAGE [WPARAM [LPARAM]]
//   qv742-msg listen [--as ENDPOINT] [--count N] [--timeout MS]
//   qv742-msg sim plug|unplug|link|unlink DEVICE      (DEVICE: mouse, receiver, pad, headset)
//   qv742-msg sim press mouse|pad                     (a key press on the mouse; the pad's light button)
//   qv742-msg sim effect mouse|pad:MODE:SPEED         (the product's own effect buttons)
//   qv742-msg endpoints

#include "platform/MessageBus.h"

#include <poll.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>
#include <vector>

namespace {

const char kProgramEndpoint[] = "QV742-CORE";
// The running program's simulated-device control: wParam is the action, the data names the device.
const char kSimControlMessage[] = "QV742-SIM-CONTROL";

int Usage()
{
    std::fputs("usage: qv742-msg send MESSAGE [WPARAM [LPARAM]] [--to ENDPOINT] [--data TEXT] [--data-id N]\n"
               "       qv742-msg broadcast MESSAGE [WPARAM [LPARAM]]\n"
               "       qv742-msg listen [--as ENDPOINT] [--count N] [--timeout MS]\n"
               "       qv742-msg sim plug|unplug|link|unlink|press DEVICE\n"
               "       qv742-msg sim effect DEVICE:MODE:SPEED\n"
               "       qv742-msg endpoints\n",
               stderr);
    return 2;
}

struct Options {
    std::vector<std::string> positional;
    std::string to = kProgramEndpoint;
    std::string as = "qv742-msg-" + std::to_string(getpid());
    std::string data;
    bool hasData = false;
    unsigned long dataId = 0;
    long count = -1;
    long timeoutMs = -1;
};

bool Parse(int argc, char** argv, Options& options)
{
    for (int i = 2; i < argc; ++i) {
        std::string arg = argv[i];
        bool hasValue = i + 1 < argc;
        if (arg == "--to" && hasValue)
            options.to = argv[++i];
        else if (arg == "--as" && hasValue)
            options.as = argv[++i];
        else if (arg == "--data" && hasValue)
            options.data = argv[++i], options.hasData = true;
        else if (arg == "--data-id" && hasValue)
            options.dataId = std::strtoul(argv[++i], nullptr, 0);
        else if (arg == "--count" && hasValue)
            options.count = std::strtol(argv[++i], nullptr, 10);
        else if (arg == "--timeout" && hasValue)
            options.timeoutMs = std::strtol(argv[++i], nullptr, 10);
        else if (arg.rfind("--", 0) == 0)
            return false;
        else
            options.positional.push_back(arg);
    }
    return true;
}

platform::BusFrame FrameFrom(const Options& options)
{
    platform::BusFrame frame;
    frame.message = options.positional.at(0);
    if (options.positional.size() > 1)
        frame.wParam = std::strtoull(options.positional[1].c_str(), nullptr, 0);
    if (options.positional.size() > 2)
        frame.lParam = std::strtoll(options.positional[2].c_str(), nullptr, 0);
    frame.hasData = options.hasData;
    frame.dataId = static_cast<uint32_t>(options.dataId);
    frame.data = options.data;
    return frame;
}

void Print(const platform::BusFrame& frame)
{
    std::printf("%s %llu %lld", frame.message.c_str(), static_cast<unsigned long long>(frame.wParam),
                static_cast<long long>(frame.lParam));
    if (frame.hasData)
        std::printf(" data-id=%u data=%zu bytes", frame.dataId, frame.data.size());
    std::printf("\n");
    std::fflush(stdout);
}

int Listen(const Options& options)
{
    platform::MessageBus bus;
    if (!bus.Listen(options.as)) {
        std::fprintf(stderr, "qv742-msg: cannot listen as %s in %s\n", options.as.c_str(), bus.Folder().c_str());
        return 1;
    }
    for (long received = 0; options.count < 0 || received < options.count;) {
        pollfd watch{bus.Fd(), POLLIN, 0};
        if (::poll(&watch, 1, static_cast<int>(options.timeoutMs)) <= 0)
            return options.count < 0 ? 0 : 1;
        while (auto frame = bus.Receive()) {
            Print(*frame);
            ++received;
        }
    }
    return 0;
}

int SimControl(const Options& options)
{
    static const char* const kActions[] = {"plug", "unplug", "link", "unlink", "press", "effect"};
    if (options.positional.size() != 2)
        return Usage();
    for (unsigned action = 0; action < std::size(kActions); ++action) {
        if (options.positional[0] != kActions[action])
            continue;
        platform::BusFrame frame;
        frame.message = kSimControlMessage;
        frame.wParam = action;
        frame.hasData = true;
        frame.data = options.positional[1];
        if (platform::MessageBus().Send(kProgramEndpoint, frame))
            return 0;
        std::fputs("qv742-msg: the program is not running\n", stderr);
        return 1;
    }
    return Usage();
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (argc < 2 || !Parse(argc, argv, options))
        return Usage();
    std::string command = argv[1];
    if (command == "listen")
        return Listen(options);
    if (command == "sim")
        return SimControl(options);
    if (command == "endpoints") {
        for (const std::string& name : platform::MessageBus().Endpoints())
            std::puts(name.c_str());
        return 0;
    }
    if ((command != "send" && command != "broadcast") || options.positional.empty())
        return Usage();
    platform::BusFrame frame = FrameFrom(options);
    if (frame.Pack().empty()) {
        std::fputs("qv742-msg: message name or data too long\n", stderr);
        return 2;
    }
    platform::MessageBus bus;
    if (command == "broadcast") {
        std::printf("reached %d\n", bus.Broadcast(frame));
        return 0;
    }
    if (bus.Send(options.to, frame))
        return 0;
    std::fprintf(stderr, "qv742-msg: %s is not listening\n", options.to.c_str());
    return 1;
}
