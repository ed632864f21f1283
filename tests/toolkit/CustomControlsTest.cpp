#include "ToolkitFixture.h"

#include "toolkit/ControlFactory.h"
#include "toolkit/ListUI.h"
#include "toolkit/custom/AudioRecordUI.h"
#include "toolkit/custom/CircleProgressUI.h"
#include "toolkit/custom/ComboEditContainerElementUI.h"
#include "toolkit/custom/DeviceKeyButtonUI.h"
#include "toolkit/custom/HandImgButtonUI.h"
#include "toolkit/custom/HandImgSelectButtonUI.h"
#include "toolkit/custom/SelectPanelUI.h"
#include "toolkit/headless/RecordingPainter.h"

namespace {

using Notes = std::vector<std::string>;
using Op = CRecordingPainter::Op;

std::string PngHeader(uint32_t width, uint32_t height)
{
    std::string bytes("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16);
    for (uint32_t v : {width, height})
        for (int shift = 24; shift >= 0; shift -= 8)
            bytes.push_back(char((v >> shift) & 0xFF));
    return bytes + std::string("\x08\x06\0\0\0", 5);
}

class CustomControlsTest : public ToolkitTest {
protected:
    CustomControlsTest()
    {
        CControlFactory* factory = CControlFactory::GetInstance();
        factory->RegistControl("CCircleProgressUI", [] { return new CCircleProgressUI; });
        factory->RegistControl("CSelectPanelUI", [] { return new CSelectPanelUI; });
        factory->RegistControl("CDeviceKeyButtonUI", [] { return new CDeviceKeyButtonUI; });
        factory->RegistControl("CHandImgButtonUI", [] { return new CHandImgButtonUI; });
        factory->RegistControl("CHandImgSelectButtonUI", [] { return new CHandImgSelectButtonUI; });
        factory->RegistControl("CAudioRecordUI", [] { return new CAudioRecordUI; });
        factory->RegistControl("CComboEditContainerElementUI", [] { return new CComboEditContainerElementUI; });
    }

    std::vector<CRecordingPainter::Call> Paint(RecordingWindow& window, CControlUI* control)
    {
        CRecordingPainter painter;
        control->DoPaint(&painter, window.GetClientRect());
        return painter.calls;
    }
};

TEST_F(CustomControlsTest, RubberBandSelectsOnlyTouchedDirectKeyButtons)
{
    auto window = OpenWindow(R"(<Window><SelectPanel name="device_key_light">
        <DeviceKeyButton name="k1" float="true" pos="10,10,30,30"/>
        <DeviceKeyButton name="k2" float="true" pos="100,10,120,30"/>
        <Button name="plain" float="true" pos="10,100,30,120"/>
        <Container name="nest" float="true" pos="200,200,260,260">
          <DeviceKeyButton name="nested"/>
        </Container>
    </SelectPanel></Window>)");
    auto key = [&](const char* name) { return window->FindAs<CDeviceKeyButtonUI>(name); };
    key("nested")->SetKeySelected(true);
    window->TakeNotes();

    struct Drag {
        POINT from, to;
        bool k1, k2;
        Notes notes;
    } drags[] = {
        {{5, 5}, {50, 300}, true, false, {"click_select_end:device_key_light"}},
        {{300, 290}, {5, 5}, true, true, {"click_select_end:device_key_light"}},
        {{5, 20}, {300, 20}, false, false, {"click_select_end:device_key_light"}}, // a line: empty rectangle
    };
    for (const Drag& d : drags) {
        synthetic::Drag(window.get(), d.from, d.to, 3);
        EXPECT_EQ(key("k1")->IsKeySelected(), d.k1) << d.to.x;
        EXPECT_EQ(key("k2")->IsKeySelected(), d.k2) << d.to.x;
        EXPECT_TRUE(key("nested")->IsKeySelected()) << "only direct children are touched";
        Notes notes = window->TakeNotes();
        notes.erase(std::remove_if(notes.begin(), notes.end(), [](const std::string& n) { return n.find("focus") != std::string::npos; }),
                    notes.end());
        EXPECT_EQ(notes, d.notes);
    }
    key("k1")->SetKeySelected(true);
    synthetic::ClickAt(window.get(), POINT{300, 290});
    EXPECT_TRUE(key("k1")->IsKeySelected()) << "a press and release without a move changes nothing";
    Notes notes = window->TakeNotes();
    EXPECT_EQ(std::count(notes.begin(), notes.end(), "click_select_end:device_key_light"), 0);
    window->DestroyWindow();
}

TEST_F(CustomControlsTest, CircleProgressRingFromEmptyToFull)
{
    auto window = OpenWindow(R"(<Window><VerticalLayout>
        <CircleProgress name="ring" width="100" height="100" min="0" max="200" bkcolor="#FF202020" forecolor="#FF00FF00"/>
    </VerticalLayout></Window>)");
    auto* ring = window->FindAs<CCircleProgressUI>("ring");
    CPaintManagerUI::SetAllDPI(144);
    host.RunPending();
    struct Case {
        int value;
        float sweep;
    } cases[] = {{0, 0}, {50, 90}, {199, 358}, {200, 360}};
    for (const Case& c : cases) {
        ring->SetValue(c.value);
        auto calls = Paint(*window, ring);
        std::vector<CRecordingPainter::Call> pies, holes;
        for (const auto& call : calls) {
            if (call.op == Op::Pie)
                pies.push_back(call);
            if (call.op == Op::Ellipse)
                holes.push_back(call);
        }
        ASSERT_EQ(pies.size(), 2u);
        EXPECT_EQ(pies[0].sweep, 360) << "background disc";
        EXPECT_EQ(pies[0].color, 0xFF202020u);
        EXPECT_EQ(pies[1].start, 90) << "the arc starts at the bottom";
        EXPECT_EQ(pies[1].sweep, c.sweep) << c.value;
        EXPECT_EQ(pies[1].color, 0xFF00FF00u);
        ASSERT_EQ(holes.size(), 1u);
        const RECT& rc = ring->GetPos();
        EXPECT_EQ(holes[0].rc, (RECT{rc.left + 10, rc.top + 10, rc.right - 10, rc.bottom - 10})) << "10 px at any DPI";
        EXPECT_EQ(holes[0].color, 0xFFFFFFFFu);
    }
    ring->SetMinValue(200);
    EXPECT_EQ(ring->SweepDegrees(), 0) << "an empty range draws no arc";
    CPaintManagerUI::SetAllDPI(96);
    window->DestroyWindow();
}

TEST_F(CustomControlsTest, AudioRecordBarsStandTwoPixelsApart)
{
    auto window = OpenWindow(R"(<Window><VerticalLayout>
        <AudioRecord name="rec" width="10" height="100"/>
    </VerticalLayout></Window>)");
    auto* rec = window->FindAs<CAudioRecordUI>("rec");
    const int32_t samples[] = {8192, 0, 4096, 0, -300};
    rec->SetSamples(samples, 5);
    auto calls = Paint(*window, rec);
    std::vector<RECT> bars;
    for (const auto& call : calls)
        if (call.op == Op::FillRect && call.color == 0xFF000000)
            bars.push_back(call.rc);
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls[0].color, 0xFFFFFFFFu) << "white first";
    const RECT& rc = rec->GetPos();
    EXPECT_EQ(bars, (std::vector<RECT>{{rc.left, rc.top, rc.left + 1, rc.bottom - 1},
                                       {rc.left + 4, rc.top + 50, rc.left + 5, rc.bottom - 1}}));
    EXPECT_EQ(CAudioRecordUI().GetSample(255), 255);
    window->DestroyWindow();
}

TEST_F(CustomControlsTest, HandImageSelectButtonPansALargePictureOnly)
{
    WriteSkin("img/big.png", PngHeader(300, 100));
    WriteSkin("img/small.png", PngHeader(40, 20));
    auto window = OpenWindow(R"(<Window><VerticalLayout>
        <HandImgSelectButton name="big" width="100" height="50" handimage="img/big.png"/>
        <HandImgSelectButton name="small" width="100" height="50" handimage="img/small.png"/>
    </VerticalLayout></Window>)");
    auto* big = window->FindAs<CHandImgSelectButtonUI>("big");
    EXPECT_EQ(big->GetDrawString(), "file='img/big.png' source='0,0,100,50'");
    POINT c = synthetic::CenterOf(big);
    struct Step {
        int dx;
        RECT window;
    } steps[] = {
        {-30, {30, 0, 130, 50}},  // left: more of the right part
        {50, {0, 0, 100, 50}},    // right past the edge: stops at 0, width kept
        {-500, {200, 0, 300, 50}}, // far left: stops at the picture's right edge
    };
    for (const Step& s : steps) {
        synthetic::Drag(window.get(), c, POINT{c.x + s.dx, c.y}, 1);
        EXPECT_EQ(big->GetImageWindow(), s.window) << s.dx;
    }
    EXPECT_EQ(big->GetDrawString(), "file='img/big.png' source='200,0,300,50'");
    auto* small = window->FindAs<CHandImgSelectButtonUI>("small");
    EXPECT_EQ(small->GetDrawString(), "img/small.png") << "a small picture is shown whole";
    POINT s = synthetic::CenterOf(small);
    synthetic::Drag(window.get(), s, POINT{s.x - 40, s.y}, 1);
    EXPECT_EQ(small->GetImageWindow(), (RECT{0, 0, 100, 50})) << "no panning: the whole picture stays in view";
    window->DestroyWindow();
}

TEST_F(CustomControlsTest, KeyButtonLightsItsImageAndReportsDoubleClicks)
{
    WriteSkin("img/light.png", PngHeader(20, 20));
    WriteSkin("img/mark.png", PngHeader(8, 8));
    auto window = OpenWindow(R"(<Window><VerticalLayout>
        <DeviceKeyButton name="key_3" width="40" height="40" LightImage="img/light.png" keysetimage="img/mark.png" gmnametextcolor="#FF00FF00"/>
    </VerticalLayout></Window>)");
    auto* key = window->FindAs<CDeviceKeyButtonUI>("key_3");
    auto images = [&] {
        std::vector<CRecordingPainter::Call> found;
        for (const auto& call : Paint(*window, key))
            if (call.op == Op::Image)
                found.push_back(call);
        return found;
    };
    EXPECT_TRUE(images().empty()) << "dark and unmarked at first";
    key->SetKeyLight(0xFF8000, 128, true);
    key->SetKeySetMarkHidden(false);
    auto lit = images();
    ASSERT_EQ(lit.size(), 2u);
    EXPECT_TRUE(lit[0].image.bTinted);
    EXPECT_EQ(lit[0].image.dwTint, 0xFF8000u);
    EXPECT_EQ(lit[0].image.nTintLevel, 128);
    EXPECT_FALSE(lit[1].image.bTinted) << "the key-set mark is drawn as it is";

    window->TakeNotes();
    synthetic::DoubleClick(key);
    Notes notes = window->TakeNotes();
    EXPECT_EQ(std::count(notes.begin(), notes.end(), "dbclick:key_3"), 1);
    key->SetEnabled(false);
    synthetic::DoubleClick(key);
    notes = window->TakeNotes();
    EXPECT_EQ(std::count(notes.begin(), notes.end(), "dbclick:key_3"), 0) << "nothing while disabled";
    window->DestroyWindow();
}

TEST_F(CustomControlsTest, HandImageButtonReportsHoverAndClicks)
{
    auto window = OpenWindow(R"(<Window><VerticalLayout>
        <HandImgButton name="hand" width="40" height="40"/>
        <Control name="away"/>
    </VerticalLayout></Window>)");
    window->TakeNotes();
    CControlUI* hand = window->Find("hand");
    synthetic::Click(hand);
    synthetic::MoveTo(window.get(), synthetic::CenterOf(window->Find("away")));
    EXPECT_EQ(window->TakeNotes(), (Notes{"msenter:hand", "setfocus:hand", "click:hand", "msleave:hand"}));
    window->DestroyWindow();
}

TEST_F(CustomControlsTest, ComboEditRowsBuildTheirOwnContentAndAnswerEnter)
{
    WriteSkin("XML/CustomControlXML/ComboEditElementItem.xml", R"(<HorizontalLayout>
        <Label name="text1"/><Label name="text2"/><Edit name="delay_edit"/>
    </HorizontalLayout>)");
    auto window = OpenWindow(R"(<Window><List name="macro_list" itemheight="30">
        <ComboEditContainerElement name="row0"/>
        <ComboEditContainerElement name="row1"/>
    </List></Window>)");
    auto* row0 = window->FindAs<CComboEditContainerElementUI>("row0");
    auto* row1 = window->FindAs<CComboEditContainerElementUI>("row1");
    ASSERT_NE(row0->GetText1(), nullptr);
    EXPECT_NE(row0->GetText1(), row1->GetText1()) << "each row keeps its own controls";
    EXPECT_EQ(row1->GetDelayEdit()->GetParent()->GetParent(), row1);

    window->TakeNotes();
    synthetic::Click(row1);
    Notes notes = window->TakeNotes();
    EXPECT_NE(std::find(notes.begin(), notes.end(), "itemclick:row1"), notes.end());
    EXPECT_EQ(window->FindAs<CListUI>("macro_list")->GetCurSel(), 1);
    row1->SetFocus();
    window->TakeNotes();
    synthetic::PressKey(window.get(), VK_RETURN);
    EXPECT_EQ(window->TakeNotes(), (Notes{"itemactivate:row1", "return:row1"}));
    window->DestroyWindow();
}

} // namespace
