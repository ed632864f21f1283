#include "platform/ProcessLauncher.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

using platform::ProcessLauncher;

namespace {

TEST(ProcessLauncher, FindsProgramsInPathAndStartsThemWithoutWaiting)
{
    EXPECT_FALSE(ProcessLauncher::FindInPath("sh").empty());
    EXPECT_TRUE(ProcessLauncher::FindInPath("no-such-program-qv742").empty());
    EXPECT_FALSE(ProcessLauncher::Launch({"no-such-program-qv742"}));

    testsupport::TempFolder dir;
    ASSERT_TRUE(ProcessLauncher::Launch({"sh", "-c", "touch \"$0\"", dir / "started"}));
    for (int i = 0; i < 200 && !std::filesystem::exists(dir / "started"); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(std::filesystem::exists(dir / "started"));
}

} // namespace
