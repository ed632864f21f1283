#include "toolkit/UIHost.h"

#include "toolkit/MessageQueue.h"
#include "toolkit/WindowWnd.h"

namespace {
IUIHost* g_host = nullptr;
}

IUIHost* UIHost()
{
    return g_host;
}

void SetUIHost(IUIHost* host)
{
    g_host = host;
}

RECT MonitorRectOf(HWND hwnd)
{
    if (!g_host)
        return RECT{};
    CWindowWnd* window = CMessageQueue::Instance().Lookup(hwnd);
    return g_host->MonitorRect(window ? window->GetWindowRect() : RECT{});
}

POINT CursorPosition()
{
    return g_host ? g_host->CursorPos() : POINT{};
}

POINT ScreenPointFromDevicePixels(POINT devicePoint)
{
    return g_host ? g_host->ScreenPointFromDevicePixels(devicePoint) : devicePoint;
}

bool AddPrivateFontFile(const std::string& path)
{
    return g_host && g_host->AddFontFile(path);
}

static bool RunDialog(bool save, const std::string& description, const std::string& pattern, HWND owner,
                      std::string& path)
{
    if (!g_host)
        return false;
    std::string chosen;
    if (!g_host->RunFileDialog(FileDialogRequest{save, owner, description, pattern}, chosen) || chosen.empty())
        return false;
    path = chosen;
    return true;
}

bool OpenFileDialog(const std::string& filterDescription, const std::string& filterPattern, HWND owner,
                    std::string& path)
{
    return RunDialog(false, filterDescription, filterPattern, owner, path);
}

bool SaveFileDialog(const std::string& filterDescription, const std::string& filterPattern, HWND owner,
                    std::string& path)
{
    return RunDialog(true, filterDescription, filterPattern, owner, path);
}

void SubstituteFontFace(const std::string& face, const std::vector<std::string>& families)
{
    if (g_host)
        g_host->SubstituteFontFace(face, families);
}
