// The language faces draw real glyphs on Qt's offscreen platform: a character in a mapped face
// is drawn as the mapped Noto font draws it, and two different characters differ (a missing
// font would draw both as the same empty box).

#include "toolkit/ToolkitFixture.h"
#include "toolkit/qt/QtHost.h"
#include "ui/InterfaceFonts.h"

#include <QImage>

namespace {

class FontRenderTest : public ::testing::Test {
protected:
    FontRenderTest() : host(argc, argv) { InterfaceFonts::MapFacesToSystemFonts(); }

    // The image of text drawn white on black in face at 40 px.
    QImage Render(const std::string& face, const std::string& text)
    {
        testsupport::WriteFileBytes(skin / "label.xml",
                                    R"(<Window><Font id="1" name=")" + face + R"(" size="40"/>)" +
                                        R"(<Label bkcolor="#FF000000" textcolor="#FFFFFFFF" font="1" align="center" text=")" +
                                        text + R"("/></Window>)");
        RecordingWindow window(skin / "label.xml");
        window.Create(nullptr, "label", WS_POPUP, 0, 0, 0, 64, 64);
        QImage image = CQtHost::RenderToImage(window);
        window.DestroyWindow();
        return image;
    }

    static int InkedPixels(const QImage& image)
    {
        int inked = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                inked += qGray(image.pixel(x, y)) > 96;
        return inked;
    }

    int argc = 1;
    char name[8] = "test";
    char* argv[2] = {name, nullptr};
    testsupport::TempFolder skin;
    CQtHost host;
};

TEST_F(FontRenderTest, LanguageFacesDrawTheGlyphsOfTheMappedNotoFonts)
{
    struct Case {
        const char* face;
        const char* family;
        const char* text;
        const char* other;
    };
    for (Case c : {Case{"汉仪菱心体简", "Noto Sans CJK SC", "汉", "字"},
                   Case{"Noto Sans CJK TC Regular", "Noto Sans CJK TC", "漢", "體"},
                   Case{"Noto Sans Thai", "Noto Sans Thai", "ก", "ษ"},
                   Case{"Verdana Unicode MS", "Noto Sans", "W", "g"},
                   Case{"Verdana Unicode MS", "Noto Sans CJK SC", "汉", "字"}}) {
        QImage glyph = Render(c.face, c.text);
        EXPECT_GT(InkedPixels(glyph), 20) << c.face << " draws " << c.text;
        EXPECT_NE(glyph, Render(c.face, c.other)) << c.face << ": two characters look alike (a missing-glyph box?)";
        EXPECT_EQ(glyph, Render(c.family, c.text)) << c.face << " is drawn with " << c.family;
    }
}

} // namespace
