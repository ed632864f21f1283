#include "platform/Folders.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

using platform::Folders;
using testsupport::ScopedEnv;
using testsupport::TempFolder;

namespace {

TEST(Folders, UserFoldersFollowXdgVariablesAndHome)
{
    TempFolder dir;
    {
        ScopedEnv data("XDG_DATA_HOME", dir / "data");
        ScopedEnv config("XDG_CONFIG_HOME", dir / "config");
        ScopedEnv state("XDG_STATE_HOME", dir / "state");
        EXPECT_EQ(Folders::UserDataFolder(), dir / "data/QV742-CORE");
        EXPECT_EQ(Folders::UserConfigFolder(), dir / "config/QV742-CORE");
        EXPECT_EQ(Folders::UserStateFolder(), dir / "state/QV742-CORE");
    }
    ScopedEnv home("HOME", dir.Path());
    ScopedEnv relative("XDG_DATA_HOME", "not/absolute");
    ScopedEnv unset("XDG_STATE_HOME", "");
    EXPECT_EQ(Folders::UserDataFolder(), dir / ".local/share/QV742-CORE");
    EXPECT_EQ(Folders::UserStateFolder(), dir / ".local/state/QV742-CORE");
}

TEST(Folders, EnsureUserDataFolderCreatesParents)
{
    TempFolder dir;
    ScopedEnv data("XDG_DATA_HOME", dir / "a/b");
    EXPECT_TRUE(Folders::EnsureUserDataFolder());
    EXPECT_TRUE(Folders::FolderExists(dir / "a/b/QV742-CORE"));
    EXPECT_TRUE(Folders::EnsureUserDataFolder());
}

} // namespace
