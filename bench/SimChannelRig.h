#pragma once

// The benchmarks' simulated mouse with a command channel opened on its cable or its receiver.

#include "channel/DeviceChannel.h"
#include "sim/SimulatedDevices.h"

struct SimChannelRig {
    SimulatedDevices devices;
    DeviceChannel channel{devices.Bus()};

    explicit SimChannelRig(bool receiver)
    {
        devices.PlugList(receiver ? "receiver" : "mouse");
        SimProduct& product = receiver ? devices.Mouse().Receiver() : devices.Mouse().Wired();
        HidDevice& device = receiver ? channel.ReceiverDevice() : channel.WiredDevice();
        device.Open(product.CommandPath(), true, true, true, false);
        channel.SetOpen(true);
        channel.SetMode(receiver ? 2 : 1);
    }
};
