#pragma once

#include <string>
#include <vector>

// The rules that user-given names of profiles and macros follow.
class NameRules {
public:
    // The longest profile name, in bytes of the system's narrow encoding (UTF-8 here).
    static constexpr size_t kMaxProfileNameBytes = 16;

    // True when a and b are the same text without regard to letter case.
    static bool EqualIgnoringCase(const std::string& a, const std::string& b);
    // True when name equals, without regard to case, any of names other than position skip.
    static bool IsTaken(const std::string& name, const std::vector<std::string>& names, int skip = -1);
    // True when name holds a character a profile name may not hold: < > : " space / \ | ? # % & * =
    static bool HasForbiddenCharacter(const std::string& name);
};
