#pragma once

// Shared pieces of the toolkit tests: a headless host, a skin folder in a temporary directory
// and a window that builds a skin and records its notifications.

#include "support/TempFolder.h"
#include "toolkit/PaintManagerUI.h"
#include "toolkit/ResourceManager.h"
#include "toolkit/WindowImplBase.h"
#include "toolkit/headless/HeadlessHost.h"
#include "toolkit/headless/SyntheticInput.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

// A window built from a skin file; it writes down "type:sender" for each notification.
class RecordingWindow : public WindowImplBase {
public:
    explicit RecordingWindow(std::string skin) : m_skin(std::move(skin)) {}

    CDuiString GetSkinFile() override { return m_skin; }
    void Notify(TNotifyUI& msg) override
    {
        if (msg.sType != "timer" || recordTimers)
            notes.push_back(std::string(msg.sType) + ":" + std::string(msg.pSender ? msg.pSender->GetName() : ""));
        if (onNotify)
            onNotify(msg);
        WindowImplBase::Notify(msg);
    }
    LRESULT HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled) override
    {
        bHandled = FALSE;
        if (onMessage)
            return onMessage(uMsg, wParam, lParam, bHandled);
        return 0;
    }
    CControlUI* CreateControl(const char* className) override
    {
        return onCreateControl ? onCreateControl(className) : nullptr;
    }
    CControlUI* Find(const char* name) { return m_pm.FindControl(name); }
    template <typename T>
    T* FindAs(const char* name) { return static_cast<T*>(m_pm.FindControl(name)); }
    // Notes recorded since the last call.
    std::vector<std::string> TakeNotes()
    {
        std::vector<std::string> taken;
        taken.swap(notes);
        return taken;
    }

    std::vector<std::string> notes;
    bool recordTimers = true;
    std::function<void(TNotifyUI&)> onNotify;
    std::function<LRESULT(UINT, WPARAM, LPARAM, BOOL&)> onMessage;
    std::function<CControlUI*(const char*)> onCreateControl;

protected:
    const char* GetWindowClassName() const override { return "RecordingWindow"; }

private:
    std::string m_skin;
};

// The start of a PNG file: signature and header chunk, which is all the headless host reads.
inline std::string PngHeader(uint32_t width, uint32_t height)
{
    std::string bytes("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16);
    for (uint32_t v : {width, height})
        for (int shift = 24; shift >= 0; shift -= 8)
            bytes.push_back(char((v >> shift) & 0xFF));
    return bytes + std::string("\x08\x06\0\0\0", 5);
}

class ToolkitTest : public ::testing::Test {
protected:
    ToolkitTest()
    {
        CPaintManagerUI::SetResourcePath(skin.Path());
        CPaintManagerUI::ClearSharedImages();
        CResourceManager::GetInstance().Release();
    }
    ~ToolkitTest() override { CResourceManager::GetInstance().Release(); }

    // Writes a skin file below the skin folder (creating folders) and returns its name.
    std::string WriteSkin(const std::string& name, const std::string& xml)
    {
        std::string path = skin / name;
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        testsupport::WriteFileBytes(path, xml);
        return name;
    }

    // Creates a window of the given size from skin XML text and lays it out.
    std::unique_ptr<RecordingWindow> OpenWindow(const std::string& xml, int cx = 400, int cy = 300)
    {
        auto window = std::make_unique<RecordingWindow>(WriteSkin("window.xml", xml));
        window->Create(nullptr, "test", WS_POPUP, 0, 0, 0, cx, cy);
        window->ShowWindow(true);
        host.RunPending();
        return window;
    }

    testsupport::TempFolder skin;
    CHeadlessHost host;
};
