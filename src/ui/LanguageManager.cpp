#include "ui/LanguageManager.h"

#include "platform/DebugOutput.h"
#include "platform/SettingsStore.h"
#include "toolkit/PaintManagerUI.h"
#include "toolkit/ResourceManager.h"
#include "ui/InterfaceFonts.h"

LanguageManager::LanguageManager(std::string defaultDataFolder, platform::SettingsStore& settings)
    : m_folder(std::move(defaultDataFolder)), m_settings(settings)
{
}

int LanguageManager::ReadStoredLanguage()
{
    m_list.Load(ConfigPath());
    m_list.CreateSettingsOnFirstStart(m_settings);
    return m_list.ReadStoredLanguage(m_settings);
}

void LanguageManager::ApplyLanguage(int index, CPaintManagerUI& manager)
{
    if (index == m_current)
        return;
    if (LanguageList::NeedsFontRebuild(m_current, index))
        InterfaceFonts::ApplyFontTable(manager, LanguageList::FaceForLanguage(index));
    m_current = index;

    bool listed = m_list.Load(ConfigPath()) && index >= 0 && index < static_cast<int>(m_list.Entries().size());
    LanguageEntry entry = m_list.EntryAt(index);
    LoadLanguageFile(entry);
    // An index the list does not have would store identifier 0, which names no language.
    if (listed)
        StoreLanguage(entry.id);

    manager.Invalidate();
    if (m_notifyAuxiliary)
        m_notifyAuxiliary();
    if (CControlUI* root = manager.GetRoot())
        root->NeedUpdate();
}

bool LanguageManager::StoreLanguage(int id)
{
    if (!LanguageList::StoreLanguage(m_settings, id))
        return false;
    platform::DebugOutput("写成功！");
    return true;
}

void LanguageManager::LoadLanguageFile(const LanguageEntry& entry)
{
    CResourceManager& resources = CResourceManager::GetInstance();
    resources.SetLanguage(entry.name);
    if (!entry.file.empty())
        resources.LoadLanguage(m_folder + "/" + entry.file);
    resources.ReloadText();
}
