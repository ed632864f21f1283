#include "ToolkitFixture.h"

#include "toolkit/qt/QtHost.h"

#include <QColor>
#include <QImage>

namespace {

// Renders with the Qt host on the offscreen platform and checks a few pixels.
class QtRenderTest : public ::testing::Test {
protected:
    QtRenderTest() : host(argc, argv)
    {
        CPaintManagerUI::SetResourcePath(skin.Path());
        CPaintManagerUI::ClearSharedImages();
    }
    ~QtRenderTest() override { CPaintManagerUI::ClearSharedImages(); }

    std::unique_ptr<RecordingWindow> Open(const std::string& xml, int dpi)
    {
        testsupport::WriteFileBytes(skin / "render.xml", xml);
        auto window = std::make_unique<RecordingWindow>("render.xml");
        window->Create(nullptr, "render", WS_POPUP, 0, 0, 0, 100, 60);
        window->GetPaintManager().SetDPI(dpi);
        return window;
    }

    static QRgb At(const QImage& image, int x, int y) { return image.pixel(x, y) | 0xFF000000u; }

    int argc = 1;
    char name[8] = "test";
    char* argv[2] = {name, nullptr};
    testsupport::TempFolder skin;
    CQtHost host;
};

TEST_F(QtRenderTest, PaintsColoursTextAndSvgAtTheWindowsDpi)
{
    testsupport::WriteFileBytes(skin / "dot.svg",
                                R"(<svg xmlns="http://www.w3.org/2000/svg" width="10" height="10">)"
                                R"(<rect width="10" height="10" fill="#00FF00"/></svg>)");
    const std::string xml = R"(<Window><VerticalLayout bkcolor="#FF101010">
        <HorizontalLayout height="20">
          <Control width="50" bkcolor="#FFFF0000"/>
          <Control width="10" bkimage="dot.svg"/>
        </HorizontalLayout>
        <Label height="20" text="WWWWWWWW" textcolor="#FFFFFFFF" align="center"/>
        <Progress height="10" width="100" min="0" max="100" value="50" forecolor="#FF0000FF" bkcolor="#FF333333"/>
    </VerticalLayout></Window>)";
    for (int dpi : {96, 144}) {
        auto window = Open(xml, dpi);
        QImage image = CQtHost::RenderToImage(*window);
        int s = dpi / 48; // 2 at 96 DPI, 3 at 144 DPI: half a unit is 1 or 1.5 px
        auto unit = [dpi](int v) { return v * dpi / 96; };
        ASSERT_EQ(image.width(), unit(100)) << dpi;
        EXPECT_EQ(At(image, unit(25), unit(10)), 0xFFFF0000u) << "red cell at " << dpi;
        EXPECT_EQ(At(image, unit(55), unit(10)), 0xFF00FF00u) << "the SVG fills its cell at " << dpi;
        EXPECT_EQ(At(image, unit(25), unit(45)), 0xFF0000FFu) << "progress filled half way at " << dpi;
        EXPECT_EQ(At(image, unit(75), unit(45)), 0xFF333333u) << "progress track at " << dpi;
        EXPECT_EQ(At(image, unit(90), unit(57)), 0xFF101010u) << "background at " << dpi;
        int lit = 0;
        for (int x = 0; x < image.width(); ++x)
            lit += qGray(At(image, x, unit(30))) > 128;
        EXPECT_GT(lit, 3 * s) << "white text drawn across the label at " << dpi;
        window->DestroyWindow();
    }
}

} // namespace
