#pragma once

// The profile panel every device page embeds: the family's profiles in the combo
// "device_profile_combo", a name edit for renaming and a fold-out menu with the profile
// commands. The panel keeps the family's profile list through a ProfileLibrary and mirrors it
// in the combo; the main window asks the user and then calls the operations here. It also
// switches the page's function tabs by device kind.
//
// Index: setup (SetKind, SetFolders, Init) · selection · the name edit and the menu ·
// profile operations · function tabs.

#include "profile/ProfileLibrary.h"
#include "toolkit/HorizontalLayoutUI.h"

#include <string>

class CComboUI;
class COptionUI;

class CDeviceProfileUI : public CHorizontalLayoutUI {
public:
    // The name the panel has in a page and its subtree file.
    static constexpr const char* kItemName = "DeviceProfileItem";
    static constexpr const char* kLayoutFile = "XML\\CustomControlXML\\DeviceProfile.xml";

    const char* GetClass() const override { return "DeviceProfile"; }
    void* GetInterface(std::string_view name) override;

    // The DeviceKind of the page's device; it decides which function tabs Init hides.
    void SetKind(int kind);
    int Kind() const { return m_kind; }
    // The family's profile folder (no trailing '/') and its default profile file.
    void SetFolders(const std::string& profileFolder, const std::string& defaultProfilePath);
    // Reads (or creates) the profile list, fills the combo, selects the stored profile (entry 0
    // when the stored index is outside the list) and hides the tabs the kind has not.
    int Init();

    // Selects the profile at index in the combo ("itemselect" only with notify), copies its name
    // into the name edit and records the selection in the list file.
    void Select(int index, bool notify);
    // The combo's selected row, -1 without combo or selection.
    int CurrentIndex() const;
    const std::string& CurrentProfileId() const { return m_library.CurrentProfileId(); }
    // The file of the selected profile; empty when there is none.
    std::string CurrentProfilePath() const { return m_library.CurrentProfilePath(); }
    // The profile names as the combo shows them.
    std::vector<std::string> ProfileNames() const;
    // Re-reads the list file; its number of profiles.
    int ProfileCount() { return m_library.ProfileCount(); }
    // The file of entry index of the list as last read; empty outside the list.
    std::string ProfilePathAt(int index) const { return m_library.ProfilePathAt(index); }

    // Text of "device_profile_name_edit" (empty without the edit).
    std::string NameEditText() const;
    void SetNameEditText(const std::string& text);
    // Visibility of the fold-out "profile_menu_layout"; the panel grows to show it.
    void ShowMenu(bool visible);
    bool IsMenuVisible() const;

    // The operations return a ProfileResult; the combo follows the list afterwards.
    // Add, Copy and Import keep the selection; Delete selects the profile before the deleted one.
    int Add();
    int Copy();
    int Import(const std::string& path);
    int Export(const std::string& path) const { return m_library.Export(path); }
    int Delete();
    int Rename(const std::string& name);
    int ResetToDefault() { return m_library.ResetToDefault(); }

    // Selects function tab n (1 lighting, 2 keys, 3 macros, 4 system, 5 pointer, 6 voice,
    // 7 voice changer, 8 virtual 7.1, 9 other) without events and clears the others; any other n
    // clears all. Nothing happens unless the page has all nine tabs.
    void SelectTab(int n);

private:
    CControlUI* FindInPanel(const char* name) const;
    // A control of the page the panel sits in (the nearest device page above it).
    CControlUI* FindInPage(const char* name) const;
    CComboUI* Combo() const;
    COptionUI* Tab(int n) const;
    // Rebuilds the combo's rows from the list and shows the library's selection, no events.
    void FillCombo();
    void ShowSelection(bool notify);
    // The combo follows the list after an operation; returns the operation's result.
    int ShowList(int result, bool announceSelection);
    void ApplyTabVisibility();

    int m_kind = 0;
    int m_closedHeight = -1; // the panel's height from the skin, menu folded
    ProfileLibrary m_library;
};
