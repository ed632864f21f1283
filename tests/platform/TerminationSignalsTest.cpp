#include "platform/TerminationSignals.h"

#include "platform/ReadinessWaiter.h"

#include <gtest/gtest.h>

#include <csignal>

namespace {

using platform::TerminationSignals;

TEST(TerminationSignals, EachRequestToEndBecomesOneByteForTheLoopInsteadOfEndingTheProcess)
{
    ASSERT_TRUE(TerminationSignals::Install());
    platform::ReadinessWaiter waiter;
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signal);
        ASSERT_EQ(std::raise(signal), 0); // the process is still here
        EXPECT_EQ(waiter.Wait({TerminationSignals::Fd()}, 0).size(), 1u) << "the loop is woken";
        EXPECT_EQ(TerminationSignals::Take(), signal);
        EXPECT_EQ(TerminationSignals::Take(), 0) << "nothing else waits";
    }
}

} // namespace
