// The main window on the Qt host with simulated products, on a private X server: what the
// window system sees of it.

#include "app/CMainWnd.h"
#include "app/ControlRegistry.h"
#include "device/DeviceMessages.h"
#include "hid/DeviceScanPass.h"
#include "hid/HidBackend.h"
#include "sim/SimulatedDevices.h"
#include "support/TempFolder.h"
#include "support/XvfbDisplay.h"
#include "toolkit/MessageQueue.h"
#include "toolkit/PaintManagerUI.h"
#include "toolkit/ResourceManager.h"
#include "toolkit/qt/QtHost.h"
#include "toolkit/qt/QtWindow.h"

#include <QCoreApplication>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

class NativeWindow : public testing::Test {
protected:
    NativeWindow()
        : m_data("XDG_DATA_HOME", dir / "data"), m_config("XDG_CONFIG_HOME", dir / "config"),
          m_runtime("XDG_RUNTIME_DIR", dir / "run"),
          m_program("QV742_DATA_DIR", std::string(QV742_TEST_SOURCE_DIR) + "/data"),
          m_display("DISPLAY", xvfb.Name()), m_platform("QT_QPA_PLATFORM", "xcb"), host(argc, argv)
    {
        CPaintManagerUI::SetResourcePath(std::string(QV742_TEST_SOURCE_DIR) + "/data/skin/");
        CPaintManagerUI::ClearSharedImages();
        CResourceManager::GetInstance().Release();
        CResourceManager::GetInstance().LoadResource("res.xml");
        RegisterProgramControls();
        sim->SetLatencyMs(0);
        HidBackend::SetCurrent(sim->Bus());
        window = std::make_unique<CMainWnd>(dir / "run");
        window->SetStartThreads(false);
        window->Create(nullptr, "QV742-CORE", 0x96CA0000, 0, 0, 0, 800, 572);
        Pump();
    }

    ~NativeWindow() override
    {
        window->DestroyWindow();
        window.reset();
        HidBackend::SetCurrent(nullptr);
        CResourceManager::GetInstance().Release();
        CPaintManagerUI::ClearSharedImages();
    }

    void Pump()
    {
        for (int round = 0; round < 3; ++round) {
            QCoreApplication::processEvents();
            CMessageQueue::Instance().ProcessPending();
        }
    }

    // One scan pass, its arrivals and removals handled by the window at once.
    void ScanOnce()
    {
        DeviceScanPass pass(window->Devices().Slots(), sim->Bus());
        HWND hwnd = window->GetHWND();
        pass.Run([hwnd](int slot) { ::SendMessage(hwnd, kMsgDeviceArrived, slot, 0); },
                 [hwnd](int slot) { ::SendMessage(hwnd, kMsgDeviceRemoved, slot, 0); });
        Pump();
    }

    WId NativeId() { return static_cast<CQtWindow*>(window->GetNativeWindow())->Widget()->winId(); }

    int argc = 1;
    char name[8] = "test";
    char* argv[2] = {name, nullptr};
    testsupport::TempFolder dir;
    testsupport::ScopedEnv m_data, m_config, m_runtime, m_program;
    // The X window id is what the window system and the desktop know the window by.
    testsupport::XvfbDisplay xvfb;
    testsupport::ScopedEnv m_display, m_platform;
    CQtHost host;
    std::shared_ptr<SimulatedDevices> sim = std::make_shared<SimulatedDevices>();
    std::unique_ptr<CMainWnd> window;
};

TEST_F(NativeWindow, KeepsItsNativeWindowAcrossUnplugPlugAndAWakeFromASecondStart)
{
    sim->Plug("mouse");
    ScanOnce();
    ASSERT_TRUE(window->IsVisible()) << "the arrival brought the window to the front";
    const WId first = NativeId();

    sim->Unplug("mouse");
    ScanOnce();
    sim->Plug("mouse");
    ScanOnce();
    EXPECT_EQ(NativeId(), first) << "plugging the mouse again";

    window->SendMessage(window->Messages().instance, 0, 1);
    Pump();
    EXPECT_TRUE(window->IsVisible());
    EXPECT_EQ(NativeId(), first) << "a second start woke the window";
}

} // namespace
