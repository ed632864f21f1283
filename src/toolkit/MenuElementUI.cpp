#include "toolkit/MenuElementUI.h"

const char* CMenuElementUI::GetClass() const
{
    return "MenuElementUI";
}

void* CMenuElementUI::GetInterface(std::string_view name)
{
    return name == "MenuElement" ? this : CListContainerElementUI::GetInterface(name);
}

void CMenuElementUI::PaintText(HDC hDC)
{
    PaintRowText(hDC, RECT{12, 0, 12, 0}, DT_SINGLELINE | DT_VCENTER);
}
