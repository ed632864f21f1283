#pragma once

#include "hid/HidDevice.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>

// Starts an infinite read on an open device in another thread, closes the device from this one
// and expects the read to end at once with false.
inline void ExpectCloseEndsInfiniteRead(HidDevice& device)
{
    auto read = std::async(std::launch::async, [&device] {
        size_t got = 0;
        return device.ReadInputReport(device.InputReportBuffer(), device.InputReportLength(), got, kHidInfinite);
    });
    while (!device.IsReadWaiting())
        std::this_thread::yield();
    device.Close();
    ASSERT_EQ(read.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    EXPECT_FALSE(read.get());
    EXPECT_FALSE(device.IsOpen());
}
