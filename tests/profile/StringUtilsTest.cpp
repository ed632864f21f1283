#include "profile/StringUtils.h"

#include <gtest/gtest.h>

namespace {

TEST(StringUtils, Utf8AndWideRoundTripNonAsciiText)
{
    const std::string text = "Maus \xC3\xA4 \xE9\xBC\xA0\xE6\xA0\x87 \xE0\xB8\x81 \xF0\x9F\x8E\xAE";
    std::wstring wide = Utf8ToWide(text);
    EXPECT_EQ(wide, L"Maus \u00E4 \u9F20\u6807 \u0E01 \U0001F3AE");
    EXPECT_EQ(WideToUtf8(wide), text);
    EXPECT_EQ(WideToAnsi(wide.c_str()), text);
    EXPECT_EQ(WideToAnsi(nullptr), "");
}

TEST(StringUtils, InvalidUtf8BecomesReplacementCharacters)
{
    EXPECT_EQ(Utf8ToWide("a\xFF" "b"), L"a\uFFFDb");
    EXPECT_EQ(Utf8ToWide("\xC0\x80"), L"\uFFFD\uFFFD");     // overlong NUL
    EXPECT_EQ(Utf8ToWide("\xED\xA0\x80"), L"\uFFFD\uFFFD\uFFFD"); // surrogate
    EXPECT_EQ(Utf8ToWide("\xE4\xB8"), L"\uFFFD\uFFFD");     // cut short
    EXPECT_EQ(WideToUtf8(std::wstring(1, static_cast<wchar_t>(0x110000))), "\xEF\xBF\xBD");
}

TEST(StringUtils, IsBlankName)
{
    EXPECT_TRUE(IsBlankName(""));
    EXPECT_TRUE(IsBlankName(" \t\r\n"));
    EXPECT_TRUE(IsBlankName("\xE3\x80\x80")); // ideographic space
    EXPECT_FALSE(IsBlankName("  a "));
    EXPECT_FALSE(IsBlankName("\xE9\xBC\xA0"));
}

TEST(StringUtils, HexString32AndRemoveChar)
{
    EXPECT_EQ(HexString32(26), "0000001A");
    EXPECT_EQ(HexString32(0xFF00FF00u), "FF00FF00");
    std::string text = "a_b_c";
    RemoveChar(text, '_');
    EXPECT_EQ(text, "abc");
}

TEST(StringUtils, SplitNameIndex)
{
    struct Case {
        const char* name;
        bool ok;
        const char* prefix;
        int number;
    };
    const Case cases[] = {
        {"DPI_slider_3", true, "DPI_slider_", 3},
        {"key_ComBox_check_12", true, "key_ComBox_check_", 12},
        {"deng_", true, "deng_", 0},
        {"light_x", true, "light_", 0},
        {"nounderscore", false, "untouched", -7},
    };
    for (const Case& c : cases) {
        std::string prefix = "untouched";
        int number = -7;
        EXPECT_EQ(SplitNameIndex(c.name, prefix, number), c.ok) << c.name;
        EXPECT_EQ(prefix, c.prefix) << c.name;
        EXPECT_EQ(number, c.number) << c.name;
    }
}

TEST(StringUtils, StepIndexWrapsBothWays)
{
    EXPECT_EQ(StepIndex(true, 5, 4, 1), 0);
    EXPECT_EQ(StepIndex(false, 5, 0, 1), 4);
    EXPECT_EQ(StepIndex(true, 5, 2, 1), 3);
    EXPECT_EQ(StepIndex(false, 5, 3, 1), 2);
    EXPECT_EQ(StepIndex(true, 255, 254, 1), 0); // 255 is not below the count
}

} // namespace
