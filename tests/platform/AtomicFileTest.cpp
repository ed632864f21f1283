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

} // namespace
