#include "ToolkitFixture.h"

#include "toolkit/ContainerUI.h"

namespace {

using LayoutTest = ToolkitTest;

RECT PosOf(RecordingWindow& window, const char* name)
{
    CControlUI* control = window.Find(name);
    return control ? control->GetPos() : RECT{-1, -1, -1, -1};
}

TEST_F(LayoutTest, VerticalAndHorizontalShareSpaceByFixedStretchPaddingAndLimits)
{
    auto window = OpenWindow(R"(<Window><VerticalLayout name="root" inset="10,10,10,10" childpadding="5">
        <Control name="fixed" height="50"/>
        <Control name="stretch"/>
        <Control name="hidden" height="40" visible="false"/>
        <Control name="capped" maxheight="30" padding="20,3,20,2"/>
        <HorizontalLayout name="row" height="40" childpadding="4">
          <Control name="w100" width="100"/>
          <Control name="fill"/>
          <Control name="min" minwidth="200"/>
        </HorizontalLayout>
        <Control name="float" float="true" pos="300,5,340,25"/>
    </VerticalLayout></Window>)");
    // Inner height 280; fixed 50 + 40, paddings 3 * 5 + 5 (capped's own): 170 left for two stretchers.
    struct Case {
        const char* name;
        RECT expected;
    } cases[] = {
        {"fixed", {10, 10, 390, 60}},
        {"stretch", {10, 65, 390, 205}},
        {"capped", {30, 213, 370, 243}},
        {"row", {10, 250, 390, 290}},
        {"w100", {10, 250, 110, 290}},
        {"fill", {114, 250, 186, 290}},
        {"min", {190, 250, 390, 290}},
        {"float", {300, 5, 340, 25}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PosOf(*window, c.name), c.expected) << c.name;
    window->DestroyWindow();
}

TEST_F(LayoutTest, DpiScalesSizesAndTheWindow)
{
    auto window = OpenWindow(R"(<Window><VerticalLayout name="root" inset="8,8,8,8">
        <Control name="bar" height="40" width="100"/>
    </VerticalLayout></Window>)", 200, 100);
    CPaintManagerUI::SetAllDPI(144);
    host.RunPending();
    EXPECT_EQ(window->GetClientRect().right, 300);
    EXPECT_EQ(window->GetClientRect().bottom, 150);
    EXPECT_EQ(PosOf(*window, "bar"), (RECT{12, 12, 162, 72}));
    EXPECT_EQ(window->GetPaintManager().GetDPIObj()->Scale(1000), 1500);
    CPaintManagerUI::SetAllDPI(96);
    host.RunPending();
    EXPECT_EQ(PosOf(*window, "bar"), (RECT{8, 8, 108, 48}));
    window->DestroyWindow();
}

TEST_F(LayoutTest, HiddenContainerHidesChildrenAndHitTestFindsTheTopmost)
{
    auto window = OpenWindow(R"(<Window><VerticalLayout name="root">
        <VerticalLayout name="box" height="100"><Button name="inside"/></VerticalLayout>
        <Container name="layered"><Button name="under"/><Button name="over" float="true" pos="0,0,50,50"/></Container>
    </VerticalLayout></Window>)");
    CControlUI* box = window->Find("box");
    box->SetVisible(false);
    host.RunPending();
    EXPECT_FALSE(window->Find("inside")->IsVisible());
    EXPECT_EQ(PosOf(*window, "layered").top, 0) << "a hidden control takes no space";
    EXPECT_EQ(window->GetPaintManager().FindControl(POINT{10, 10}), window->Find("over"));
    EXPECT_EQ(window->GetPaintManager().FindControl(POINT{100, 100}), window->Find("under")) << window->GetPaintManager().FindControl(POINT{100, 100})->GetName() << " " << PosOf(*window, "under").top << "," << PosOf(*window, "under").bottom;
    box->SetVisible(true);
    EXPECT_TRUE(window->Find("inside")->IsVisible());
    window->DestroyWindow();
}

} // namespace
