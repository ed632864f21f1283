#include "channel/DeviceChannel.h"
#include "sim/SimulatedDevices.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace {

using Bytes = std::vector<uint8_t>;
using testsupport::TempFolder;

constexpr uint16_t kReportRateByte = 11;

// One run of the program's simulated devices on a state file: the mouse plugged, a channel open.
struct ProgramRun {
    explicit ProgramRun(const std::string& flashFile)
    {
        loaded = devices.KeepFlashIn(flashFile);
        devices.SetLatencyMs(0);
        devices.Plug("mouse");
        channel.SetSleepFunction([](int) {});
        EXPECT_TRUE(channel.WiredDevice().Open(devices.Mouse().Wired().CommandPath(), true, true, true, false));
        channel.SetOpen(true);
        channel.SetMode(1);
    }

    uint8_t ReportRate()
    {
        uint8_t rate = 0xEE;
        EXPECT_EQ(channel.ReadRegion(kReportRateByte, &rate, 1), kChannelOk);
        return rate;
    }

    // As the mouse page does it: configuration mode, the write, configuration mode left.
    void SetReportRate(uint8_t rate)
    {
        ASSERT_EQ(channel.EnterConfigMode(), kChannelOk);
        ASSERT_EQ(channel.WriteRegion(kReportRateByte, &rate, 1), kChannelOk);
        ASSERT_EQ(channel.LeaveConfigMode(), kChannelOk);
    }

    SimulatedDevices devices;
    DeviceChannel channel{devices.Bus()};
    SimFlashFile::LoadResult loaded = SimFlashFile::LoadResult::Missing;
};

std::vector<std::string> DamagedCopies(const TempFolder& dir)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
        if (entry.path().filename().string().find(".damaged-") != std::string::npos)
            names.push_back(entry.path().filename().string());
    }
    return names;
}

TEST(SimFlashFile, ARestartedMouseKeepsAChangedReportRate)
{
    TempFolder dir;
    const std::string file = dir / "state/simulated-devices.flash";
    auto first = std::make_unique<ProgramRun>(file);
    EXPECT_EQ(first->loaded, SimFlashFile::LoadResult::Missing);
    const uint8_t factory = first->ReportRate();
    EXPECT_FALSE(std::filesystem::exists(file)) << "reading changes nothing worth a write";
    first->SetReportRate(1);
    ASSERT_NE(factory, 1);

    // The change is kept once the host has finished it, before any orderly end.
    first->devices.FlashFile()->WaitForPendingSaves();
    ProgramRun meanwhile(file);
    EXPECT_EQ(meanwhile.loaded, SimFlashFile::LoadResult::Loaded);
    EXPECT_EQ(meanwhile.ReportRate(), 1);

    ASSERT_EQ(first->channel.WriteRegion(kReportRateByte, Bytes{2}.data(), 1), kChannelOk);
    first.reset(); // a change without the closing command is kept at the end of the run
    ProgramRun second(file);
    EXPECT_EQ(second.ReportRate(), 2);
    EXPECT_TRUE(DamagedCopies(dir).empty());
}

TEST(SimFlashFile, ADamagedFileIsKeptAsideAndTheDevicesStartFromTheFactory)
{
    TempFolder dir;
    const std::string file = dir / "simulated-devices.flash";
    {
        ProgramRun run(file);
        run.SetReportRate(0);
    }
    std::string bytes = testsupport::ReadFileBytes(file);
    ASSERT_GT(bytes.size(), 200u);
    bytes[150] ^= 0x01; // one flipped bit in the mouse's key block
    testsupport::WriteFileBytes(file, bytes);

    ProgramRun run(file);
    EXPECT_EQ(run.loaded, SimFlashFile::LoadResult::Damaged);
    EXPECT_EQ(run.ReportRate(), SimulatedDevices().Mouse().Firmware().ProfileRegion()[kReportRateByte]);
    ASSERT_EQ(DamagedCopies(dir).size(), 1u);
    EXPECT_EQ(testsupport::ReadFileBytes(dir / DamagedCopies(dir)[0]), bytes) << "the unusable bytes are kept";

    run.SetReportRate(2);
    run.devices.FlashFile()->WaitForPendingSaves();
    ProgramRun next(file);
    EXPECT_EQ(next.loaded, SimFlashFile::LoadResult::Loaded);
    EXPECT_EQ(next.ReportRate(), 2);
}

} // namespace
