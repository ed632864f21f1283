#include "app/ShootCommands.h"

#include "channel/DeviceChannel.h"
#include "device/COrlithMouseDevice.h"
#include "panels/CShootControlUI.h"
#include "toolkit/NotifyUI.h"
#include "toolkit/PaintManagerUI.h"

ShootCommands::ShootCommands(ChooseFile chooseFile, Notice notice)
    : m_chooseFile(std::move(chooseFile)), m_notice(std::move(notice))
{
}

CShootControlUI* ShootCommands::PanelOf(COrlithUSBDevice* device)
{
    CPaintManagerUI* manager = device ? device->GetManager() : nullptr;
    CControlUI* item = manager ? manager->FindSubControlByName(device, CShootControlUI::kItemName) : nullptr;
    return item ? static_cast<CShootControlUI*>(item->GetInterface("ShootControl")) : nullptr;
}

void ShootCommands::InitPanel(COrlithUSBDevice* device, const std::string& defaultFolder)
{
    CShootControlUI* panel = PanelOf(device);
    if (!panel)
        return;
    panel->SetDataFolder(device->DeviceFolder());
    panel->SetDefaultFolder(defaultFolder);
    panel->InitShootPanel();
    panel->SelectGun(0);
    panel->SelectShot(0);
}

void ShootCommands::OnNotify(TNotifyUI& msg, COrlithUSBDevice* device)
{
    CShootControlUI* panel = PanelOf(device);
    if (!panel || !msg.pSender)
        return;
    const std::string name = msg.pSender->GetName();
    if (msg.sType == "click" && name == "shootdate_import_btn")
        Import(*panel);
    else if (msg.sType == "click" && name == "shootdate_export_btn")
        Export(*panel);
    else if (msg.sType == "click" && name == "shootdate_save_btn")
        Upload(*device);
    else
        panel->OnNotify(msg);
}

void ShootCommands::Import(CShootControlUI& panel)
{
    std::string path;
    if (!m_chooseFile(false, path) || path.empty())
        return;
    const CShootControlUI::ImportResult result = panel.ImportPattern(path);
    if (result == CShootControlUI::kUnreadable || result == CShootControlUI::kNotAPattern)
        m_notice("shoot_import_invalid_text");
    else if (result == CShootControlUI::kNotStored)
        m_notice("shoot_file_not_written_text");
}

void ShootCommands::Export(CShootControlUI& panel)
{
    std::string path;
    if (!m_chooseFile(true, path) || path.empty())
        return;
    if (!panel.ExportPattern(path))
        m_notice("shoot_file_not_written_text");
}

void ShootCommands::Upload(COrlithUSBDevice& device)
{
    auto* mouse = static_cast<COrlithMouseDevice*>(device.GetInterface("OrlithMouseDevice"));
    // A send that did not arrive must not look like one that did.
    if (mouse && mouse->Commands().WriteShootingData() != kChannelOk)
        m_notice("shoot_upload_failed_text");
}
