#include "ui/SkinSettingsFile.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

TEST(SkinSettingsFile, ReadsOnlyCompleteChoices)
{
    testsupport::TempFolder dir;
    const struct {
        const char* text;
        bool found;
        bool isColour;
        const char* image;
        uint32_t colour;
    } cases[] = {
        {"[SKINIMAGE]\nFLAGS=1\nIMAGE=skin/bg_ember.svg\n", true, false, "skin/bg_ember.svg", 0},
        {"[SKINIMAGE]\r\nFLAGS = 1\r\nIMAGE = skin/bg_ember.svg\r\n", true, false, "skin/bg_ember.svg", 0},
        {"[SKINIMAGE]\nFLAGS=0\n", true, false, "common/background.png", 0},
        {"[SKINIMAGE]\nFLAGS=2\nCOLOR=#FF201417\n", true, true, "", 0xFF201417},
        {"[SKINIMAGE]\nFLAGS=2\nCOLOR=red\n", false, false, "", 0},
        {"[SKINIMAGE]\nFLAGS=7\nIMAGE=x.png\n", false, false, "", 0},
        {"[SKINIMAGE]\nFLAGS=1\n", false, false, "", 0},
        {"[OTHER]\nFLAGS=1\nIMAGE=x.png\n", false, false, "", 0},
        {"\x01\x02garbage", false, false, "", 0},
    };
    for (const auto& c : cases) {
        testsupport::WriteFileBytes(dir / "main.ini", c.text);
        std::optional<SkinChangedParam> choice = SkinSettingsFile(dir / "main.ini").Read();
        ASSERT_EQ(choice.has_value(), c.found) << c.text;
        if (!choice)
            continue;
        EXPECT_EQ(choice->isColour, c.isColour) << c.text;
        EXPECT_EQ(choice->image, c.image) << c.text;
        EXPECT_EQ(choice->colour, c.colour) << c.text;
    }
    EXPECT_FALSE(SkinSettingsFile(dir / "missing.ini").Read());
}

TEST(SkinSettingsFile, RewritesChangeOnlyItsOwnKeys)
{
    testsupport::TempFolder dir;
    testsupport::WriteFileBytes(dir / "main.ini", "; kept\n[WINDOW]\nX=4\n[SKINIMAGE]\nFLAGS=1\nIMAGE=a.png\nEXTRA=yes\n[TAIL]\nY=5\n");
    SkinSettingsFile file(dir / "main.ini");
    SkinChangedParam colour;
    colour.isColour = true;
    colour.colour = 0xFF101820;
    ASSERT_TRUE(file.Write(colour));
    EXPECT_EQ(testsupport::ReadFileBytes(dir / "main.ini"),
              "; kept\n[WINDOW]\nX=4\n[SKINIMAGE]\nFLAGS=2\nIMAGE=a.png\nEXTRA=yes\nCOLOR=#FF101820\n[TAIL]\nY=5\n");
    ASSERT_TRUE(file.WriteDefault());
    EXPECT_EQ(*file.Value("SKINIMAGE", "FLAGS"), "0");
    EXPECT_EQ(*file.Value("SKINIMAGE", "IMAGE"), "common/background.png");
    EXPECT_EQ(*file.Value("TAIL", "Y"), "5");

    ASSERT_TRUE(SkinSettingsFile(dir / "fresh.ini").WriteDefault());
    EXPECT_EQ(testsupport::ReadFileBytes(dir / "fresh.ini"), "[SKINIMAGE]\nFLAGS=0\nIMAGE=common/background.png\n");
}

} // namespace
