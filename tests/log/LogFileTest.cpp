#include "log/LogFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

using testsupport::ReadFileBytes;
using testsupport::ScopedEnv;
using testsupport::TempFolder;
using testsupport::WriteFileBytes;

namespace {

std::tm At(int year, int month, int day, int hour, int minute, int second)
{
    std::tm t {};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    return t;
}

TEST(LogFile, LineIsTimestampColonMessage)
{
    TempFolder dir;
    WriteLogLine(dir / "Vintor.log", "Open>pNoDeviceLinkLyout    true", At(2026, 12, 10, 9, 5, 3));
    WriteLogLine(dir / "Vintor.log", "Hid2_4GDeviceIsLink>0xAA    false", At(2026, 12, 10, 9, 5, 4));
    EXPECT_EQ(ReadFileBytes(dir / "Vintor.log"),
              "2026-12-10-09-05-03:Open>pNoDeviceLinkLyout    true\n"
              "2026-12-10-09-05-04:Hid2_4GDeviceIsLink>0xAA    false\n");
}

TEST(LogFile, SizeLimitEmptiesOnlyAFileLargerThanTheLimit)
{
    struct Case {
        size_t existing;
        bool emptied;
    };
    for (Case c : {Case{4194304, false}, Case{4194305, true}}) {
        TempFolder dir;
        WriteFileBytes(dir / "Vintor.log", std::string(c.existing, 'x'));
        WriteLogLine(dir / "Vintor.log", "m", At(2026, 1, 2, 3, 4, 5));
        auto size = std::filesystem::file_size(dir / "Vintor.log");
        std::string line = "2026-01-02-03-04-05:m\n";
        EXPECT_EQ(size, c.emptied ? line.size() : c.existing + line.size()) << c.existing;
    }
}

TEST(LogFile, MissingFolderIsNotCreatedAndStandardErrorSaysSo)
{
    TempFolder dir;
    ScopedEnv data("XDG_DATA_HOME", dir / "nowhere");
    testing::internal::CaptureStderr();
    WriteLog("ReadDeviceData>WM_USB_MAINMESS_DEVICE_IS_INITUI    1");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "unable to open log file\n");
    EXPECT_FALSE(std::filesystem::exists(dir / "nowhere"));
}

TEST(LogFile, ALinkOutOfTheUserDataFolderIsKeptAsideNotWrittenThrough)
{
    TempFolder dir;
    ScopedEnv data("XDG_DATA_HOME", dir / "data");
    std::filesystem::create_directories(dir / "data/QV742-CORE");
    WriteFileBytes(dir / "outside", "precious");
    std::filesystem::create_symlink(dir / "outside", dir / "data/QV742-CORE/Vintor.log");
    WriteLog("hello");
    EXPECT_EQ(ReadFileBytes(dir / "outside"), "precious");
    EXPECT_FALSE(std::filesystem::is_symlink(dir / "data/QV742-CORE/Vintor.log"));
    EXPECT_EQ(ReadFileBytes(dir / "data/QV742-CORE/Vintor.log").substr(19), ":hello\n");
    int keptLinks = 0;
    for (const auto& item : std::filesystem::directory_iterator(dir / "data/QV742-CORE"))
        keptLinks += std::filesystem::is_symlink(item.symlink_status()) && std::filesystem::read_symlink(item.path()) == dir / "outside";
    EXPECT_EQ(keptLinks, 1);

    // A link that stays inside the folder is the user's arrangement and is followed.
    std::filesystem::remove(dir / "data/QV742-CORE/Vintor.log");
    std::filesystem::create_symlink("logs.txt", dir / "data/QV742-CORE/Vintor.log");
    WriteLog("inside");
    EXPECT_EQ(ReadFileBytes(dir / "data/QV742-CORE/logs.txt").substr(19), ":inside\n");
}

TEST(LogFile, WriteLogGoesToTheUserDataFolder)
{
    TempFolder dir;
    ScopedEnv data("XDG_DATA_HOME", dir.Path());
    std::filesystem::create_directory(dir / "QV742-CORE");
    WriteLog("hello");
    std::string text = ReadFileBytes(dir / "QV742-CORE/Vintor.log");
    ASSERT_EQ(text.size(), 20 + 6u);
    EXPECT_EQ(text.substr(19), ":hello\n");
}

} // namespace
