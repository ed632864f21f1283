#include "platform/ReadinessWaiter.h"

#include <gtest/gtest.h>

#include <thread>
#include <unistd.h>

using platform::ReadinessWaiter;

namespace {

TEST(ReadinessWaiter, ReportsReadableDescriptorsAndWakesFromAnotherThread)
{
    int pipeA[2], pipeB[2];
    ASSERT_EQ(pipe(pipeA), 0);
    ASSERT_EQ(pipe(pipeB), 0);
    ReadinessWaiter waiter;
    EXPECT_TRUE(waiter.Wait({pipeA[0], -1, pipeB[0]}, 0).empty());
    ASSERT_EQ(write(pipeB[1], "x", 1), 1);
    EXPECT_EQ(waiter.Wait({pipeA[0], -1, pipeB[0]}, 0), std::vector<size_t>{2});

    std::thread waker([&] { waiter.Wake(); });
    EXPECT_TRUE(waiter.Wait({pipeA[0]}, -1).empty()); // returns only because it was woken
    waker.join();
    for (int fd : {pipeA[0], pipeA[1], pipeB[0], pipeB[1]})
        close(fd);
}

} // namespace
