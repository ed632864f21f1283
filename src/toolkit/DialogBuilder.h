#pragma once

// Builds control trees from XML skins (docs/skins.md). A tag the toolkit does not know goes to
// the callback's CreateControl, then to the classes registered with CControlFactory.

#include "toolkit/DuiString.h"

#include <memory>
#include <string>

class CControlUI;
class CPaintManagerUI;

namespace pugi {
class xml_document;
class xml_node;
} // namespace pugi

class IDialogBuilderCallback {
public:
    virtual ~IDialogBuilderCallback() = default;
    // A new control for a skin tag, or null.
    virtual CControlUI* CreateControl(const char* className) = 0;
};

class CDialogBuilder {
public:
    CDialogBuilder();
    ~CDialogBuilder();

    // Builds from a skin id of res.xml ("XML_MAIN"), a skin-relative or absolute file, or XML
    // text starting with '<'. With a parent, each top control is added to it. Null when the
    // file cannot be read or holds no control.
    CControlUI* Create(const CDuiString& xml, const char* type = nullptr, IDialogBuilderCallback* callback = nullptr,
                       CPaintManagerUI* manager = nullptr, CControlUI* parent = nullptr);
    // Why the last Create failed.
    const std::string& GetLastErrorMessage() const { return m_error; }

private:
    bool Load(const CDuiString& xml);
    void ApplyWindowNode(const pugi::xml_node& node, CPaintManagerUI* manager);
    CControlUI* Parse(const pugi::xml_node& node, CControlUI* parent, CPaintManagerUI* manager);
    CControlUI* CreateByTag(const std::string& tag) const;

    std::unique_ptr<pugi::xml_document> m_doc;
    IDialogBuilderCallback* m_callback = nullptr;
    std::string m_error;
};
