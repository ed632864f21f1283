#include "toolkit/ResourceManager.h"

#include "toolkit/PaintManagerUI.h"
#include "toolkit/UIParse.h"

#include <pugixml.hpp>

CResourceManager& CResourceManager::GetInstance()
{
    static CResourceManager manager;
    return manager;
}

bool CResourceManager::LoadResource(const CDuiString& file)
{
    pugi::xml_document doc;
    if (!doc.load_file(CPaintManagerUI::ResolvePath(file).c_str()))
        return false;
    pugi::xml_node root = doc.document_element();
    for (pugi::xml_node node : root.children()) {
        std::string tag = node.name();
        if (EqualsNoCase(tag, "File"))
            m_files[node.attribute("id").as_string()] = NormalizePath(node.attribute("path").as_string());
        else if (EqualsNoCase(tag, "Icon"))
            m_icons[node.attribute("id").as_uint()] = NormalizePath(node.attribute("path").as_string());
        else if (EqualsNoCase(tag, "Font"))
            CPaintManagerUI::AddSharedFont(node.attribute("id").as_int(-1),
                                           TFontInfo{node.attribute("name").as_string(), node.attribute("size").as_int(12),
                                                     node.attribute("bold").as_bool(), node.attribute("underline").as_bool(),
                                                     node.attribute("italic").as_bool()},
                                           node.attribute("default").as_bool());
        else if (EqualsNoCase(tag, "Default"))
            CPaintManagerUI::AddSharedDefaultAttributeList(node.attribute("name").as_string(),
                                                           node.attribute("value").as_string());
    }
    return true;
}

CDuiString CResourceManager::GetXmlFile(const CDuiString& id) const
{
    auto it = m_files.find(id);
    return it == m_files.end() ? id : CDuiString(it->second);
}

std::string CResourceManager::GetIconFile(UINT id) const
{
    auto it = m_icons.find(id);
    return it == m_icons.end() ? std::string() : it->second;
}

void CResourceManager::Release()
{
    m_files.clear();
    m_icons.clear();
    m_texts.clear();
    m_sLanguage.clear();
    m_pQuery = nullptr;
    CPaintManagerUI::ClearSharedResources();
}

bool CResourceManager::LoadLanguage(const CDuiString& file)
{
    pugi::xml_document doc;
    if (!doc.load_file(CPaintManagerUI::ResolvePath(file).c_str()))
        return false;
    std::map<std::string, std::string> texts;
    for (pugi::xml_node node : doc.document_element().children("Text"))
        texts[node.attribute("id").as_string()] = node.attribute("value").as_string();
    m_texts.swap(texts);
    if (const char* name = doc.document_element().attribute("name").as_string(nullptr))
        m_sLanguage = name;
    return true;
}

CDuiString CResourceManager::GetText(const CDuiString& key) const
{
    auto it = m_texts.find(key);
    return it == m_texts.end() ? key : CDuiString(it->second);
}

CDuiString CResourceManager::ResolveText(const CDuiString& raw) const
{
    if (raw.size() < 3 || raw.compare(0, 2, "%[") != 0 || raw.back() != ']')
        return raw;
    CDuiString key = raw.substr(2, raw.size() - 3);
    if (m_pQuery) {
        CDuiString answer = m_pQuery->QueryControlText(key, "text");
        if (!answer.empty())
            return answer;
    }
    return GetText(key);
}

void CResourceManager::ReloadText()
{
    for (CPaintManagerUI* manager : CPaintManagerUI::GetPaintManagers()) {
        if (CControlUI* root = manager->GetRoot())
            root->NeedUpdate();
        manager->Invalidate();
    }
}
