#pragma once

// The key assignment panel of a mouse or keyboard page: it shows one key's function in its
// controls (a category combo, one tab page per category) and turns the controls back into the
// three-byte function. The device page tells it the selected key's current and default
// functions; the main window reads the edited function and hands it to the device page.
//
// Index: setup · showing a function · reading a function · macro list · small control access.

#include "profile/ProfileRecords.h"
#include "toolkit/HorizontalLayoutUI.h"

#include <string>
#include <vector>

class CComboUI;
class CEditUI;
class COptionUI;
class CTabLayoutUI;

// The category numbers: user data of the function combo's items and page of its tab layout.
enum KeyFunctionCategory : int {
    kCategoryDefault = 0,
    kCategoryMouseButton = 1,
    kCategoryPointerMove = 2,
    kCategoryWheel = 3,
    kCategoryDpi = 4,
    kCategoryRapidFire = 5,
    kCategoryKeyboard = 6,
    kCategoryMedia = 7,
    kCategorySystem = 8,
    kCategoryMacro = 9,
    kCategoryRecoil = 10,
    kCategoryShortcut = 11,
};

class CKeySetControlUI : public CHorizontalLayoutUI {
public:
    static constexpr const char* kItemName = "KeySetControlItem";
    static constexpr const char* kLayoutFile = "XML\\CustomControlXML\\KeySetControl.xml";
    static constexpr int kModifierOptions = 5;
    // The repeat-mode item that means a fixed number of repetitions.
    static constexpr int kRepeatCountItem = 4;
    static constexpr int kMinFireInterval = 10;

    const char* GetClass() const override { return "KeySetControl"; }
    void* GetInterface(std::string_view name) override;

    // Looks up the panel's controls; every operation checks a control before use.
    void InitControls();
    // A keyboard (kind 1) offers no sensitivity and no recoil category.
    void SetDeviceKind(int kind);
    // The selected key: its current half is shown.
    void SetAssignment(const KeyAssignment& assignment);
    const KeyAssignment& Assignment() const { return m_assignment; }
    void ShowDefaultFunction();
    void ShowCurrentFunction();
    void SetCurrentFunction(const KeyFunction& function) { m_assignment.current.function = function; }
    // The function the controls describe; it becomes the current half.
    KeyFunction ReadKeyFunction();
    void ShowKeyFunction(const KeyFunction& function);

    void FillMacroList(const std::vector<std::string>& names);
    void AddMacroItem(const std::string& name);
    void RemoveMacroItem(int index);
    void RenameMacroItem(int index, const std::string& name);
    int MacroCount() const;

    // The key's name by language key in the key name edit ("" empties it).
    void ShowKeyName(const std::string& labelKey);
    // Clears the five modifier options, then selects option i (none outside 0..4).
    void SelectModifier(int option);
    // The lowest selected modifier option, or -1.
    int SelectedModifier() const;
    void ResetSelectors();
    void EnableEditButtons(bool enable);
    int FindCategoryItem(int category) const;
    int CategoryOfItem(int index) const;
    // The category of the function combo's selection, -1 without one.
    int SelectedCategory() const;
    // Shows page category of the function tabs.
    void ShowCategoryPage(int category);
    // The repeat count's container follows the repeat mode combo (shown for item 4).
    void ShowRepeatCount();
    // A captured key (a row of the key table with a plain keyboard function) becomes the current
    // function with the selected modifier; a modifier key selects its option instead.
    void TakeCapturedKey(int row);

    // The modifier bit of option 1..4 (left Ctrl, Shift, Alt, Win); 0 for option 0 or none.
    static uint8_t ModifierBitOfOption(int option);

private:
    CControlUI* Find(const char* name) const;
    CComboUI* Combo(const char* name) const;
    CEditUI* Edit(const char* name) const;
    int ComboIndex(const char* name) const;
    void SelectCombo(const char* name, int index);
    int EditNumber(const char* name) const;
    void SetEditNumber(const char* name, int value);
    void ShowTableRow(const char* comboName, uint8_t type, const KeyFunction& function);
    void ShowKeyboardFunction(const KeyFunction& function);
    void ShowMacroFunction(const KeyFunction& function);
    KeyFunction ReadMacroFunction(KeyFunction previous) const;

    KeyAssignment m_assignment;
    int m_kind = 0;
};
