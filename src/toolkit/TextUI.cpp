#include "toolkit/TextUI.h"

CTextUI::CTextUI()
{
    m_uTextStyle = DT_WORDBREAK;
}

const char* CTextUI::GetClass() const
{
    return "TextUI";
}

void* CTextUI::GetInterface(std::string_view name)
{
    return name == "Text" ? this : CLabelUI::GetInterface(name);
}
