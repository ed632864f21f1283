#include "toolkit/CheckBoxUI.h"

const char* CCheckBoxUI::GetClass() const
{
    return "CheckBoxUI";
}

void* CCheckBoxUI::GetInterface(std::string_view name)
{
    return name == "CheckBox" ? this : COptionUI::GetInterface(name);
}
