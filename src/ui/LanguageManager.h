#pragma once

#include "toolkit/UIDefs.h"
#include "ui/LanguageList.h"

#include <functional>
#include <string>

class CPaintManagerUI;

namespace platform {
class SettingsStore;
}

// Sent to the main window with wParam = the chosen language index (settings window), and by the
// main window with wParam 0 to the open auxiliary windows, which then reload their texts.
constexpr UINT LanguageChangedMessage = 0xC11;

// The interface language of the program: the stored choice, the switch at run time with its
// font rule, and the texts the toolkit shows. Owned by the main window.
//
//   LanguageManager languages(programFolder + "/DefaultData", settings);
//   languages.SetAuxiliaryWindowsNotifier([this] { /* send LanguageChangedMessage to each */ });
//   languages.ApplyLanguage(languages.ReadStoredLanguage(), m_pm);
class LanguageManager {
public:
    // defaultDataFolder holds "Language.config" and the language files it names.
    LanguageManager(std::string defaultDataFolder, platform::SettingsStore& settings);

    // The stored language's index (0 without a stored choice or a valid list). On the first
    // start, when the settings have no key yet, it is created with the language of the user's
    // locale, as an installer would.
    int ReadStoredLanguage();
    // Switches to the language at index: nothing when it is the current one; otherwise the font
    // rule on manager's window, the language file, the stored choice, a repaint, the auxiliary
    // windows told, the layout renewed.
    void ApplyLanguage(int index, CPaintManagerUI& manager);
    // Stores a Language_ID; never creates the settings key. True when stored.
    bool StoreLanguage(int id);

    // -1 until the first ApplyLanguage.
    int CurrentIndex() const { return m_current; }
    // The list as last read (the settings window shows its Language_text entries).
    const LanguageList& List() const { return m_list; }
    std::string ConfigPath() const { return m_folder + "/Language.config"; }
    // Called during ApplyLanguage to send LanguageChangedMessage (wParam 0) to the open
    // auxiliary windows.
    void SetAuxiliaryWindowsNotifier(std::function<void()> notify) { m_notifyAuxiliary = std::move(notify); }

private:
    void LoadLanguageFile(const LanguageEntry& entry);

    std::string m_folder;
    platform::SettingsStore& m_settings;
    LanguageList m_list;
    int m_current = -1;
    std::function<void()> m_notifyAuxiliary;
};
