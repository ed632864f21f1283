#include "platform/WorkerThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>

using platform::Event;
using platform::WorkerThread;

namespace {

TEST(WorkerThread, StopEndsAPollingBody)
{
    WorkerThread worker("poller");
    std::atomic<int> rounds{0};
    ASSERT_TRUE(worker.Start([&](Event& stop) {
        while (!stop.Wait(5))
            ++rounds;
    }));
    EXPECT_FALSE(worker.Start([](Event&) {}));
    EXPECT_TRUE(worker.Stop(1000));
    EXPECT_FALSE(worker.IsRunning());
}

TEST(WorkerThread, OverrunningBodyIsDetachedNotKilled)
{
    auto release = std::make_shared<Event>();
    auto ended = std::make_shared<Event>();
    {
        WorkerThread worker("stubborn");
        worker.Start([release, ended](Event&) {
            release->Wait(); // ignores its stop event
            ended->Set();
        });
        EXPECT_FALSE(worker.Stop(20));
    }
    // The detached body still runs to its end once it may.
    release->Set();
    EXPECT_TRUE(ended->Wait(2000));
}

} // namespace
