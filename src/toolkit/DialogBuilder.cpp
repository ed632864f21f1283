#include "toolkit/DialogBuilder.h"

#include "toolkit/ContainerUI.h"
#include "toolkit/ControlFactory.h"
#include "toolkit/PaintManagerUI.h"
#include "toolkit/ResourceManager.h"
#include "toolkit/UIParse.h"

#include <pugixml.hpp>

CDialogBuilder::CDialogBuilder() : m_doc(std::make_unique<pugi::xml_document>()) {}

CDialogBuilder::~CDialogBuilder() = default;

bool CDialogBuilder::Load(const CDuiString& xml)
{
    pugi::xml_parse_result result;
    if (!xml.empty() && xml.front() == '<') {
        result = m_doc->load_string(xml.c_str());
    } else {
        std::string path = CPaintManagerUI::ResolvePath(CResourceManager::GetInstance().GetXmlFile(xml));
        result = m_doc->load_file(path.c_str());
        if (!result)
            m_error = path + ": " + result.description();
    }
    if (!result && m_error.empty())
        m_error = result.description();
    return bool(result);
}

CControlUI* CDialogBuilder::Create(const CDuiString& xml, const char*, IDialogBuilderCallback* callback,
                                   CPaintManagerUI* manager, CControlUI* parent)
{
    m_error.clear();
    m_callback = callback;
    if (!Load(xml))
        return nullptr;
    pugi::xml_node root = m_doc->document_element();
    if (EqualsNoCase(root.name(), "Window")) {
        if (manager)
            ApplyWindowNode(root, manager);
        return Parse(root, parent, manager);
    }
    // A file whose root is a control: the root itself is the first control.
    pugi::xml_document holder;
    holder.append_child("Holder").append_copy(root);
    return Parse(holder.first_child(), parent, manager);
}

void CDialogBuilder::ApplyWindowNode(const pugi::xml_node& node, CPaintManagerUI* manager)
{
    for (pugi::xml_attribute attr : node.attributes()) {
        std::string name = attr.name();
        if (name == "size") {
            SIZE size = ParseSize(attr.value());
            manager->SetInitSize(size.cx, size.cy);
        } else if (name == "caption") {
            manager->SetCaptionRect(ParseRect(attr.value()));
        } else if (name == "mininfo") {
            SIZE size = ParseSize(attr.value());
            manager->SetMinInfo(size.cx, size.cy);
        } else if (name == "defaultfontcolor") {
            manager->SetDefaultFontColor(ParseColor(attr.value()));
        }
    }
    for (pugi::xml_node child : node.children()) {
        if (EqualsNoCase(child.name(), "Font"))
            manager->AddFont(child.attribute("id").as_int(-1), child.attribute("name").as_string(),
                             child.attribute("size").as_int(12), child.attribute("bold").as_bool(),
                             child.attribute("underline").as_bool(), child.attribute("italic").as_bool(),
                             child.attribute("default").as_bool(), child.attribute("shared").as_bool());
        else if (EqualsNoCase(child.name(), "Default"))
            manager->AddDefaultAttributeList(child.attribute("name").as_string(), child.attribute("value").as_string(),
                                             child.attribute("shared").as_bool());
    }
}

CControlUI* CDialogBuilder::CreateByTag(const std::string& tag) const
{
    CControlFactory* factory = CControlFactory::GetInstance();
    if (CControlUI* control = factory->CreateBuiltIn(tag))
        return control;
    if (m_callback)
        if (CControlUI* control = m_callback->CreateControl(tag.c_str()))
            return control;
    return factory->CreateRegistered(tag);
}

CControlUI* CDialogBuilder::Parse(const pugi::xml_node& node, CControlUI* parent, CPaintManagerUI* manager)
{
    CControlUI* first = nullptr;
    auto* container = parent ? static_cast<CContainerUI*>(parent->GetInterface("Container")) : nullptr;
    for (pugi::xml_node child : node.children()) {
        if (child.type() != pugi::node_element)
            continue;
        std::string tag = child.name();
        if (EqualsNoCase(tag, "Font") || EqualsNoCase(tag, "Default") || EqualsNoCase(tag, "Image") ||
            EqualsNoCase(tag, "Style"))
            continue;
        if (EqualsNoCase(tag, "Include")) {
            int count = std::max(1, child.attribute("count").as_int(1));
            for (int i = 0; i < count; ++i) {
                CDialogBuilder builder;
                CControlUI* included = builder.Create(child.attribute("source").as_string(), nullptr, m_callback,
                                                      manager, container ? parent : nullptr);
                if (!first)
                    first = included;
            }
            continue;
        }
        CControlUI* control = CreateByTag(tag);
        if (!control)
            continue;
        control->SetManager(manager, parent, false);
        if (child.first_child())
            Parse(child, control, manager);
        if (manager) {
            CDuiString defaults = manager->GetDefaultAttributeList(tag);
            if (!defaults.empty())
                control->ApplyAttributeList(defaults);
        }
        for (pugi::xml_attribute attr : child.attributes())
            control->SetAttribute(attr.name(), attr.value());
        if (container)
            container->Add(control);
        if (!first)
            first = control;
    }
    return first;
}
