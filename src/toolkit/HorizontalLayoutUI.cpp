#include "toolkit/HorizontalLayoutUI.h"

const char* CHorizontalLayoutUI::GetClass() const
{
    return "HorizontalLayoutUI";
}

void* CHorizontalLayoutUI::GetInterface(std::string_view name)
{
    return name == "HorizontalLayout" ? this : CContainerUI::GetInterface(name);
}

void CHorizontalLayoutUI::SetPos(RECT rc, bool needInvalidate)
{
    CControlUI::SetPos(rc, needInvalidate);
    LayoutLine(InnerRect(), false);
}
