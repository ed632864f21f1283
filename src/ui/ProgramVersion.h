#pragma once

#include <string>

// The program's version as the about and settings windows show it ("V1.0.0").
std::string ProgramVersionText();
// The version read as the update list compares it: the dotted numbers joined ("1.0.0" is 100).
int ProgramVersionNumber();
