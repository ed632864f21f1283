#pragma once

// The main window's side of the recoil pattern editor: prepares the panel when the mouse page
// is built, asks the user for pattern files to import and export, sends the patterns to the
// mouse, and hands everything else to the panel.

#include <functional>
#include <string>

class COrlithUSBDevice;
class CPaintManagerUI;
class CShootControlUI;
struct TNotifyUI;

class ShootCommands {
public:
    // Asks for a pattern file (save or open); true with path set when the user confirmed.
    using ChooseFile = std::function<bool(bool save, std::string& path)>;
    // Tells the user something by language key.
    using Notice = std::function<void(const std::string& key)>;

    ShootCommands(ChooseFile chooseFile, Notice notice);
    // Replaces how the user is asked and told (tests script them).
    void SetDialogs(ChooseFile chooseFile, Notice notice)
    {
        m_chooseFile = std::move(chooseFile);
        m_notice = std::move(notice);
    }

    // The panel of a device's page; null when the page has none.
    static CShootControlUI* PanelOf(COrlithUSBDevice* device);
    // Page build: the panel learns its folders, restores missing pattern files and shows gun 0,
    // shot 0.
    static void InitPanel(COrlithUSBDevice* device, const std::string& defaultFolder);
    // A notification routed to the editor for the selected device (a mouse).
    void OnNotify(TNotifyUI& msg, COrlithUSBDevice* device);

private:
    void Import(CShootControlUI& panel);
    void Export(CShootControlUI& panel);
    void Upload(COrlithUSBDevice& device);

    ChooseFile m_chooseFile;
    Notice m_notice;
};
