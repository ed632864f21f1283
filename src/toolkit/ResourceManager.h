#pragma once

// Skin resources and texts by key. "res.xml" in the skin folder maps skin ids to files and
// icon ids to pictures, and carries the fonts and default attributes every window shares.
// A language file maps text keys to texts; a control whose text is "%[key]" shows the text of
// the loaded language (docs/languages.md, docs/skins.md).

#include "toolkit/DuiString.h"
#include "toolkit/NotifyUI.h"

#include <map>
#include <string>

class CResourceManager {
public:
    static CResourceManager& GetInstance();

    // Reads res.xml (skin-relative or absolute); false when it cannot be read or parsed.
    bool LoadResource(const CDuiString& file);
    // The file behind a skin id ("XML_MAIN"), or the id itself when it is no id.
    CDuiString GetXmlFile(const CDuiString& id) const;
    std::string GetIconFile(UINT id) const;
    // Forgets resources, texts and the query hook.
    void Release();

    // Replaces the text table with a language file's; false (table kept) when unreadable.
    bool LoadLanguage(const CDuiString& file);
    void SetLanguage(const CDuiString& name) { m_sLanguage = name; }
    const CDuiString& GetLanguage() const { return m_sLanguage; }
    // The text of a key; the key itself when the table has none.
    CDuiString GetText(const CDuiString& key) const;
    // A control text as shown: "%[key]" becomes the key's text (the query hook first).
    CDuiString ResolveText(const CDuiString& raw) const;
    // Repaints and relays every window so that text keys show the current language.
    void ReloadText();
    void SetTextQueryInterface(IQueryControlText* query) { m_pQuery = query; }

private:
    CResourceManager() = default;

    std::map<std::string, std::string> m_files;
    std::map<UINT, std::string> m_icons;
    std::map<std::string, std::string> m_texts;
    CDuiString m_sLanguage;
    IQueryControlText* m_pQuery = nullptr;
};
