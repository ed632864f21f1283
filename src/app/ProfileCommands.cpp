#include "app/ProfileCommands.h"

#include "device/COrlithUSBDevice.h"
#include "device/DeviceKind.h"
#include "profile/ProfileLibrary.h"
#include "toolkit/PaintManagerUI.h"
#include "toolkit/UIHost.h"
#include "toolkit/UIParse.h"
#include "ui/CDeviceProfileUI.h"
#include "ui/LanguageText.h"
#include "ui/MsgWnd.h"

#include <algorithm>

namespace {

// The device's macro memory is counted in units of this many bytes; an upload result r > 0
// reports r / 4 bytes.
constexpr long kMacroUnitBytes = 128;
// An upload result below the memory limit is a macro with too many steps: r - 250 of them.
constexpr long kStepResultBase = 250;

} // namespace

bool WindowProfileDialogs::Confirm(const std::string& key)
{
    return ShowMessage(m_manager.GetPaintWindow(), "", key, m_dpi, true, kMessageQuestion) == 1;
}

void WindowProfileDialogs::Notice(const std::string& text, bool isKey)
{
    ShowMessage(m_manager.GetPaintWindow(), "", text, m_dpi, isKey, kMessageNotice);
}

bool WindowProfileDialogs::ChooseFile(bool save, std::string& path)
{
    HWND owner = m_manager.GetPaintWindow();
    const char* description = ProfileCommands::kFilterDescription;
    const char* pattern = ProfileCommands::kFilterPattern;
    return save ? SaveFileDialog(description, pattern, owner, path) : OpenFileDialog(description, pattern, owner, path);
}

bool WindowProfileDialogs::ChooseFileOf(bool save, const char* description, const char* pattern, std::string& path)
{
    HWND owner = m_manager.GetPaintWindow();
    return save ? SaveFileDialog(description, pattern, owner, path) : OpenFileDialog(description, pattern, owner, path);
}

ProfileCommands::ProfileCommands(CPaintManagerUI& manager, std::unique_ptr<IProfileDialogs> dialogs)
    : m_manager(manager), m_dialogs(std::move(dialogs))
{
}

ProfileCommands::~ProfileCommands() = default;

CDeviceProfileUI* ProfileCommands::PanelOf(COrlithUSBDevice* device)
{
    CPaintManagerUI* manager = device ? device->GetManager() : nullptr;
    CControlUI* item = manager ? manager->FindSubControlByName(device, CDeviceProfileUI::kItemName) : nullptr;
    return item ? static_cast<CDeviceProfileUI*>(item->GetInterface("DeviceProfile")) : nullptr;
}

void ProfileCommands::OnClick(const std::string& name, COrlithUSBDevice* device)
{
    CDeviceProfileUI* panel = PanelOf(device);
    if (!panel)
        return;
    if (EqualsNoCase(name, "device_add_btn"))
        Add(*panel);
    else if (EqualsNoCase(name, "device_copy_btn"))
        Copy(*panel);
    else if (EqualsNoCase(name, "device_sub_btn"))
        Delete(*panel);
    else if (EqualsNoCase(name, "device_import_btn"))
        Import(*panel);
    else if (EqualsNoCase(name, "device_export_btn"))
        Export(*panel);
    else if (EqualsNoCase(name, "device_profile_edit_save_btn"))
        Rename(*panel);
    else if (EqualsNoCase(name, "device_reset_btn") || EqualsNoCase(name, "default_btn"))
        Reset(*panel, *device);
    else if (name == "profile_fun_spread_btn")
        panel->ShowMenu(!panel->IsMenuVisible());
}

void ProfileCommands::ShowResult(int result)
{
    const std::string key = ProfileResultMessageKey(result);
    if (!key.empty())
        m_dialogs->Notice(key, true);
}

void ProfileCommands::Add(CDeviceProfileUI& panel)
{
    if (m_dialogs->Confirm("message_text_28"))
        ShowResult(panel.Add());
}

void ProfileCommands::Copy(CDeviceProfileUI& panel)
{
    if (m_dialogs->Confirm("message_text_27"))
        ShowResult(panel.Copy());
}

void ProfileCommands::Delete(CDeviceProfileUI& panel)
{
    // The combo announces the profile that takes the deleted one's place; the window applies it.
    if (m_dialogs->Confirm("message_text_30"))
        ShowResult(panel.Delete());
}

void ProfileCommands::Import(CDeviceProfileUI& panel)
{
    std::string path;
    if (m_dialogs->ChooseFile(false, path) && !path.empty())
        ShowResult(panel.Import(path));
}

void ProfileCommands::Export(CDeviceProfileUI& panel)
{
    std::string path;
    if (m_dialogs->ChooseFile(true, path) && !path.empty())
        ShowResult(panel.Export(path));
}

void ProfileCommands::Rename(CDeviceProfileUI& panel)
{
    const std::string name = panel.NameEditText();
    if (name.empty())
        return;
    int check = ProfileLibrary::CheckNameText(name);
    ShowResult(check != kProfileDone ? check : panel.Rename(name));
}

void ProfileCommands::Reset(CDeviceProfileUI& panel, COrlithUSBDevice& device)
{
    if (!m_dialogs->Confirm("message_text_22"))
        return;
    int result = panel.ResetToDefault();
    ShowResult(result);
    if (result == kProfileDone)
        ApplyProfile(panel, device, true);
}

void ProfileCommands::ApplySelection(COrlithUSBDevice* device)
{
    CDeviceProfileUI* panel = PanelOf(device);
    if (!panel || panel->CurrentIndex() < 0)
        return;
    panel->Select(panel->CurrentIndex(), false);
    ApplyProfile(*panel, *device, false);
}

void ProfileCommands::ApplyProfile(CDeviceProfileUI& panel, COrlithUSBDevice& device, bool afterReset)
{
    int result = device.ApplyProfile(panel.CurrentProfilePath());
    bool memoryAlways = afterReset && WiredKindOf(device.Kind()) == kDeviceKeyboard;
    long number = 0;
    const std::string key = UploadNoticeKey(result, device.MacroMemoryUnits(), memoryAlways, number);
    if (key == "message_text_7")
        m_dialogs->Notice(key, true);
    else if (!key.empty())
        m_dialogs->Notice(LanguageText::Format(&m_manager, key, number), false);
}

std::string ProfileCommands::UploadNoticeKey(int result, int macroUnits, bool memoryAlways, long& number)
{
    if (result == -1)
        return "message_text_7";
    if (result <= 0)
        return "";
    long r = result;
    long memoryBytes = kMacroUnitBytes * macroUnits;
    if (memoryAlways || r * 4 > memoryBytes) {
        // At least one: a keyboard's reset reports every positive result as an overrun.
        number = std::max((r - memoryBytes) / 4 + 1, 1L);
        return "message_text_16";
    }
    number = r - kStepResultBase;
    return "message_text_26";
}
