#include "ui/WindowDpi.h"

#include "platform/DebugOutput.h"
#include "toolkit/ControlUI.h"
#include "toolkit/PaintManagerUI.h"
#include "toolkit/WindowWnd.h"

int AcceptWindowDpi(int dpi, std::string_view errorLine)
{
    for (int accepted : {48, 72, 96, 120, 144, 168, 192}) {
        if (dpi == accepted)
            return dpi;
    }
    platform::DebugOutput(errorLine);
    return 96;
}

int ApplyDpiChange(CWindowWnd& window, CPaintManagerUI& manager, WPARAM wParam, LPARAM lParam, std::string_view errorLine)
{
    const int dpi = AcceptWindowDpi(LOWORD(wParam), errorLine);
    manager.SetDPI(dpi);
    manager.ResetDPIAssets();
    if (const RECT* suggested = reinterpret_cast<const RECT*>(lParam))
        window.SetWindowPos(suggested->left, suggested->top, suggested->right - suggested->left,
                            suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    if (CControlUI* root = manager.GetRoot())
        root->NeedUpdate();
    return dpi;
}
