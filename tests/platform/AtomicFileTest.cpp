#include "platform/AtomicFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

using platform::AtomicFile;
using testsupport::ReadFileBytes;
using testsupport::TempFolder;
using testsupport::WriteFileBytes;

namespace {

size_t FilesIn(const std::string& folder)
{
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

TEST(AtomicFile, ReplacesWholeFile)
{
    TempFolder dir;
    WriteFileBytes(dir / "a.json", "old contents that are longer");
    ASSERT_TRUE(AtomicFile::WriteWhole(dir / "a.json", "new"));
    EXPECT_EQ(ReadFileBytes(dir / "a.json"), "new");
    EXPECT_EQ(FilesIn(dir.Path()), 1u);
}

TEST(AtomicFile, AbandonedWriteKeepsOldFileAndLeavesNoTemporary)
{
    TempFolder dir;
    WriteFileBytes(dir / "a.json", "precious");
    {
        AtomicFile file(dir / "a.json");
        ASSERT_TRUE(file.Begin());
        ASSERT_TRUE(file.Write("half a docu"));
        // the process "dies" here: no Commit
    }
    EXPECT_EQ(ReadFileBytes(dir / "a.json"), "precious");
    EXPECT_EQ(FilesIn(dir.Path()), 1u);
}

TEST(AtomicFile, MissingFolderFailsAndCreatesNothing)
{
    TempFolder dir;
    EXPECT_FALSE(AtomicFile::WriteWhole(dir / "missing/a.json", "x"));
    EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
}

TEST(AtomicFile, KeepAsideLinksTheBytesOnceAndReplacingLeavesThemThere)
{
    TempFolder dir;
    WriteFileBytes(dir / "a.json", "damaged {");
    std::string copy = AtomicFile::KeepAside(dir / "a.json");
    ASSERT_FALSE(copy.empty());
    EXPECT_EQ(AtomicFile::KeepAside(dir / "a.json"), copy) << "the same bytes are not kept twice";
    ASSERT_TRUE(AtomicFile::WriteWhole(dir / "a.json", "{}"));
    EXPECT_EQ(ReadFileBytes(copy), "damaged {");
    EXPECT_EQ(FilesIn(dir.Path()), 2u);
    EXPECT_TRUE(AtomicFile::KeepAside(dir / "missing.json").empty());
}

TEST(AtomicFile, StaleTemporariesOfTheFolderAndItsDeviceFoldersAreRemovedAndNothingElse)
{
    TempFolder dir;
    std::filesystem::create_directories(dir / "mouse/deeper");
    const char* stale[] = {"settings.reg.tmp-a1B2c3", "mouse/ProfileList.ini.tmp-XyZ789"};
    const char* kept[] = {"notes.tmp-1", "a.json.tmp-ABCDEFG", ".tmp-abcdef", "a.json.tmp-ab_def",
                          "mouse/deeper/x.json.tmp-abcdef", "a.json"};
    for (const char* name : stale)
        WriteFileBytes(dir / name, "half");
    for (const char* name : kept)
        WriteFileBytes(dir / name, "mine");
    WriteFileBytes(dir / "outside", "precious");
    std::filesystem::create_symlink(dir / "outside", dir / "link.json.tmp-abcdef");
    std::filesystem::create_directory(dir / "folder.tmp-abcdef");

    EXPECT_EQ(AtomicFile::RemoveStaleTemporaries(dir.Path()), 2);
    for (const char* name : stale)
        EXPECT_FALSE(std::filesystem::exists(dir / name)) << name;
    for (const char* name : kept)
        EXPECT_EQ(ReadFileBytes(dir / name), "mine") << name;
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.json.tmp-abcdef"));
    EXPECT_EQ(ReadFileBytes(dir / "outside"), "precious");
    EXPECT_TRUE(std::filesystem::is_directory(dir / "folder.tmp-abcdef"));
}

} // namespace
