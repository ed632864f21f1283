#include "toolkit/ControlFactory.h"

#include "toolkit/ButtonUI.h"
#include "toolkit/CheckBoxUI.h"
#include "toolkit/ColorPaletteUI.h"
#include "toolkit/ComboUI.h"
#include "toolkit/EditUI.h"
#include "toolkit/HorizontalLayoutUI.h"
#include "toolkit/LabelUI.h"
#include "toolkit/ListContainerElementUI.h"
#include "toolkit/ListLabelElementUI.h"
#include "toolkit/ListUI.h"
#include "toolkit/MenuElementUI.h"
#include "toolkit/MenuUI.h"
#include "toolkit/OptionUI.h"
#include "toolkit/ProgressUI.h"
#include "toolkit/SliderUI.h"
#include "toolkit/TabLayoutUI.h"
#include "toolkit/TextUI.h"
#include "toolkit/UIParse.h"
#include "toolkit/VerticalLayoutUI.h"

namespace {

template <typename T>
CControlFactory::CreateClass Maker()
{
    return [] { return static_cast<CControlUI*>(new T); };
}

} // namespace

CControlFactory* CControlFactory::GetInstance()
{
    static CControlFactory factory;
    return &factory;
}

CControlFactory::CControlFactory()
{
    m_builtIn = {
        {"control", Maker<CControlUI>()},
        {"container", Maker<CContainerUI>()},
        {"verticallayout", Maker<CVerticalLayoutUI>()},
        {"horizontallayout", Maker<CHorizontalLayoutUI>()},
        {"tablayout", Maker<CTabLayoutUI>()},
        {"label", Maker<CLabelUI>()},
        {"text", Maker<CTextUI>()},
        {"button", Maker<CButtonUI>()},
        {"option", Maker<COptionUI>()},
        {"checkbox", Maker<CCheckBoxUI>()},
        {"progress", Maker<CProgressUI>()},
        {"slider", Maker<CSliderUI>()},
        {"edit", Maker<CEditUI>()},
        {"combo", Maker<CComboUI>()},
        {"list", Maker<CListUI>()},
        {"listlabelelement", Maker<CListLabelElementUI>()},
        {"listcontainerelement", Maker<CListContainerElementUI>()},
        {"colorpalette", Maker<CColorPaletteUI>()},
        {"menu", Maker<CMenuUI>()},
        {"menuelement", Maker<CMenuElementUI>()},
    };
}

void CControlFactory::RegistControl(const std::string& name, CreateClass create)
{
    m_registered[ToLowerAscii(name)] = std::move(create);
}

CControlUI* CControlFactory::CreateControl(const std::string& name) const
{
    if (CControlUI* control = CreateBuiltIn(name))
        return control;
    return CreateRegistered(name);
}

CControlUI* CControlFactory::CreateBuiltIn(const std::string& tag) const
{
    auto it = m_builtIn.find(ToLowerAscii(tag));
    return it == m_builtIn.end() ? nullptr : it->second();
}

CControlUI* CControlFactory::CreateRegistered(const std::string& name) const
{
    for (const std::string& key : {ToLowerAscii(name), ToLowerAscii("C" + name + "UI")}) {
        auto it = m_registered.find(key);
        if (it != m_registered.end())
            return it->second();
    }
    return nullptr;
}
