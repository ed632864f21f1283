#include "toolkit/ListElementUI.h"

const char* CListElementUI::GetClass() const
{
    return "ListElementUI";
}
