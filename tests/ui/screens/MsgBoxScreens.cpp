// Shows the question box over a dark window in one language, for screenshots; closes itself
// after a few seconds. Not shipped. Usage: ui_msgbox_screens <language index> [seconds]

#include "platform/SettingsStore.h"
#include "support/TempFolder.h"
#include "toolkit/ResourceManager.h"
#include "toolkit/qt/QtHost.h"
#include "ui/InterfaceFonts.h"
#include "ui/LanguageManager.h"
#include "ui/MsgWnd.h"

#include <cstdlib>

namespace {

class BackdropWindow : public WindowImplBase {
public:
    explicit BackdropWindow(std::string skin) : m_skin(std::move(skin)) {}
    CDuiString GetSkinFile() override { return m_skin; }

protected:
    const char* GetWindowClassName() const override { return "BackdropWnd"; }

private:
    std::string m_skin;
};

} // namespace

int main(int argc, char** argv)
{
    int language = argc > 1 ? std::atoi(argv[1]) : 1;
    int seconds = argc > 2 ? std::atoi(argv[2]) : 4;
    CQtHost host(argc, argv);
    const std::string data = QV742_SOURCE_DIR "/data";
    CPaintManagerUI::SetResourcePath(data + "/skin");
    CResourceManager::GetInstance().LoadResource("res.xml");
    InterfaceFonts::LoadPrivateFonts(data);
    InterfaceFonts::MapFacesToSystemFonts();

    testsupport::TempFolder temp;
    testsupport::WriteFileBytes(temp / "backdrop.xml",
                                R"(<Window><VerticalLayout bkcolor="#FF15171C"/></Window>)");
    BackdropWindow backdrop(temp / "backdrop.xml");
    backdrop.Create(nullptr, "QV742-CORE", WS_POPUP, 0, 0, 0, 800, 572);
    backdrop.CenterWindow();
    backdrop.ShowWindow(true);

    platform::SettingsStore settings(temp / "settings.reg");
    LanguageManager languages(data + "/DefaultData", settings);
    languages.ApplyLanguage(language, backdrop.GetPaintManager());

    backdrop.SetTimer(1, UINT(seconds * 1000));
    struct Closer : IMessageFilterUI {
        LRESULT MessageHandler(UINT msg, WPARAM, LPARAM, bool& handled) override
        {
            if (msg == WM_TIMER) {
                for (CPaintManagerUI* manager : CPaintManagerUI::GetPaintManagers())
                    if (manager->GetName() == "MsgWnd")
                        manager->GetWindow()->Close(0);
                handled = true;
            }
            return 0;
        }
    } closer;
    backdrop.GetPaintManager().AddMessageFilter(&closer);
    ShowMessage(backdrop.GetHWND(), "", "message_text_2", 96, true, kMessageQuestion);
    backdrop.DestroyWindow();
    return 0;
}
