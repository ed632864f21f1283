#include "platform/PowerEvents.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

using platform::PowerEvents;
using testsupport::ScopedEnv;

namespace {

TEST(PowerEvents, WithoutASystemBusTheMachineNeverSleeps)
{
    ScopedEnv address("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/qv742-bus");
    PowerEvents events;
    bool called = false;
    EXPECT_FALSE(events.Open([&](bool) { called = true; }));
    EXPECT_EQ(events.Fd(), -1);
    events.Process();
    EXPECT_FALSE(called);
}

} // namespace
