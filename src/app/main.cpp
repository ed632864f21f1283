// The program's entry point: one instance per user, the window host, the skin, the main
// window and its message loop. The command line is ignored and the exit code is always 0.

#include "app/CMainWnd.h"
#include "app/ControlRegistry.h"
#include "platform/AtomicFile.h"
#include "platform/DebugOutput.h"
#include "platform/Folders.h"
#include "platform/MessageBus.h"
#include "platform/SingleInstance.h"
#include "sim/SimulatedDevices.h"
#include "toolkit/PaintManagerUI.h"
#include "toolkit/ResourceManager.h"
#include "toolkit/qt/QtHostFactory.h"
#include "ui/InterfaceFonts.h"

#include <cstdio>

namespace {

// A second start wakes the running program and ends.
void WakeRunningInstance()
{
    platform::BusFrame wake;
    wake.message = kInstanceMessageName;
    wake.wParam = 0;
    wake.lParam = 1;
    platform::MessageBus().Broadcast(wake);
}

} // namespace

int main(int argc, char** argv)
{
    platform::SingleInstance instance(kInstanceMessageName);
    if (!instance.Acquire()) {
        WakeRunningInstance();
        return 0;
    }
    if (!QtDisplayAvailable()) {
        std::puts("qv742-core: no display to show the window on (set DISPLAY, or QT_QPA_PLATFORM=offscreen).");
        return 0;
    }
    auto host = CreateQtHost(argc, argv);
    std::string programFolder = platform::Folders::ProgramFolder();
    InterfaceFonts::LoadPrivateFonts(programFolder);
    InterfaceFonts::MapFacesToSystemFonts();
    platform::Folders::EnsureUserDataFolder();
    // Temporaries of writes that a crash interrupted; no write of ours is under way yet.
    platform::AtomicFile::RemoveStaleTemporaries(platform::Folders::UserDataFolder());
    platform::AtomicFile::RemoveStaleTemporaries(platform::Folders::UserConfigFolder());
    platform::AtomicFile::RemoveStaleTemporaries(platform::Folders::UserStateFolder());
    std::shared_ptr<SimulatedDevices> simulated = SimulatedDevices::InstallFromEnvironment();

    CPaintManagerUI::SetInstancePath(programFolder + "/");
    CPaintManagerUI::SetResourcePath(programFolder + "/skin/");
    if (!CResourceManager::GetInstance().LoadResource("res.xml")) {
        std::fprintf(stderr, "qv742-core: the skin in %s/skin cannot be read.\n", programFolder.c_str());
        return 0;
    }
    RegisterProgramControls();

    auto* window = new CMainWnd;
    window->SetSimulatedDevices(simulated);
    window->Create(nullptr, "QV742-CORE", 0x96CA0000, 0, 0, 0, 800, 572);
    window->CenterWindow();
    CPaintManagerUI::MessageLoop();
    delete window;
    CResourceManager::GetInstance().Release();
    return 0;
}
