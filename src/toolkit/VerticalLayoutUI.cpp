#include "toolkit/VerticalLayoutUI.h"

const char* CVerticalLayoutUI::GetClass() const
{
    return "VerticalLayoutUI";
}

void* CVerticalLayoutUI::GetInterface(std::string_view name)
{
    return name == "VerticalLayout" ? this : CContainerUI::GetInterface(name);
}

void CVerticalLayoutUI::SetPos(RECT rc, bool needInvalidate)
{
    CControlUI::SetPos(rc, needInvalidate);
    LayoutLine(InnerRect(), true);
}
