#include "toolkit/MenuUI.h"

CMenuUI::CMenuUI()
{
    m_bScrollable = false;
    m_ListInfo.nItemHeight = 30;
}

const char* CMenuUI::GetClass() const
{
    return "MenuUI";
}

void* CMenuUI::GetInterface(std::string_view name)
{
    return name == "Menu" ? this : CListUI::GetInterface(name);
}
