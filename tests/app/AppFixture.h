#pragma once

// The main window on the headless host with the shipped skin and simulated products. The
// scan runs on the test's thread (ScanOnce) so every arrival happens where the test can see it.

#include "app/CDeviceOptionUI.h"
#include "app/CMainWnd.h"
#include "app/ControlRegistry.h"
#include "device/COrlithUSBDevice.h"
#include "device/DeviceMessages.h"
#include "hid/DeviceScanPass.h"
#include "hid/HidBackend.h"
#include "sim/SimulatedDevices.h"
#include "support/TempFolder.h"
#include "toolkit/MessageQueue.h"
#include "toolkit/PaintManagerUI.h"
#include "toolkit/ResourceManager.h"
#include "toolkit/TabLayoutUI.h"
#include "toolkit/headless/HeadlessHost.h"

#include <gtest/gtest.h>

#include <memory>

class AppTest : public testing::Test {
protected:
    AppTest()
        : m_data("XDG_DATA_HOME", dir / "data"), m_config("XDG_CONFIG_HOME", dir / "config"),
          m_runtime("XDG_RUNTIME_DIR", dir / "run"),
          m_program("QV742_DATA_DIR", std::string(QV742_TEST_SOURCE_DIR) + "/data")
    {
        CPaintManagerUI::SetResourcePath(std::string(QV742_TEST_SOURCE_DIR) + "/data/skin/");
        CPaintManagerUI::ClearSharedImages();
        CResourceManager::GetInstance().Release();
        CResourceManager::GetInstance().LoadResource("res.xml");
        RegisterProgramControls();
        sim->SetLatencyMs(0);
        HidBackend::SetCurrent(sim->Bus());
    }

    ~AppTest() override
    {
        if (window)
            window->DestroyWindow();
        window.reset();
        HidBackend::SetCurrent(nullptr);
        CResourceManager::GetInstance().Release();
    }

    // Opens the main window without its threads; the test scans by hand.
    void Open(bool startThreads = false)
    {
        window = std::make_unique<CMainWnd>(dir / "run");
        window->SetStartThreads(startThreads);
        window->Create(nullptr, "QV742-CORE", 0x96CA0000, 0, 0, 0, 800, 572);
        host.RunPending();
    }

    // One scan pass, its arrivals and removals handled by the window at once.
    void ScanOnce()
    {
        DeviceScanPass pass(window->Devices().Slots(), sim->Bus());
        HWND hwnd = window->GetHWND();
        pass.Run([hwnd](int slot) { ::SendMessage(hwnd, kMsgDeviceArrived, slot, 0); },
                 [hwnd](int slot) { ::SendMessage(hwnd, kMsgDeviceRemoved, slot, 0); });
        host.RunPending();
    }

    CControlUI* Find(const char* name) { return window->GetPaintManager().FindControl(name); }
    bool Visible(const char* name) { return Find(name) && Find(name)->IsVisible(); }
    int TabIndex(const char* name) { return static_cast<CTabLayoutUI*>(Find(name))->GetCurSel(); }
    CDeviceOptionUI* MouseTile() { return window->Devices().TileAt(0); }
    COrlithUSBDevice* Mouse() { return MouseTile()->Device(); }
    bool TimerArmed(CControlUI* control, UINT id) { return CMessageQueue::Instance().HasTimer(control, id); }

    testsupport::TempFolder dir;
    testsupport::ScopedEnv m_data, m_config, m_runtime, m_program;
    CHeadlessHost host;
    std::shared_ptr<SimulatedDevices> sim = std::make_shared<SimulatedDevices>();
    std::unique_ptr<CMainWnd> window;
};
