#include "ui/WindowDpi.h"

#include "platform/DebugOutput.h"

int AcceptWindowDpi(int dpi, std::string_view errorLine)
{
    for (int accepted : {48, 72, 96, 120, 144, 168, 192}) {
        if (dpi == accepted)
            return dpi;
    }
    platform::DebugOutput(errorLine);
    return 96;
}
