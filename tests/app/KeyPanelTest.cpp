// The key assignment panel of the mouse page through the main window: a key of the picture is
// chosen, the panel's controls are edited as the user would, and the function reaches the
// profile and, with the save button, the simulated mouse.

#include "AppFixture.h"

#include "app/KeyPanelCommands.h"
#include "app/MacroPanelCommands.h"
#include "app/ProfileCommands.h"
#include "device/COrlithMouseDevice.h"
#include "macro/MacroFile.h"
#include "panels/CKeySetControlUI.h"
#include "toolkit/ComboUI.h"
#include "toolkit/EditUI.h"
#include "toolkit/OptionUI.h"
#include "toolkit/custom/DeviceKeyButtonUI.h"
#include "ui/MsgWnd.h"

#include <string>
#include <vector>

namespace {

class NoticeLog : public WindowProfileDialogs {
public:
    using WindowProfileDialogs::WindowProfileDialogs;
    bool Confirm(const std::string& key) override
    {
        questions.push_back(key);
        return true;
    }
    void Notice(const std::string& text, bool) override { notices.push_back(text); }
    std::vector<std::string> questions;
    std::vector<std::string> notices;
};

class KeyPanel : public AppTest {
protected:
    KeyPanel()
    {
        Open();
        sim->Plug("mouse");
        ScanOnce();
        Device().Channel().SetSleepFunction([](int) {});
        host.Advance(600);
        auto log = std::make_unique<NoticeLog>(window->GetPaintManager(), dpi);
        dialogs = log.get();
        window->Profiles().SetDialogs(std::move(log));
        Option("key_Op_tab")->Selected(true);
        host.RunPending();
    }

    COrlithMouseDevice& Device() { return *static_cast<COrlithMouseDevice*>(Mouse()->GetInterface("OrlithMouseDevice")); }
    CKeySetControlUI& Panel() { return *KeyPanelCommands::PanelOf(Mouse()); }
    COptionUI* Option(const char* name) { return static_cast<COptionUI*>(Find(name)->GetInterface("Option")); }
    CComboUI* Combo(const char* name) { return static_cast<CComboUI*>(Find(name)->GetInterface("Combo")); }
    void Notify(const char* name, const char* type)
    {
        window->GetPaintManager().SendNotify(Find(name), type);
        host.RunPending();
    }
    void ChooseKey(int key) { Notify(("key_" + std::to_string(key)).c_str(), "click"); }
    KeyFunction Stored(int key) { return Device().KeyAssignments().at(static_cast<size_t>(key)).current.function; }
    // Sends the single-key capture message the keyboard hook sends for a key press.
    void PressKey(uint32_t scanCode, bool extended)
    {
        KeyCaptureRecord record{0, scanCode, extended ? 1u : 0u, 0, 0};
        ::SendMessage(window->GetHWND(), window->MacroPanel().Messages().singleKey, 0x0100,
                      reinterpret_cast<LPARAM>(&record));
        host.RunPending();
    }

    int dpi = 96;
    NoticeLog* dialogs = nullptr;
};

struct CategoryCase {
    const char* label;
    int category;
    std::vector<std::pair<const char*, int>> combos; // row of each parameter combo
    std::vector<std::pair<const char*, const char*>> edits;
    KeyFunction expected;
};

TEST_F(KeyPanel, EveryCategoryWritesItsThreeBytesToTheChosenButton)
{
    const CategoryCase cases[] = {
        {"mouse button", kCategoryMouseButton, {{"keyset_mousekey_combo", 2}}, {}, {0x10, 0x02, 0}},
        {"pointer move", kCategoryPointerMove, {{"keyset_mouseswing_combo", 1}},
         {{"keyset_mouseswing_num_edit", "5"}, {"keyset_mouseswing_delay_edit", "3"}, {"keyset_mouseswing_speed_edit", "20"}},
         {0x11, 0x34, 0x85}},
        {"wheel down", kCategoryWheel, {{"keyset_mousewheel_combo", 1}},
         {{"keyset_mousewheel_num_edit", "1"}, {"keyset_mousewheel_delay_edit", "17"}, {"keyset_mousewheel_speed_edit", "2"}},
         {0x12, 0x12, 0xFF}},
        {"wheel up", kCategoryWheel, {{"keyset_mousewheel_combo", 0}}, {{"keyset_mousewheel_num_edit", "3"}}, {0x12, 0x12, 0x03}},
        {"dpi", kCategoryDpi, {{"keyset_mousedpi_combo", 2}}, {}, {0x13, 3, 0}},
        {"rapid fire", kCategoryRapidFire, {}, {{"keyset_mousefire_interval_edit", "5"}, {"keyset_mousefire_num_edit", "3"}},
         {0x14, 10, 3}},
        {"media", kCategoryMedia, {{"keyset_media_combo", 1}}, {}, {0x30, 0xCD, 0x00}},
        {"system", kCategorySystem, {{"keyset_system_combo", 2}}, {}, {0x40, 0x04, 0}},
        {"recoil", kCategoryRecoil, {{"keyset_gunkey_combo", 2}}, {}, {0x72, 2, 0}},
        {"shortcut", kCategoryShortcut, {{"keyset_combokey_combo", 2}}, {}, {0x20, 0x10, 0x1D}},
        {"default", kCategoryDefault, {}, {}, {0x10, 0x04, 0}},
    };
    ChooseKey(2);
    ASSERT_EQ(Device().SelectedKey(), 2);
    auto* marked = static_cast<CDeviceKeyButtonUI*>(Device().KeyButtons()[2]->GetInterface("DeviceKeyButton"));
    EXPECT_FALSE(marked->IsKeySetMarkHidden()) << "the picture marks the chosen key";
    for (const CategoryCase& c : cases) {
        SCOPED_TRACE(c.label);
        for (auto [name, row] : c.combos)
            Combo(name)->SelectItem(row, false, false);
        for (auto [name, text] : c.edits)
            Find(name)->SetText(text);
        // Choosing the category applies the function, as any further edit would.
        Combo("keyset_function_combo")->SelectItem(-1, false, false);
        Combo("keyset_function_combo")->SelectItem(Panel().FindCategoryItem(c.category));
        host.RunPending();
        EXPECT_EQ(Stored(2), c.expected);
        EXPECT_EQ(TabIndex("function_switch_tablayout"), c.category);
    }
    EXPECT_EQ(std::string(Find("keyset_mousefire_interval_edit")->GetText()), "10") << "a rapid-fire interval below 10 is raised";
    CMouseProfiledata stored;
    stored.LoadProfile(Device().Profile().GetProfilePath());
    EXPECT_EQ(stored.GetKeyList()[2].current.function, (KeyFunction{0x10, 0x04, 0})) << "each change is stored";
    EXPECT_TRUE(Find("key_butt_keysave")->IsEnabled());
}

TEST_F(KeyPanel, ShowingAFunctionFillsTheControlsTheWayReadingTakesThem)
{
    ChooseKey(3);
    KeyAssignment assignment = Device().KeyAssignments()[3];
    CKeySetControlUI& panel = Panel();

    assignment.current.function = {0x12, 0x35, 0xFF};
    panel.SetAssignment(assignment);
    EXPECT_EQ(std::string(Find("keyset_mousewheel_num_edit")->GetText()), "1");
    EXPECT_EQ(Combo("keyset_mousewheel_combo")->GetCurSel(), 1);
    EXPECT_EQ(std::string(Find("keyset_mousewheel_delay_edit")->GetText()), "3");
    EXPECT_EQ(panel.ReadKeyFunction(), (KeyFunction{0x12, 0x35, 0xFF}));

    assignment.current.function = assignment.defaults.function;
    panel.SetAssignment(assignment);
    EXPECT_EQ(panel.SelectedCategory(), kCategoryDefault) << "the factory function shows as the default category";

    assignment.current.function = {0x20, 0x00, 0x04};
    panel.SetAssignment(assignment);
    EXPECT_EQ(panel.SelectedCategory(), kCategoryKeyboard);
    EXPECT_EQ(std::string(Find("keyset_keyboard_text_edit")->GetText()), "A");
    EXPECT_EQ(panel.SelectedModifier(), 0);

    assignment.current.function = {0x20, 0x00, 0xEE};
    panel.SetAssignment(assignment);
    EXPECT_EQ(panel.SelectedModifier(), -1) << "a usage no key has clears the modifiers";
    EXPECT_EQ(std::string(Find("keyset_keyboard_text_edit")->GetText()), "");
    EXPECT_EQ(panel.Assignment().current.function, (KeyFunction{0x20, 0, 0}));

    assignment.current.function = {0x70, 5, 1};
    panel.SetAssignment(assignment);
    EXPECT_EQ(Combo("keyset_macro_combo")->GetCurSel(), -1) << "a macro past the list selects none";
}

TEST_F(KeyPanel, CapturedKeysFillTheKeyboardCategory)
{
    ChooseKey(3);
    Combo("keyset_function_combo")->SelectItem(Panel().FindCategoryItem(kCategoryKeyboard));
    host.RunPending();
    PressKey(0x1D, true); // right Ctrl
    EXPECT_EQ(Panel().SelectedModifier(), 1);
    EXPECT_EQ(Stored(3), (KeyFunction{0x20, 0x10, 0})) << "the right Ctrl bit, though option 1 stands for both";
    PressKey(0x1E, false); // A
    EXPECT_EQ(std::string(Find("keyset_keyboard_text_edit")->GetText()), "A");
    EXPECT_EQ(Stored(3), (KeyFunction{0x20, 0x01, 0x04}));
    PressKey(0x7F, false); // no key of the table
    EXPECT_EQ(Stored(3), (KeyFunction{0x20, 0x01, 0x04}));
}

TEST_F(KeyPanel, AKeyboardOffersNeitherSensitivityNorRecoilPatterns)
{
    Panel().SetDeviceKind(1);
    for (int category = kCategoryDefault; category <= kCategoryShortcut; ++category) {
        CControlUI* item = Combo("keyset_function_combo")->GetItemAt(Panel().FindCategoryItem(category));
        EXPECT_EQ(item->IsVisible(), category != kCategoryDpi && category != kCategoryRecoil) << category;
    }
}

TEST_F(KeyPanel, TheOnlyLeftButtonCannotBeChosen)
{
    ChooseKey(1);
    ChooseKey(0);
    ASSERT_EQ(dialogs->notices, std::vector<std::string>{"message_text_6"});
    EXPECT_EQ(Device().SelectedKey(), 1);
}

// The page opens on the first key: choosing a function there must not take the left button away.
TEST_F(KeyPanel, TheOnlyLeftButtonKeepsItsFunctionWhenShownFirst)
{
    ASSERT_EQ(Device().SelectedKey(), 0);
    const KeyFunction before = Stored(0);
    Combo("keyset_function_combo")->SelectItem(Panel().FindCategoryItem(kCategoryMedia));
    host.RunPending();
    EXPECT_EQ(Stored(0), before);
    EXPECT_EQ(dialogs->notices, std::vector<std::string>{"message_text_6"});
}

TEST_F(KeyPanel, AMacroOnAButtonReachesTheMouseWithTheKeyTable)
{
    std::string name;
    CMacroControlUI& macros = *MacroPanelCommands::PanelOf(Mouse());
    ASSERT_EQ(macros.NewMacro(name), kMacroDone);
    Panel().AddMacroItem(name);
    macros.InsertMouseStep(0x0204, 0);
    macros.InsertMouseStep(0x0205, 0);
    ASSERT_EQ(macros.SaveSelectedMacro(), kMacroDone);

    ChooseKey(3);
    Combo("keyset_macro_combo")->SelectItem(0, false, false);
    Find("keyset_macro_cycle_edit")->SetText("3");
    Combo("keyset_function_combo")->SelectItem(Panel().FindCategoryItem(kCategoryMacro));
    host.RunPending();
    EXPECT_EQ(Stored(3), (KeyFunction{0x70, 0, 0}));
    auto* info = static_cast<CContainerUI*>(Find("device_setkeyinfo_list")->GetInterface("Container"));
    auto* row = static_cast<CContainerUI*>(info->GetItemAt(3)->GetInterface("Container"));
    EXPECT_EQ(std::string(row->GetItemAt(1)->GetText()),
              CResourceManager::GetInstance().ResolveText("%[keyset_category_macro]") + ": " + name) << "macro 0 played once is no disabled button";
    Combo("keyset_macro_over_combo")->SelectItem(CKeySetControlUI::kRepeatCountItem);
    host.RunPending();
    EXPECT_TRUE(Find("keyset_macro_cycle_layout")->IsVisible());
    ASSERT_EQ(Stored(3), (KeyFunction{0x71, 0, 3}));

    Notify("key_butt_prosave", "click");
    EXPECT_TRUE(dialogs->notices.empty());
    EXPECT_FALSE(Find("key_butt_prosave")->IsEnabled());
    const std::vector<uint8_t> memory = sim->Mouse().Firmware().MacroMemory();
    ASSERT_GE(memory.size(), 5u);
    EXPECT_EQ(std::vector<uint8_t>(memory.begin(), memory.begin() + 2), (std::vector<uint8_t>{0xAA, 0x55}));
    EXPECT_EQ(memory[4], 1) << "one macro in the mouse";
    const std::vector<uint8_t> keyBlock = sim->Mouse().Firmware().KeyBlock();
    const uint8_t slot = Device().Commands().ButtonMap().SlotOf(3);
    ASSERT_NE(slot, MouseButtonMap::kNoSlot);
    EXPECT_EQ(std::vector<uint8_t>(keyBlock.begin() + slot * 3, keyBlock.begin() + slot * 3 + 3),
              (std::vector<uint8_t>{0x71, 0, 3}))
        << "the button calls the first uploaded macro three times";
}

} // namespace
