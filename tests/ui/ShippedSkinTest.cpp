// The shipped skins under data/skin build without error and hold every control the program
// looks up by name, and every picture they name is shipped. The program's own controls are
// stood in for by plain toolkit controls that answer the same class names.

#include "toolkit/ButtonUI.h"
#include "toolkit/DialogBuilder.h"
#include "toolkit/DrawInfo.h"
#include "toolkit/HorizontalLayoutUI.h"
#include "toolkit/ResourceManager.h"
#include "toolkit/TabLayoutUI.h"
#include "toolkit/UIParse.h"
#include "toolkit/VerticalLayoutUI.h"
#include "toolkit/WindowImplBase.h"
#include "toolkit/headless/HeadlessHost.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace {

const std::string kSkinDir = std::string(QV742_TEST_SOURCE_DIR) + "/data/skin";

template <typename Base>
class StandIn : public Base {
public:
    explicit StandIn(std::string className) : m_class(std::move(className)) {}
    const char* GetClass() const override { return m_class.c_str(); }

private:
    std::string m_class;
};

// The main window as the program builds it: unknown tags become stand-ins of their class.
class SkinWindow : public WindowImplBase {
public:
    CDuiString GetSkinFile() override { return "XML_MAIN"; }
    CControlUI* CreateControl(const char* tag) override
    {
        std::string name = ToLowerAscii(tag);
        if (name == "selectpanel")
            return new StandIn<CVerticalLayoutUI>("SelectPanel");
        if (name == "devicekeybutton")
            return new StandIn<CButtonUI>("DeviceKeyButton");
        if (name == "deviceoption")
            return new StandIn<CHorizontalLayoutUI>("DeviceOption");
        if (name == "mpdevicepower")
            return new StandIn<CHorizontalLayoutUI>("MpDevicePower");
        if (name.rfind("orlith", 0) == 0) // the device page roots: the device objects
            return new StandIn<CHorizontalLayoutUI>(tag);
        if (name == "deviceprofile")
            return new StandIn<CHorizontalLayoutUI>("DeviceProfile");
        if (name == "shootcontrol")
            return new StandIn<CHorizontalLayoutUI>("ShootControl");
        if (name == "chartview")
            return new StandIn<CControlUI>("ChartView");
        if (name == "keysetcontrol")
            return new StandIn<CHorizontalLayoutUI>("KeySetControl");
        if (name == "macrocontrol")
            return new StandIn<CHorizontalLayoutUI>("MacroControl");
        return nullptr;
    }
    CControlUI* Find(const std::string& name) { return m_pm.FindControl(name); }
    CControlUI* FindIn(CControlUI* parent, const std::string& name) { return m_pm.FindSubControlByName(parent, name); }
    // Builds a subtree file as the program does (its paint manager and this callback) and
    // adds it to the named container; null when it does not build.
    CControlUI* BuildInto(const std::string& file, const std::string& container)
    {
        CDialogBuilder builder;
        CControlUI* root = builder.Create(file, nullptr, this, &m_pm);
        EXPECT_NE(root, nullptr) << file << ": " << builder.GetLastErrorMessage();
        auto* parent = static_cast<CContainerUI*>(Find(container) ? Find(container)->GetInterface("Container") : nullptr);
        if (root && parent)
            parent->Add(root);
        return root;
    }

protected:
    const char* GetWindowClassName() const override { return "MainWnd"; }
};

class ShippedSkinTest : public ::testing::Test {
protected:
    ShippedSkinTest()
    {
        CPaintManagerUI::SetResourcePath(kSkinDir);
        CPaintManagerUI::ClearSharedImages();
        CResourceManager::GetInstance().Release();
        EXPECT_TRUE(CResourceManager::GetInstance().LoadResource("res.xml"));
        window.Create(nullptr, "QV742-CORE", WS_POPUP, 0, 0, 0, 800, 572);
        host.RunPending();
    }
    ~ShippedSkinTest() override
    {
        window.DestroyWindow();
        CResourceManager::GetInstance().Release();
    }

    // The control is there and answers the toolkit interface the program uses it through.
    void ExpectControl(CControlUI* parent, const std::string& name, const char* iface = "Control")
    {
        CControlUI* control = window.FindIn(parent, name);
        ASSERT_NE(control, nullptr) << name;
        EXPECT_NE(control->GetInterface(iface), nullptr) << name << " is no " << iface;
    }

    CHeadlessHost host;
    SkinWindow window;
};

// A file that does not parse, or whose root tag nobody knows, builds nothing.
TEST_F(ShippedSkinTest, EveryShippedSkinFileBuilds)
{
    int files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(kSkinDir)) {
        if (entry.path().extension() != ".xml" || entry.path().filename() == "res.xml")
            continue;
        std::string file = std::filesystem::relative(entry.path(), kSkinDir).string();
        CDialogBuilder builder;
        CControlUI* root = builder.Create(file, nullptr, &window, nullptr);
        EXPECT_NE(root, nullptr) << file << ": " << builder.GetLastErrorMessage();
        delete root;
        ++files;
    }
    EXPECT_GE(files, 8);
}

TEST_F(ShippedSkinTest, MainWindowHoldsTheShellsControls)
{
    ASSERT_NE(window.GetPaintManager().GetRoot(), nullptr);
    SIZE size = window.GetPaintManager().GetInitSize();
    EXPECT_EQ(size.cx, 1000);
    EXPECT_EQ(size.cy, 640);
    const std::pair<const char*, const char*> controls[] = {
        {"closebtn", "Button"}, {"maxbtn", "Button"}, {"restorebtn", "Button"}, {"minbtn", "Button"},
        {"skinbtn", "Button"}, {"gamemodebtn", "Button"}, {"cloudbtn", "Button"}, {"smarteyesbtn", "Button"},
        {"setbtn", "Button"}, {"device_select_layout", "HorizontalLayout"}, {"device_switch", "TabLayout"},
        {"device_power_switch", "TabLayout"}, {"No_device_Link", "Container"}, {"Error_device_Link", "Container"},
        {"errordevice_connect_btn", "Button"}, {"errordevice_ok_btn", "Button"}, {"nodevice_ok_btn", "Button"},
        {"device_select_prev", "Button"}, {"device_select_next", "Button"}, {"str_test", "Label"},
        {"root", "VerticalLayout"},
    };
    for (const auto& [name, iface] : controls)
        ExpectControl(nullptr, name, iface);
    EXPECT_FALSE(window.Find("Error_device_Link")->IsVisible());
    EXPECT_FALSE(window.Find("str_test")->IsVisible());
}

TEST_F(ShippedSkinTest, KeyAndMacroPanelsHoldTheControlsTheProgramLooksUp)
{
    CControlUI* keys = window.BuildInto("XML\\CustomControlXML\\KeySetControl.xml", "root");
    CControlUI* macros = window.BuildInto("XML\\CustomControlXML\\MacroControl.xml", "root");
    ASSERT_TRUE(keys && macros);
    EXPECT_EQ(keys->GetName(), "KeySetControlItem");
    EXPECT_EQ(macros->GetName(), "MacroControlItem");
    for (const char* name : {"keyset_function_combo", "keyset_mousekey_combo", "keyset_mouseswing_combo", "keyset_mousewheel_combo",
                             "keyset_mousedpi_combo", "keyset_media_combo", "keyset_system_combo", "keyset_macro_combo",
                             "keyset_macro_over_combo", "keyset_gunkey_combo", "keyset_combokey_combo"})
        ExpectControl(keys, name, "Combo");
    for (const char* name : {"keyset_mouseswing_num_edit", "keyset_mouseswing_delay_edit", "keyset_mouseswing_speed_edit",
                             "keyset_mousewheel_num_edit", "keyset_mousewheel_delay_edit", "keyset_mousewheel_speed_edit",
                             "keyset_mousefire_interval_edit", "keyset_mousefire_num_edit", "keyset_keyboard_text_edit",
                             "keyset_macro_cycle_edit"})
        ExpectControl(keys, name, "Edit");
    for (int i = 0; i < 5; ++i)
        ExpectControl(keys, "key_ComBox_check_" + std::to_string(i), "Option");
    for (const char* name : {"key_butt_keydefalut", "key_butt_keysave", "key_butt_keycancel", "key_butt_prosave"})
        ExpectControl(keys, name, "Button");
    ExpectControl(keys, "function_switch_tablayout", "TabLayout");
    ExpectControl(keys, "keyset_layout", "Container");
    ExpectControl(keys, "keyset_macro_cycle_layout", "Container");
    // The category items carry their numbers, and each number has its page.
    auto* categories = static_cast<CContainerUI*>(window.FindIn(keys, "keyset_function_combo")->GetInterface("Container"));
    auto* pages = static_cast<CTabLayoutUI*>(window.FindIn(keys, "function_switch_tablayout")->GetInterface("TabLayout"));
    ASSERT_EQ(categories->GetCount(), 12);
    EXPECT_EQ(pages->GetCount(), 12);
    for (int i = 0; i < categories->GetCount(); ++i)
        EXPECT_EQ(categories->GetItemAt(i)->GetUserData(), std::to_string(i));

    for (const char* name : {"macro_name_list", "macro_action_list"})
        ExpectControl(macros, name, "List");
    for (const char* name : {"macro_btn_name_add", "macro_btn_name_sub", "macro_btn_name_edit", "macro_btn_import",
                             "macro_btn_export", "macro_btn_save", "macro_btn_cancel", "macro_btn_starredio",
                             "macro_btn_stopredio", "macro_btn_up", "macro_btn_down", "macro_btn_uptop", "macro_btn_downbottom",
                             "macro_btn_delete", "macro_btn_deleteall", "macro_inset_moveleftkey_btn",
                             "macro_inset_moverightkey_btn", "macro_inset_moveupkey_btn", "macro_inset_movedownkey_btn"})
        ExpectControl(macros, name, "Button");
    for (const char* name : {"macro_edit_macroname", "macro_fixed_time_edit", "mouse_x_left_edit", "mouse_x_right_edit",
                             "mouse_y_up_edit", "mouse_y_down_edit"})
        ExpectControl(macros, name, "Edit");
    ExpectControl(macros, "macro_check_time", "Option");
    for (const char* name : {"macro_action_layout", "mouse_move_layout", "macro_name_tab", "macro_tab_macroaction_edit",
                             "macro_tab_macrodelay_edit"})
        ExpectControl(macros, name, "Container");

    CDialogBuilder builder;
    CControlUI* menu = builder.Create("XML\\Menus\\macro_action_menu.xml", nullptr, nullptr, nullptr);
    ASSERT_NE(menu, nullptr) << builder.GetLastErrorMessage();
    std::set<std::string> items;
    auto* rows = static_cast<CContainerUI*>(menu->GetInterface("Container"));
    for (int i = 0; i < rows->GetCount(); ++i)
        items.insert(rows->GetItemAt(i)->GetName());
    for (const char* name : {"redio_previous_record_time", "redio_later_ignore_time", "macro_action_edit", "left_click",
                             "back_up", "forward_down"})
        EXPECT_EQ(items.count(name), 1u) << name;
    delete menu;
}

TEST_F(ShippedSkinTest, TilePowerTileAndTrayMenuHoldTheirNamedControls)
{
    CControlUI* tile = window.BuildInto("XML\\CustomControlXML\\DeviceOption.xml", "device_select_layout");
    CControlUI* power = window.BuildInto("XML\\CustomControlXML\\MpDevicePower.xml", "device_power_switch");
    ASSERT_TRUE(tile && power);
    EXPECT_STREQ(tile->GetClass(), "DeviceOption");
    EXPECT_STREQ(power->GetClass(), "MpDevicePower");
    ExpectControl(tile, "device_select", "Option");
    ExpectControl(tile, "synchro_device_select", "Option");
    ExpectControl(tile, "device_select_name", "Label");
    for (const char* name : {"device_power_Layout", "device_power_value", "device_wuxian_logo", "device_power_status",
                             "device_phone_type"})
        ExpectControl(power, name);
    ExpectControl(power, "device_Power_progress", "Progress");

    CDialogBuilder builder;
    CControlUI* menu = builder.Create("menu.xml", nullptr, nullptr, nullptr);
    ASSERT_NE(menu, nullptr) << builder.GetLastErrorMessage();
    EXPECT_NE(menu->GetInterface("Menu"), nullptr);
    bool hasExit = false;
    auto* items = static_cast<CContainerUI*>(menu->GetInterface("Container"));
    for (int i = 0; i < items->GetCount(); ++i)
        hasExit |= items->GetItemAt(i)->GetName() == "exit";
    EXPECT_TRUE(hasExit);
    delete menu;
}

// The recoil pattern editor's subtree has every control the editor looks up.
TEST_F(ShippedSkinTest, RecoilEditorHoldsItsNamedControls)
{
    CControlUI* editor = window.BuildInto("XML\\CustomControlXML\\ShootControl.xml", "device_switch");
    ASSERT_NE(editor, nullptr);
    EXPECT_STREQ(editor->GetClass(), "ShootControl");
    EXPECT_EQ(editor->GetName(), "ShootControlItem");
    for (int gun = 0; gun < 4; ++gun)
        ExpectControl(editor, "shoot_gun_op_" + std::to_string(gun), "Option");
    for (int shot = 0; shot < 30; ++shot)
        ExpectControl(editor, "bullet_op_" + std::to_string(shot), "Option");
    ExpectControl(editor, "shoot_image_display_switch", "TabLayout");
    EXPECT_EQ(static_cast<CTabLayoutUI*>(window.FindIn(editor, "shoot_image_display_switch")->GetInterface("TabLayout"))->GetCount(), 4);
    ExpectControl(editor, "bullet_select_index", "Label");
    for (const char* name : {"bullet_x_check", "bullet_y_check"})
        ExpectControl(editor, name, "Option");
    for (const char* name : {"bullet_x_eidt", "bullet_y_eidt", "bullet_delay_eidt"})
        ExpectControl(editor, name, "Edit");
    for (const char* name : {"bullet_selected_prev", "bullet_selected_next", "shootdate_import_btn", "shootdate_export_btn",
                             "shootdate_save_btn", "shootdate_reset_btn"})
        ExpectControl(editor, name, "Button");
    ExpectControl(editor, "shoot_pattern_chart");
}

struct PageCase {
    const char* file;
    int keys;       // "key_0".."key_<keys-1>" on the picture
    int lights;     // "light_0".."light_<lights-1>" on the picture
    int functionPanels;  // pages of "device_function_switch" that ShowFunctionPanel may select
    int keyPanels;       // pages of "device_key_function_switch"
    std::vector<const char*> tabs;
};

// What the device base class binds on each page: the spots on the picture are direct children
// of the one selection panel (its rubber band looks at direct children only), and the two tab
// layouts have every page the function types of the page's tabs switch to.
TEST_F(ShippedSkinTest, EachDevicePageHoldsItsSpotsTabsAndFunctionPanels)
{
    const PageCase pages[] = {
        {"XML\\DeviceXml\\mousedevice.xml", 11, 15, 5, 2,
         {"deng_Op_tab", "key_Op_tab", "macro_Op_tab", "system_Op_tab", "cursor_Op_tab", "otherset_Op_tab"}},
        {"XML\\DeviceXml\\keyboarddevice.xml", 83, 83, 5, 2,
         {"deng_Op_tab", "key_Op_tab", "macro_Op_tab", "system_Op_tab", "otherset_Op_tab"}},
        {"XML\\DeviceXml\\mousepaddevice.xml", 0, 15, 1, 3, {"deng_Op_tab", "system_Op_tab"}},
        {"XML\\DeviceXml\\hs6533device.xml", 0, 13, 2, 3,
         {"deng_Op_tab", "6533_voice_Op_tab", "magic_Op_tab", "Virtual7.1_Op_tab"}},
    };
    for (const PageCase& page : pages) {
        SCOPED_TRACE(page.file);
        CControlUI* root = window.BuildInto(page.file, "device_switch");
        ASSERT_NE(root, nullptr);
        CPaintManagerUI& pm = window.GetPaintManager();
        CControlUI* panel = pm.FindSubControlByClass(root, "SelectPanel");
        ASSERT_NE(panel, nullptr);
        EXPECT_EQ(pm.FindSubControlByClass(root, "SelectPanel", 1), nullptr) << "one selection panel per page";
        std::set<std::string> spots;
        auto* spotList = static_cast<CContainerUI*>(panel->GetInterface("Container"));
        for (int i = 0; i < spotList->GetCount(); ++i) {
            CControlUI* spot = spotList->GetItemAt(i);
            if (std::string(spot->GetClass()) == "DeviceKeyButton") {
                EXPECT_TRUE(spots.insert(spot->GetName()).second) << "two spots named " << spot->GetName();
            }
        }
        for (int i = 0; i < page.keys; ++i)
            EXPECT_TRUE(spots.count("key_" + std::to_string(i))) << "key_" << i;
        for (int i = 0; i < page.lights; ++i)
            EXPECT_TRUE(spots.count("light_" + std::to_string(i))) << "light_" << i;
        auto* functions = static_cast<CTabLayoutUI*>(window.FindIn(root, "device_function_switch")->GetInterface("TabLayout"));
        auto* keyFunctions = static_cast<CTabLayoutUI*>(window.FindIn(root, "device_key_function_switch")->GetInterface("TabLayout"));
        ASSERT_TRUE(functions && keyFunctions);
        EXPECT_GE(functions->GetCount(), page.functionPanels);
        EXPECT_GE(keyFunctions->GetCount(), page.keyPanels);
        EXPECT_EQ(functions->GetCurSel(), 0);
        EXPECT_EQ(keyFunctions->GetCurSel(), 0);
        for (const char* tab : page.tabs)
            ExpectControl(root, tab, "Option");
    }
}

// Every draw string of every shipped skin names a picture that loads, and so do the tile and
// power pictures the program sets by name (shipped as SVG beside the names the code uses).
TEST_F(ShippedSkinTest, EveryPictureTheSkinsAndTheProgramNameIsShipped)
{
    static const std::set<std::string> imageAttributes = {
        "bkimage", "foreimage", "normalimage", "hotimage", "pushedimage", "focusedimage", "disabledimage",
        "selectedimage", "selectedhotimage", "lightimage", "keysetimage", "thumbimage", "handimage"};
    std::set<std::string> pictures;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(kSkinDir)) {
        if (entry.path().extension() != ".xml")
            continue;
        pugi::xml_document doc;
        ASSERT_TRUE(doc.load_file(entry.path().c_str())) << entry.path();
        for (pugi::xpath_node found : doc.select_nodes("//*"))
            for (pugi::xml_attribute attr : found.node().attributes())
                if (imageAttributes.count(ToLowerAscii(attr.name()))) {
                    TDrawInfo info;
                    info.Parse(attr.value());
                    pictures.insert(info.sImageName);
                }
    }
    for (const char* kind : {"kb", "ms", "hard_mp", "soft_mp", "hd", "hub", "unknow"})
        for (const char* state : {"normal", "selected", "synchro_normal", "synchro_selected"})
            pictures.insert(std::string("common/device_ico/") + kind + "_device_" + state + ".svg");
    for (const char* power : {"powered", "powering", "power", "Phone_type_iphone", "Phone_type_samsung",
                              "Phone_type_other", "Phone_type_no_device"})
        pictures.insert(std::string("power/") + power + ".svg");
    for (const std::string& picture : pictures)
        EXPECT_NE(CPaintManagerUI::GetImageShared(picture), nullptr) << picture;
}

} // namespace
