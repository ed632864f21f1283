#pragma once

// Plays one user action on a named control of a window, as if the user had done it, for scripts
// that drive the running program with simulated devices (qv742-msg sim ui "...").
//
//   "click NAME"        the control is clicked
//   "select NAME"       an option or check box becomes selected
//   "value NAME N"      a slider is moved to N and released
//   "item NAME N"       row N of a combo box is chosen

#include <string>

class CControlUI;
class CPaintManagerUI;

class ControlDriver {
public:
    // Runs command on the control of that name below scope (or anywhere in the window when
    // scope has none); false when the command, the control or its kind does not fit.
    static bool Drive(CPaintManagerUI& manager, CControlUI* scope, const std::string& command);
};
