#include "ui/ProgramVersion.h"

#include <cstdlib>

#ifndef QV742_VERSION
#define QV742_VERSION "0.0.0"
#endif

std::string ProgramVersionText()
{
    return std::string("V") + QV742_VERSION;
}

int ProgramVersionNumber()
{
    std::string digits;
    for (const char* c = QV742_VERSION; *c; ++c) {
        if (*c != '.')
            digits += *c;
    }
    return std::atoi(digits.c_str());
}
