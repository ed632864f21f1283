#include "profile/NameRules.h"

#include "profile/StringUtils.h"

#include <cwctype>

bool NameRules::EqualIgnoringCase(const std::string& a, const std::string& b)
{
    std::wstring wideA = Utf8ToWide(a);
    std::wstring wideB = Utf8ToWide(b);
    if (wideA.size() != wideB.size())
        return false;
    for (size_t i = 0; i < wideA.size(); ++i) {
        if (std::towlower(static_cast<wint_t>(wideA[i])) != std::towlower(static_cast<wint_t>(wideB[i])))
            return false;
    }
    return true;
}

bool NameRules::IsTaken(const std::string& name, const std::vector<std::string>& names, int skip)
{
    for (size_t i = 0; i < names.size(); ++i) {
        if (static_cast<int>(i) != skip && EqualIgnoringCase(name, names[i]))
            return true;
    }
    return false;
}

bool NameRules::HasForbiddenCharacter(const std::string& name)
{
    return name.find_first_of("<>:\" /\\|?#%&*=") != std::string::npos;
}
