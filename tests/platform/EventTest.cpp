#include "platform/Event.h"

#include <gtest/gtest.h>

#include <thread>

using platform::Event;

namespace {

TEST(Event, ManualResetStaysSignalledUntilReset)
{
    Event event(Event::Mode::ManualReset);
    EXPECT_FALSE(event.Wait(0));
    event.Set();
    EXPECT_TRUE(event.Wait(0));
    EXPECT_TRUE(event.Wait(0));
    event.Reset();
    EXPECT_FALSE(event.Wait(0));
}

TEST(Event, AutoResetReleasesOneWait)
{
    Event event(Event::Mode::AutoReset, true);
    EXPECT_TRUE(event.Wait(0));
    EXPECT_FALSE(event.Wait(0));
}

TEST(Event, WaitEndsWhenAnotherThreadSets)
{
    Event event;
    std::thread setter([&] { event.Set(); });
    EXPECT_TRUE(event.Wait(Event::kInfinite));
    setter.join();
}

} // namespace
