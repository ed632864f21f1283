#include "toolkit/custom/RedioMacroButtonUI.h"

#include "toolkit/UIParse.h"

const char* CRedioMacroButtonUI::GetClass() const
{
    return "RedioMacroButton";
}

void* CRedioMacroButtonUI::GetInterface(std::string_view name)
{
    return name == "RedioMacroButton" ? this : CButtonUI::GetInterface(name);
}

void CRedioMacroButtonUI::SetAttribute(std::string_view name, std::string_view value)
{
    if (EqualsNoCase(name, "redioimage"))
        m_sRedioImage = value;
    else
        CButtonUI::SetAttribute(name, value);
}
