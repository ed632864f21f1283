#include "ui/LanguageManager.h"

#include "platform/SettingsStore.h"
#include "toolkit/ToolkitFixture.h"
#include "ui/LanguageText.h"

using platform::SettingsStore;
using testsupport::ScopedEnv;
using testsupport::TempFolder;
using testsupport::WriteFileBytes;

namespace {

const char* const kSimplifiedFace = "汉仪菱心体简";
const char* const kLatinFace = "Verdana Unicode MS";

// A language list of 16 entries (index 15 is Thai); entry i has id 1000 + i, locale
// "l<i>_XX" (index 0 zh_CN, 1 en_US) and a file whose "hello" text is "hello <i>".
class LanguageManagerTest : public ToolkitTest {
protected:
    LanguageManagerTest()
    {
        std::string list = R"({ "Language": [)";
        for (int i = 0; i < 16; ++i) {
            std::string locale = i == 0 ? "zh_CN" : i == 1 ? "en_US" : "l" + std::to_string(i) + "_XX";
            list += (i ? "," : "") + std::string(R"({ "Language_ID": )") + std::to_string(1000 + i) +
                    R"(, "Language_name": "name)" + std::to_string(i) + R"(", "Language_file": "lan_)" +
                    std::to_string(i) + R"(.xml", "Language_text": "t", "Locale": ")" + locale + "\" }";
            WriteFileBytes(data / ("lan_" + std::to_string(i) + ".xml"),
                           R"(<Language><Text id="hello" value="hello )" + std::to_string(i) + R"("/></Language>)");
        }
        WriteFileBytes(data / "Language.config", list + "] }");
        window = OpenWindow(R"(<Window><Font id="3" name="Private" size="9"/>
            <VerticalLayout><Label name="str_test" visible="false"/><Label name="greeting" text="%[hello]"/>
            </VerticalLayout></Window>)");
        languages.SetAuxiliaryWindowsNotifier([this] { ++auxiliaryNotices; });
    }

    CPaintManagerUI& Manager() { return window->GetPaintManager(); }
    std::string Greeting() { return window->Find("greeting")->GetText(); }
    std::optional<uint32_t> StoredId() { return settings.QueryDword(LanguageList::kSettingsKey, "LANGUAGE"); }

    TempFolder data;
    SettingsStore settings{data / "settings.reg"};
    LanguageManager languages{data.Path(), settings};
    std::unique_ptr<RecordingWindow> window;
    int auxiliaryNotices = 0;
};

TEST_F(LanguageManagerTest, FirstRunAppliesTheLanguageOfTheLocaleWithItsFontTable)
{
    struct Case {
        const char* locale;
        int index;
        const char* face;
    };
    for (Case c : {Case{"C", 0, kSimplifiedFace}, Case{"en_GB.UTF-8", 1, kLatinFace}}) {
        TempFolder fresh;
        SettingsStore store(fresh / "settings.reg");
        LanguageManager manager(data.Path(), store);
        ScopedEnv locale("LC_ALL", c.locale);
        int index = manager.ReadStoredLanguage();
        ASSERT_EQ(index, c.index) << c.locale;
        manager.ApplyLanguage(index, Manager());

        EXPECT_EQ(manager.CurrentIndex(), c.index);
        EXPECT_EQ(Greeting(), "hello " + std::to_string(c.index)) << c.locale;
        EXPECT_EQ(store.QueryDword(LanguageList::kSettingsKey, "LANGUAGE"), uint32_t(1000 + c.index));
        const TFontInfo& font0 = Manager().GetFont(0);
        EXPECT_EQ(font0.sFontName, c.face);
        EXPECT_EQ(font0.iSize, 15);
        EXPECT_EQ(Manager().GetFont(3).iSize, 30) << "the window's own font 3 was removed first";
        EXPECT_TRUE(Manager().GetFont(1).bUnderline);
        EXPECT_TRUE(Manager().GetFont(50).bBold);
        EXPECT_EQ(Manager().GetFont(50).iSize, 18);
        EXPECT_EQ(Manager().GetDefaultFontInfo().iSize, 14);
        EXPECT_EQ(Manager().GetDefaultFontInfo().sFontName, c.face);
    }
}

TEST_F(LanguageManagerTest, ChoosingTheCurrentLanguageAgainDoesNothing)
{
    settings.CreateKey(LanguageList::kSettingsKey);
    languages.ApplyLanguage(4, Manager());
    ASSERT_EQ(StoredId(), 1004u);
    ASSERT_EQ(auxiliaryNotices, 1);
    settings.DeleteValue(LanguageList::kSettingsKey, "LANGUAGE");
    CResourceManager::GetInstance().LoadLanguage(data / "lan_7.xml");

    languages.ApplyLanguage(4, Manager());
    EXPECT_EQ(auxiliaryNotices, 1);
    EXPECT_FALSE(StoredId());
    EXPECT_EQ(Greeting(), "hello 7");
}

TEST_F(LanguageManagerTest, FontsAreRebuiltOnlyWhenTheOldOrNewLanguageNeedsItsOwnFace)
{
    struct Case {
        int from;
        int to;
        bool rebuilt;
        const char* face;
    };
    for (Case c : {Case{15, 3, true, kLatinFace}, Case{3, 4, false, ""}, Case{1, 2, true, "Noto Sans CJK TC Regular"},
                   Case{2, 15, true, "Noto Sans Thai"}, Case{6, 0, true, kSimplifiedFace}}) {
        languages.ApplyLanguage(c.from, Manager());
        Manager().AddFont(0, "Marker", 15, false, false, false, false, true);
        languages.ApplyLanguage(c.to, Manager());
        EXPECT_EQ(Manager().GetFont(0).sFontName, c.rebuilt ? c.face : "Marker") << c.from << " -> " << c.to;
        EXPECT_EQ(Greeting(), "hello " + std::to_string(c.to));
    }
}

TEST_F(LanguageManagerTest, AnIndexOutsideTheListLoadsAndStoresNothing)
{
    settings.SetDword(LanguageList::kSettingsKey, "LANGUAGE", 1001);
    languages.ApplyLanguage(1, Manager());
    languages.ApplyLanguage(16, Manager());
    EXPECT_EQ(languages.CurrentIndex(), 16);
    EXPECT_EQ(Greeting(), "hello 1") << "the loaded texts stay";
    EXPECT_EQ(StoredId(), 1001u);
    EXPECT_EQ(CResourceManager::GetInstance().GetLanguage(), "");
}

TEST_F(LanguageManagerTest, TextsWithANumberAreTranslatedThroughTheHiddenLabel)
{
    WriteFileBytes(data / "lan_2.xml", R"x(<Language><Text id="message_text_16" value="remove %d steps (100%%)"/></Language>)x");
    languages.ApplyLanguage(2, Manager());
    EXPECT_EQ(LanguageText::Format(&Manager(), "message_text_16", 7), "remove 7 steps (100%)");
    EXPECT_EQ(window->Find("str_test")->GetTextRaw(), "%[message_text_16]");
    EXPECT_EQ(LanguageText::Format(nullptr, "message_text_16", -3), "remove -3 steps (100%)");
    EXPECT_EQ(LanguageText::Format(nullptr, "no_such_key", 5), "no_such_key 5");
}

TEST(LanguageTextFormat, OnlyOneIntegerConversionIsFilled)
{
    struct Case {
        const char* format;
        const char* shown;
    };
    for (Case c : {Case{"%d steps", "42 steps"}, Case{"[%5d]", "[   42]"}, Case{"%-4i|", "42  |"},
                   Case{"%lu left", "42 left"}, Case{"%d%%", "42%"}, Case{"no number", "no number 42"},
                   Case{"%s crash", "%s crash 42"}, Case{"%d and %d", "%d and %d 42"}, Case{"%n", "%n 42"},
                   Case{"%99999d", "%99999d 42"}, Case{"100%", "100% 42"}, Case{"%#x", "%#x 42"}, Case{"50%% off", "50% off 42"}}) {
        EXPECT_EQ(LanguageText::FormatNumber(c.format, 42), c.shown) << c.format;
    }
}

} // namespace
