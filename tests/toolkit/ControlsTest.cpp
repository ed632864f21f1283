#include "ToolkitFixture.h"

#include "toolkit/ColorPaletteUI.h"
#include "toolkit/ComboUI.h"
#include "toolkit/EditUI.h"
#include "toolkit/ListLabelElementUI.h"
#include "toolkit/ListUI.h"
#include "toolkit/MenuWnd.h"
#include "toolkit/OptionUI.h"
#include "toolkit/SliderUI.h"
#include "toolkit/TabLayoutUI.h"

namespace {

using ControlsTest = ToolkitTest;
using Notes = std::vector<std::string>;

TEST_F(ControlsTest, OptionGroupSwitchesTheBoundTabPage)
{
    auto window = OpenWindow(R"(<Window><VerticalLayout name="root">
        <HorizontalLayout height="30">
          <Option name="tab_a" group="tabs" selected="true" bindtablayoutname="pages" bindtabindex="0"/>
          <Option name="tab_b" group="tabs" bindtablayoutname="pages" bindtabindex="1"/>
          <CheckBox name="check"/>
        </HorizontalLayout>
        <TabLayout name="pages"><Label name="page_a"/><Label name="page_b"/></TabLayout>
        <TabLayout name="second" selectedid="1"><Label/><Label/></TabLayout>
    </VerticalLayout></Window>)");
    auto* pages = window->FindAs<CTabLayoutUI>("pages");
    auto* a = window->FindAs<COptionUI>("tab_a");
    auto* b = window->FindAs<COptionUI>("tab_b");
    EXPECT_EQ(pages->GetCurSel(), 0);
    EXPECT_EQ(window->FindAs<CTabLayoutUI>("second")->GetCurSel(), 1);
    synthetic::Click(b);
    EXPECT_TRUE(b->IsSelected());
    EXPECT_FALSE(a->IsSelected());
    EXPECT_EQ(pages->GetCurSel(), 1);
    EXPECT_FALSE(window->Find("page_a")->IsVisible());
    EXPECT_TRUE(window->Find("page_b")->IsVisible());
    synthetic::Click(b);
    EXPECT_TRUE(b->IsSelected()) << "a grouped option stays selected when clicked again";

    window->TakeNotes();
    a->Selected(true, false);
    EXPECT_EQ(window->TakeNotes(), Notes{}) << "no event when the caller asks for none";
    EXPECT_EQ(pages->GetCurSel(), 0);

    auto* check = window->FindAs<COptionUI>("check");
    synthetic::Click(check);
    synthetic::Click(check);
    EXPECT_FALSE(check->IsSelected()) << "an option without group toggles";
    window->DestroyWindow();
}

TEST_F(ControlsTest, DisablingAContainerKeepsTheChildrensOwnState)
{
    auto window = OpenWindow(R"(<Window><VerticalLayout name="root">
        <HorizontalLayout name="panel" height="30"><Button name="on"/><Button name="off" enabled="false"/></HorizontalLayout>
    </VerticalLayout></Window>)");
    CControlUI* panel = window->Find("panel");
    panel->SetEnabled(false);
    EXPECT_FALSE(window->Find("on")->IsEnabled());
    window->TakeNotes();
    synthetic::Click(window->Find("on"));
    Notes notes = window->TakeNotes();
    EXPECT_EQ(std::count(notes.begin(), notes.end(), "click:on"), 0);
    panel->SetEnabled(true);
    EXPECT_TRUE(window->Find("on")->IsEnabled());
    EXPECT_FALSE(window->Find("off")->IsEnabled()) << "a child disabled on its own stays disabled";
    window->DestroyWindow();
}

TEST_F(ControlsTest, SliderDragSendsMoveValuesThenTheFinalValue)
{
    auto window = OpenWindow(R"(<Window><VerticalLayout name="root" inset="0,0,0,0">
        <Slider name="DPI_slider_3" width="214" height="20" min="0" max="100" value="0" thumbsize="14,14"/>
    </VerticalLayout></Window>)");
    auto* slider = window->FindAs<CSliderUI>("DPI_slider_3");
    window->TakeNotes();
    std::vector<int> values;
    window->onNotify = [&](TNotifyUI&) { values.push_back(slider->GetValue()); };
    // Travel is 200 px for 100 steps: the thumb centre at x = 7 + 2 * value.
    synthetic::Drag(window.get(), POINT{7, 10}, POINT{107, 10}, 2);
    EXPECT_EQ(window->TakeNotes(), (Notes{"setfocus:DPI_slider_3", "movevaluechanged:DPI_slider_3",
                                          "movevaluechanged:DPI_slider_3", "valuechanged:DPI_slider_3"}));
    EXPECT_EQ(values, (std::vector<int>{0, 25, 50, 50}));
    synthetic::Drag(window.get(), POINT{107, 10}, POINT{900, 10}, 1);
    EXPECT_EQ(slider->GetValue(), 100) << "a drag past the end stops at the maximum";
    slider->SetValue(-5);
    EXPECT_EQ(slider->GetValue(), 0);
    window->TakeNotes();
    slider->SetValue(40);
    EXPECT_EQ(window->TakeNotes(), Notes{}) << "setting the value sends nothing";
    window->DestroyWindow();
}

TEST_F(ControlsTest, ComboSelectsWithOrWithoutEventAndThroughItsDropDown)
{
    auto window = OpenWindow(R"(<Window><VerticalLayout name="root">
        <Combo name="combo" height="30">
          <ListLabelElement text="Off" userdata="0"/>
          <ListLabelElement text="1 min" userdata="60"/>
          <ListLabelElement text="5 min" userdata="300" selected="true"/>
        </Combo>
    </VerticalLayout></Window>)");
    auto* combo = window->FindAs<CComboUI>("combo");
    EXPECT_EQ(combo->GetCurSel(), 2) << "the row marked selected in the skin";
    window->TakeNotes();
    WPARAM newIndex = 99;
    LPARAM oldIndex = 99;
    window->onNotify = [&](TNotifyUI& msg) {
        if (msg.sType == "itemselect") {
            newIndex = msg.wParam;
            oldIndex = msg.lParam;
        }
    };
    combo->SelectItem1(1, false, false);
    EXPECT_EQ(combo->GetCurSel(), 1);
    EXPECT_EQ(combo->GetText(), "1 min");
    EXPECT_EQ(window->TakeNotes(), Notes{});
    EXPECT_EQ(combo->GetItemAt(combo->GetCurSel())->GetUserData(), "60");

    synthetic::Click(combo);
    host.RunPending();
    ASSERT_TRUE(combo->IsDropped());
    EXPECT_EQ(host.OpenWindowCount(), 2);
    auto* third = static_cast<CListLabelElementUI*>(combo->GetItemAt(2));
    synthetic::Click(third);
    host.RunPending();
    EXPECT_FALSE(combo->IsDropped());
    EXPECT_EQ(host.OpenWindowCount(), 1);
    EXPECT_EQ(combo->GetCurSel(), 2);
    EXPECT_EQ(newIndex, 2u);
    EXPECT_EQ(oldIndex, 1);
    Notes notes = window->TakeNotes();
    EXPECT_EQ(std::count(notes.begin(), notes.end(), "itemselect:combo"), 1);
    EXPECT_EQ(combo->GetItemAt(2)->GetManager(), &window->GetPaintManager()) << "rows return from the drop-down";
    window->DestroyWindow();
}

// A hidden row keeps its index but leaves no gap at the foot of the drop-down.
TEST_F(ControlsTest, ComboDropDownIsAsTallAsItsShownRows)
{
    auto window = OpenWindow(R"(<Window><VerticalLayout name="root">
        <Combo name="combo" height="30" itemheight="30" dropboxsize="0,400">
          <ListLabelElement text="Wave"/>
          <ListLabelElement text="Custom" visible="false"/>
          <ListLabelElement text="Off"/>
        </Combo>
    </VerticalLayout></Window>)");
    auto* combo = window->FindAs<CComboUI>("combo");
    synthetic::Click(combo);
    host.RunPending();
    ASSERT_TRUE(combo->IsDropped());
    const RECT drop = combo->GetItemAt(0)->GetManager()->GetWindow()->GetWindowRect();
    EXPECT_EQ(drop.bottom - drop.top, 2 * 30 + 4);
    combo->CloseDrop();
    window->DestroyWindow();
}

TEST_F(ControlsTest, EditKeepsNumbersLengthAndRange)
{
    auto window = OpenWindow(R"(<Window><VerticalLayout name="root">
        <Edit name="DPI_edit_1" height="30" numberonly="true" maxchar="5" range="100,26000"/>
        <Edit name="name" height="30" maxchar="4"/>
    </VerticalLayout></Window>)");
    auto* dpi = window->FindAs<CEditUI>("DPI_edit_1");
    auto* name = window->FindAs<CEditUI>("name");
    synthetic::Click(dpi);
    synthetic::Type(window.get(), "4a0-0x00");
    EXPECT_EQ(dpi->GetText(), "40000") << "digits only, at most five";
    synthetic::PressKey(window.get(), VK_BACK);
    EXPECT_EQ(dpi->GetText(), "4000");
    window->TakeNotes();
    synthetic::PressKey(window.get(), VK_RETURN);
    EXPECT_EQ(window->TakeNotes(), (Notes{"return:DPI_edit_1", "killfocus:DPI_edit_1"})) << "Enter applies the edit";
    synthetic::Click(dpi);
    synthetic::PressKey(window.get(), VK_END);
    synthetic::Type(window.get(), "0");
    CDuiString atKillFocus;
    window->onNotify = [&](TNotifyUI& msg) {
        if (msg.sType == "killfocus")
            atKillFocus = msg.pSender->GetText();
    };
    synthetic::Click(name);
    EXPECT_EQ(atKillFocus, "26000") << "clamped into the range before killfocus goes out";
    synthetic::Type(window.get(), "Grüße");
    EXPECT_EQ(name->GetText(), "Grüß") << "the length counts characters, not bytes";
    window->DestroyWindow();
}

TEST_F(ControlsTest, ListSelectsClicksAndActivatesRows)
{
    auto window = OpenWindow(R"(<Window><VerticalLayout name="root">
        <List name="macro_name_list" itemheight="20">
          <ListLabelElement name="m0" text="first"/>
          <ListLabelElement name="m1" text="second"/>
        </List>
    </VerticalLayout></Window>)");
    auto* list = window->FindAs<CListUI>("macro_name_list");
    window->TakeNotes();
    synthetic::Click(window->Find("m1"));
    Notes notes = window->TakeNotes();
    EXPECT_NE(std::find(notes.begin(), notes.end(), "itemclick:m1"), notes.end());
    EXPECT_NE(std::find(notes.begin(), notes.end(), "itemselect:macro_name_list"), notes.end());
    EXPECT_EQ(list->GetCurSel(), 1);
    synthetic::DoubleClick(window->Find("m0"));
    notes = window->TakeNotes();
    EXPECT_NE(std::find(notes.begin(), notes.end(), "itemactivate:m0"), notes.end());
    EXPECT_EQ(list->GetCurSel(), 0);

    auto* row = new CListLabelElementUI;
    row->SetText("third");
    list->AddAt(row, 0);
    EXPECT_EQ(list->GetCurSel(), 1) << "the selection follows its row";
    list->RemoveAt(1);
    EXPECT_EQ(list->GetCurSel(), -1);
    EXPECT_EQ(static_cast<IListItemUI*>(list->GetItemAt(1)->GetInterface("ListItem"))->GetIndex(), 1);
    window->DestroyWindow();
}

TEST_F(ControlsTest, ColorPaletteRoundTripsAndReportsPicks)
{
    auto window = OpenWindow(R"(<Window><VerticalLayout name="root">
        <ColorPalette name="deng_Color_Pallet" width="200" height="160" barheight="12"/>
    </VerticalLayout></Window>)");
    auto* palette = window->FindAs<CColorPaletteUI>("deng_Color_Pallet");
    for (DWORD color : {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFF336699u, 0xFFFFFFFFu, 0xFF000000u}) {
        palette->SetSelectColor(color);
        EXPECT_EQ(palette->GetSelectColor(), color);
    }
    palette->SetSelectColor(0xFFFF0000);
    window->TakeNotes();
    WPARAM reported = 0;
    window->onNotify = [&](TNotifyUI& msg) {
        if (msg.sType == "colorchanged")
            reported = msg.wParam;
    };
    // Bottom-left of the square: no saturation, no brightness.
    synthetic::ClickAt(window.get(), POINT{0, 139});
    EXPECT_EQ(palette->GetSelectColor(), 0xFF000000u);
    EXPECT_EQ(reported, 0xFF000000u);
    window->DestroyWindow();
}

} // namespace

namespace {

TEST_F(ControlsTest, EditPlacesTheCaretWhereTheNextCharacterGoesAndSelects)
{
    auto window = OpenWindow(R"(<Window><VerticalLayout name="root">
        <Edit name="left" height="30" width="200" text="1200 dpi"/>
        <Edit name="centre" height="30" width="200" text="1200" align="center" numberonly="true" range="100,26000"/>
    </VerticalLayout></Window>)");
    auto* left = window->FindAs<CEditUI>("left");
    auto* centre = window->FindAs<CEditUI>("centre");

    synthetic::Click(centre);
    EXPECT_EQ(centre->GetCaretPos(), 2) << "the middle of centred text is between its middle characters";
    synthetic::Type(window.get(), "5");
    EXPECT_EQ(centre->GetText(), "12500");

    synthetic::PressKey(window.get(), 'A', MK_CONTROL);
    EXPECT_EQ(centre->GetSel(), std::make_pair(0, 5));
    synthetic::Type(window.get(), "9");
    EXPECT_EQ(centre->GetText(), "9") << "typing replaces the selection";

    synthetic::DoubleClick(left);
    EXPECT_EQ(left->GetSel(), std::make_pair(5, 8)) << "the word under the pointer";
    synthetic::Type(window.get(), "cpi");
    EXPECT_EQ(left->GetText(), "1200 cpi");
    synthetic::PressKey(window.get(), VK_HOME);
    synthetic::PressKey(window.get(), VK_RIGHT, MK_SHIFT);
    synthetic::PressKey(window.get(), VK_RIGHT, MK_SHIFT);
    EXPECT_EQ(left->GetSel(), std::make_pair(0, 2));
    synthetic::PressKey(window.get(), VK_BACK);
    EXPECT_EQ(left->GetText(), "00 cpi");
    window->DestroyWindow();
}

TEST_F(ControlsTest, AnEmptiedNumberFieldStaysEmptyUntilEnterOrTabApplyIt)
{
    auto window = OpenWindow(R"(<Window><VerticalLayout name="root">
        <Edit name="dpi" height="30" text="1600" numberonly="true" range="100,26000"/>
        <Button name="btn" height="30"/>
        <Edit name="hidden" height="30" visible="false"/>
        <Edit name="name" height="30"/>
    </VerticalLayout></Window>)");
    auto* dpi = window->FindAs<CEditUI>("dpi");
    const struct {
        UINT key;
        UINT modifiers;
        const char* focusAfter;
    } cases[] = {{VK_TAB, 0, "btn"}, {VK_TAB, MK_SHIFT, "name"}, {VK_RETURN, 0, ""}};
    for (const auto& c : cases) {
        synthetic::Click(dpi);
        synthetic::PressKey(window.get(), 'A', MK_CONTROL);
        synthetic::PressKey(window.get(), VK_BACK);
        EXPECT_EQ(dpi->GetText(), "") << "no value is forced in while the user types";
        window->TakeNotes();
        synthetic::PressKey(window.get(), c.key, c.modifiers);
        EXPECT_EQ(dpi->GetText(), "100") << "applied and clamped when the field is left";
        CControlUI* focus = window->GetPaintManager().GetFocus();
        EXPECT_EQ(focus ? std::string(focus->GetName()) : std::string(), c.focusAfter) << c.key << " " << c.modifiers;
        Notes notes = window->TakeNotes();
        EXPECT_NE(std::find(notes.begin(), notes.end(), "killfocus:dpi"), notes.end());
    }
    synthetic::Click(dpi);
    synthetic::PressKey(window.get(), VK_TAB);
    synthetic::PressKey(window.get(), VK_TAB);
    EXPECT_EQ(window->GetPaintManager().GetFocus(), window->Find("name")) << "hidden controls are skipped";
    synthetic::PressKey(window.get(), VK_TAB);
    EXPECT_EQ(window->GetPaintManager().GetFocus(), dpi) << "the order wraps around";
    EXPECT_EQ(dpi->GetSel(), std::make_pair(0, 3)) << "arriving by Tab selects the text";
    window->DestroyWindow();
}

TEST_F(ControlsTest, MenusStayInsideTheScreenWhereverTheirPointIs)
{
    WriteSkin("menu.xml", R"(<Menu width="180" itemheight="34" inset="1,4,1,4">
        <MenuElement name="show" text="show"/><MenuElement name="exit" text="exit"/></Menu>)");
    auto window = OpenWindow(R"(<Window><Control name="root"/></Window>)");
    host.SetMonitorRect(RECT{0, 0, 1600, 1000});
    const struct {
        POINT at;
        POINT topLeft;
    } cases[] = {
        {{100, 100}, {100, 100}},   // free room: left-top at the point
        {{1590, 990}, {1410, 914}}, // tray at the bottom right: opens up and to the left
        {{1590, 10}, {1410, 10}},   // tray at the top right
        {{5, 990}, {5, 914}},       // tray at the bottom left
    };
    for (const auto& c : cases) {
        CMenuWnd* menu = CMenuWnd::CreateMenu(nullptr, "menu.xml", c.at, &window->GetPaintManager());
        ASSERT_TRUE(menu);
        host.RunPending();
        RECT rc = menu->GetWindowRect();
        EXPECT_EQ(rc.left, c.topLeft.x) << c.at.x << "," << c.at.y;
        EXPECT_EQ(rc.top, c.topLeft.y) << c.at.x << "," << c.at.y;
        EXPECT_LE(rc.right, 1600);
        EXPECT_LE(rc.bottom, 1000);
        CMenuWnd::CloseAllMenus();
        host.RunPending();
    }
    window->DestroyWindow();
}

} // namespace

namespace {

TEST_F(ControlsTest, ADropDownSizedForItsRowsShowsEveryRowWhole)
{
    auto window = OpenWindow(R"(<Window><VerticalLayout name="root">
        <Combo name="logo" height="28" dropboxsize="0,88">
          <ListLabelElement text="Off" height="28"/><ListLabelElement text="Static" height="28"/>
          <ListLabelElement text="Breathing" height="28"/>
        </Combo>
    </VerticalLayout></Window>)");
    auto* combo = window->FindAs<CComboUI>("logo");
    synthetic::Click(combo);
    host.RunPending();
    ASSERT_TRUE(combo->IsDropped());
    CControlUI* last = combo->GetItemAt(2);
    const RECT box = last->GetManager()->GetWindow()->GetClientRect();
    EXPECT_EQ(box.bottom - box.top, 88) << "the rows' own height, not the list's default";
    EXPECT_LE(last->GetPos().bottom, box.bottom);
    EXPECT_EQ(last->GetPos().bottom - last->GetPos().top, 28);
    window->DestroyWindow();
}

} // namespace
