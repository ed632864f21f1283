#include "ui/LanguageList.h"

#include "platform/SettingsStore.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

using platform::SettingsStore;
using testsupport::ScopedEnv;
using testsupport::TempFolder;
using testsupport::WriteFileBytes;

namespace {

const char kConfig[] = R"({ "Language": [
  { "Language_ID": 2052, "Language_name": "zh_CN", "Language_file": "lan_cn.xml", "Language_text": "简体中文", "Locale": "zh_CN" },
  { "Language_ID": 1033, "Language_name": "en", "Language_file": "lan_en.xml", "Language_text": "English", "Locale": "en_US" },
  { "Language_ID": 1028, "Language_name": "zh_TW", "Language_file": "lan_tw.xml", "Language_text": "繁體中文", "Locale": "zh_TW" },
  { "Language_ID": "not a number", "Language_name": 7 }
] })";

class LanguageListTest : public testing::Test {
protected:
    void SetUp() override
    {
        WriteFileBytes(dir / "Language.config", kConfig);
        ASSERT_TRUE(list.Load(dir / "Language.config"));
    }

    TempFolder dir;
    LanguageList list;
    SettingsStore settings{dir / "settings.reg"};
};

TEST_F(LanguageListTest, LoadsEntriesAndRepairsWrongTypes)
{
    ASSERT_EQ(list.Entries().size(), 4u);
    EXPECT_EQ(list.EntryAt(1).file, "lan_en.xml");
    EXPECT_EQ(list.EntryAt(3).id, 0);
    EXPECT_EQ(list.EntryAt(3).name, "");
    EXPECT_EQ(list.EntryAt(9).file, "");
}

TEST_F(LanguageListTest, StoredLanguageRules)
{
    EXPECT_EQ(list.ReadStoredLanguage(settings), 0); // no key
    EXPECT_FALSE(LanguageList::StoreLanguage(settings, 1033)); // the key is never created here
    EXPECT_FALSE(settings.KeyExists(LanguageList::kSettingsKey));

    settings.CreateKey(LanguageList::kSettingsKey);
    EXPECT_EQ(list.ReadStoredLanguage(settings), 0); // unreadable value: id 520, not listed
    EXPECT_TRUE(LanguageList::StoreLanguage(settings, 1028));
    EXPECT_EQ(list.ReadStoredLanguage(settings), 2);
    EXPECT_TRUE(LanguageList::StoreLanguage(settings, 4242)); // an id the list does not know
    EXPECT_EQ(list.ReadStoredLanguage(settings), 0);
}

TEST_F(LanguageListTest, FirstStartStoresTheLanguageOfTheUsersLocale)
{
    struct Case {
        const char* locale;
        int expectedIndex;
    };
    for (Case c : {Case{"zh_TW.UTF-8", 2}, Case{"en_GB.UTF-8", 1}, Case{"de_DE.UTF-8", 0}, Case{"C", 0}}) {
        TempFolder fresh;
        SettingsStore store(fresh / "settings.reg");
        ScopedEnv all("LC_ALL", c.locale);
        EXPECT_TRUE(list.CreateSettingsOnFirstStart(store));
        EXPECT_FALSE(list.CreateSettingsOnFirstStart(store)); // only once
        EXPECT_EQ(list.ReadStoredLanguage(store), c.expectedIndex) << c.locale;
    }
}

TEST_F(LanguageListTest, MissingOrBrokenListResolvesToIndexZero)
{
    LanguageList broken;
    WriteFileBytes(dir / "bad.config", "{ \"Language\": ");
    EXPECT_FALSE(broken.Load(dir / "bad.config"));
    EXPECT_FALSE(broken.Load(dir / "missing.config"));
    settings.SetDword(LanguageList::kSettingsKey, LanguageList::kSettingsValue, 1033);
    EXPECT_EQ(broken.ReadStoredLanguage(settings), 0);
}

TEST(LanguageFonts, FaceAndRebuildRules)
{
    EXPECT_EQ(LanguageList::FaceForLanguage(0), "汉仪菱心体简");
    EXPECT_EQ(LanguageList::FaceForLanguage(2), "Noto Sans CJK TC Regular");
    EXPECT_EQ(LanguageList::FaceForLanguage(15), "Noto Sans Thai");
    EXPECT_EQ(LanguageList::FaceForLanguage(3), "Verdana Unicode MS");
    EXPECT_TRUE(LanguageList::NeedsFontRebuild(15, 3));
    EXPECT_FALSE(LanguageList::NeedsFontRebuild(3, 4));
    EXPECT_TRUE(LanguageList::NeedsFontRebuild(-1, 1));
    EXPECT_TRUE(LanguageList::NeedsFontRebuild(1, 0));
}

} // namespace
