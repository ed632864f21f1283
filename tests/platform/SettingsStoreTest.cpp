#include "platform/SettingsStore.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

using platform::SettingsStore;
using testsupport::ReadFileBytes;
using testsupport::TempFolder;
using testsupport::WriteFileBytes;

namespace {

const std::string kKey = "SOFTWARE\\QV742-CORE";

TEST(SettingsStore, ValuesSurviveANewStoreOnTheSameFile)
{
    TempFolder dir;
    std::string path = dir / "cfg/settings.reg";
    {
        SettingsStore store(path);
        EXPECT_FALSE(store.KeyExists(kKey));
        EXPECT_TRUE(store.SetDword(kKey, "LANGUAGE", 1));
        EXPECT_TRUE(store.SetString(kKey, "Skin", "line one\nback\\slash"));
    }
    SettingsStore again(path);
    EXPECT_TRUE(again.KeyExists("software\\qv742-core"));
    EXPECT_EQ(again.QueryDword(kKey, "language"), 1u);
    EXPECT_EQ(again.QueryString(kKey, "Skin"), "line one\nback\\slash");
    EXPECT_EQ(again.QueryString(kKey, "LANGUAGE"), std::nullopt); // wrong type
    EXPECT_TRUE(again.DeleteValue(kKey, "Skin"));
    EXPECT_EQ(again.QueryString(kKey, "Skin"), std::nullopt);
}

TEST(SettingsStore, DamagedLinesAreSkipped)
{
    TempFolder dir;
    WriteFileBytes(dir / "s.reg", "garbage\n=x\n[SOFTWARE\\QV742-CORE]\nLANGUAGE=dword:99999999999\nA=dword:7\nB=what\n[");
    SettingsStore store(dir / "s.reg");
    EXPECT_EQ(store.QueryDword(kKey, "LANGUAGE"), std::nullopt);
    EXPECT_EQ(store.QueryDword(kKey, "A"), 7u);
    EXPECT_EQ(store.QueryDword(kKey, "B"), std::nullopt);
    EXPECT_TRUE(store.SetDword(kKey, "LANGUAGE", 2));
    EXPECT_EQ(store.QueryDword(kKey, "LANGUAGE"), 2u);
}

} // namespace
