#include "ToolkitFixture.h"

#include "toolkit/DrawInfo.h"
#include "toolkit/LabelUI.h"
#include "toolkit/headless/RecordingPainter.h"

namespace {

using TextTest = ToolkitTest;
using ImageTest = ToolkitTest;

class EnglishOverride : public IQueryControlText {
public:
    CDuiString QueryControlText(const CDuiString& id, const CDuiString&) override
    {
        return id == "title" ? "From the window" : "";
    }
};

TEST_F(TextTest, KeysShowTheLoadedLanguageAndReloadSwitchesIt)
{
    WriteSkin("lang/en.xml", R"(<Language name="English"><Text id="hello" value="Hello"/><Text id="title" value="Title"/></Language>)");
    WriteSkin("lang/de.xml", R"(<Language name="Deutsch"><Text id="hello" value="Hallo"/></Language>)");
    auto window = OpenWindow(R"(<Window><VerticalLayout name="root">
        <Label name="greeting" text="%[hello]" tooltip="%[hello]"/>
        <Label name="missing" text="%[nothing]"/>
        <Label name="plain" text="50% [off]"/>
        <Label name="title" text="%[title]"/>
    </VerticalLayout></Window>)");
    CResourceManager& resources = CResourceManager::GetInstance();
    ASSERT_TRUE(resources.LoadLanguage("lang\\en.xml"));
    EXPECT_EQ(resources.GetLanguage(), "English");
    EXPECT_EQ(window->Find("greeting")->GetText(), "Hello");
    EXPECT_EQ(window->Find("greeting")->GetToolTip(), "Hello");
    EXPECT_EQ(window->Find("missing")->GetText(), "nothing") << "a key without text shows the key";
    EXPECT_EQ(window->Find("plain")->GetText(), "50% [off]");

    EnglishOverride query;
    resources.SetTextQueryInterface(&query);
    EXPECT_EQ(window->Find("title")->GetText(), "From the window");
    resources.SetTextQueryInterface(nullptr);

    ASSERT_TRUE(resources.LoadLanguage(skin / "lang/de.xml")) << "an absolute path works too";
    resources.ReloadText();
    host.RunPending();
    EXPECT_EQ(window->Find("greeting")->GetText(), "Hallo");
    EXPECT_EQ(window->Find("title")->GetText(), "title") << "the old language's texts are gone";
    EXPECT_FALSE(resources.LoadLanguage("lang/none.xml"));
    EXPECT_EQ(window->Find("greeting")->GetText(), "Hallo") << "a failed load keeps the table";
    window->DestroyWindow();
}

TEST_F(TextTest, EndEllipsisCutsTheTextWhereItsContainerEnds)
{
    auto window = OpenWindow(R"(<Window><VerticalLayout name="root">
        <HorizontalLayout name="row" width="120" height="25">
            <Label name="title" width="100" text="Title"/>
            <Label name="cut" width="180" text="Left button" endellipsis="true"/>
            <Label name="plain" width="180" text="Right button"/>
            <Label name="outside" width="180" text="Back button" endellipsis="true"/>
        </HorizontalLayout>
    </VerticalLayout></Window>)");
    host.RunPending();
    CRecordingPainter painter;
    window->GetPaintManager().Paint(&painter, window->GetClientRect());
    const int rowRight = window->Find("row")->GetPos().right;
    std::vector<CRecordingPainter::Call> texts = painter.Of(CRecordingPainter::Op::Text);
    ASSERT_EQ(texts.size(), 3u) << "an ellipsis label wholly outside its container draws nothing";
    EXPECT_EQ(texts[1].text, "Left button");
    EXPECT_EQ(texts[1].rc.right, rowRight) << "the ellipsis is placed at the visible edge";
    EXPECT_EQ(texts[1].rc.left, window->Find("cut")->GetPos().left);
    EXPECT_EQ(texts[2].rc.right, window->Find("plain")->GetPos().right) << "without the style the label keeps its box";
    window->DestroyWindow();
}

TEST(DrawInfoTest, ParsesTheWholeGrammar)
{
    TDrawInfo plain;
    plain.Parse("img\\button.png");
    EXPECT_EQ(plain.sImageName, "img\\button.png");
    EXPECT_FALSE(plain.bDestSet);

    TDrawInfo full;
    full.Parse("file='a.png' restype='PNG' dest='1,2,3,4' source='5,6,7,8' corner='1,1,2,2' mask='#FFFF00FF' "
               "fade='128' hole='true' xtiled='true' ytiled='false' hsl='true'",
               "dest='0,0,9,9'");
    EXPECT_EQ(full.sImageName, "a.png");
    EXPECT_EQ(full.sResType, "PNG");
    EXPECT_EQ(full.rcDest, (RECT{0, 0, 9, 9})) << "the modify string wins";
    EXPECT_EQ(full.rcSource, (RECT{5, 6, 7, 8}));
    EXPECT_EQ(full.rcCorner, (RECT{1, 1, 2, 2}));
    EXPECT_EQ(full.dwMask, 0xFFFF00FFu);
    EXPECT_EQ(full.uFade, 128);
    EXPECT_TRUE(full.bHole);
    EXPECT_TRUE(full.bTiledX);
    EXPECT_FALSE(full.bTiledY);
    EXPECT_TRUE(full.bHSL);

    TDrawInfo res;
    res.Parse("res='b.svg' fade='999'");
    EXPECT_EQ(res.sImageName, "b.svg");
    EXPECT_EQ(res.uFade, 255) << "fade is clamped";
}

TEST_F(ImageTest, DrawStringsResolveBelowTheSkinOrAbsoluteAndScaleTheirDest)
{
    WriteSkin("img/pic.png", PngHeader(40, 20));
    testsupport::TempFolder elsewhere;
    testsupport::WriteFileBytes(elsewhere / "abs.png", PngHeader(8, 8));
    auto window = OpenWindow(R"(<Window><VerticalLayout name="root">
        <Control name="pic" height="50" bkimage="file='img\pic.png' dest='10,10,400,30' source='0,0,20,20' fade='100'"/>
        <Control name="abs" height="50"/>
        <Control name="none" height="50" bkimage="img/none.png"/>
    </VerticalLayout></Window>)");
    window->Find("abs")->SetBkImage(elsewhere / "abs.png");
    CPaintManagerUI::SetAllDPI(144);
    host.RunPending();
    CRecordingPainter painter;
    window->GetPaintManager().Paint(&painter, window->GetClientRect());
    auto images = painter.Of(CRecordingPainter::Op::Image);
    ASSERT_EQ(images.size(), 2u) << "a missing picture draws nothing";
    const RECT& pic = window->Find("pic")->GetPos();
    EXPECT_EQ(images[0].rc, (RECT{pic.left + 15, pic.top + 15, pic.right, pic.top + 45}))
        << "dest scaled to 144 DPI and clipped to the control";
    EXPECT_EQ(images[0].image.rcSource, (RECT{0, 0, 20, 20}));
    EXPECT_EQ(images[0].image.uFade, 100);
    EXPECT_EQ(images[1].rc, window->Find("abs")->GetPos());
    const TImageInfo* info = window->GetPaintManager().GetImageEx("img/pic.png");
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->nX, 40);
    EXPECT_EQ(info->nY, 20);
    CPaintManagerUI::SetAllDPI(96);
    window->DestroyWindow();
}

} // namespace
