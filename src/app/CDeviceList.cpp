#include "app/CDeviceList.h"

#include "app/ShootCommands.h"

#include "app/CDeviceOptionUI.h"
#include "app/CMpDevicePowerUI.h"
#include "device/COrlithMouseDevice.h"
#include "device/COrlithUSBDevice.h"
#include "device/DeviceFamilyTable.h"
#include "device/DeviceKind.h"
#include "log/LogFile.h"
#include "platform/DebugOutput.h"
#include "platform/Folders.h"
#include "profile/ProfileLibrary.h"
#include "toolkit/ContainerUI.h"
#include "toolkit/DialogBuilder.h"
#include "toolkit/PaintManagerUI.h"
#include "toolkit/TabLayoutUI.h"
#include "ui/CDeviceProfileUI.h"
#include "ui/ColorSelectWnd.h"

namespace {

const char kPowerTileLayout[] = "XML\\CustomControlXML\\MpDevicePower.xml";

void DebugLineForKind(int kind, bool arrived)
{
    int wired = WiredKindOf(kind);
    if (wired == kDeviceKeyboard)
        platform::DebugOutput(arrived ? "添加一个键盘设备" : "删除一个键盘设备");
    else if (wired == kDeviceMouse)
        platform::DebugOutput(arrived ? "添加一个鼠标设备" : "删除一个鼠标设备");
    else if (kind == kDeviceMousePad || kind == kDeviceHs6533)
        platform::DebugOutput(arrived ? "添加一个鼠标垫设备" : "删除一个鼠标垫设备");
}

// The page's profile panel lists the family's profiles; the first tab shows.
void SetUpProfilePanel(CPaintManagerUI& manager, COrlithUSBDevice& device, const DeviceFamily& family)
{
    CControlUI* item = manager.FindSubControlByName(&device, CDeviceProfileUI::kItemName);
    auto* panel = item ? static_cast<CDeviceProfileUI*>(item->GetInterface("DeviceProfile")) : nullptr;
    if (!panel)
        return;
    panel->SetKind(family.kind);
    panel->SetFolders(device.DeviceFolder(), ProfileLibrary::DefaultProfilePathFor(family.name));
    panel->Init();
    panel->SelectTab(1);
}

CTabLayoutUI* AsTabs(CControlUI* control)
{
    return control ? static_cast<CTabLayoutUI*>(control->GetInterface("TabLayout")) : nullptr;
}

CContainerUI* AsContainer(CControlUI* control)
{
    return control ? static_cast<CContainerUI*>(control->GetInterface("Container")) : nullptr;
}

} // namespace

CDeviceList::CDeviceList(CPaintManagerUI& manager, IDialogBuilderCallback* callback)
    : m_manager(manager), m_callback(callback)
{
}

CControlUI* CDeviceList::Find(const char* name) const
{
    return m_manager.FindControl(name);
}

CDeviceOptionUI* CDeviceList::TileAt(int index) const
{
    return index >= 0 && index < TileCount() ? m_tiles[static_cast<size_t>(index)] : nullptr;
}

void CDeviceList::PrebuildPages()
{
    for (int family = 0; family < 2; ++family) {
        const DeviceFamily& row = DeviceFamilyTable()[static_cast<size_t>(family)];
        int slotRow = m_slots.FindRow(row.vendorId, row.productId, static_cast<uint16_t>(row.kind), 0);
        if (slotRow >= 0 && !DeviceForRow(slotRow))
            BuildPage(slotRow);
    }
}

int CDeviceList::CommandRowFor(int slotIndex) const
{
    if (slotIndex < 0 || slotIndex >= m_slots.Count())
        return -1;
    int row = slotIndex;
    const DeviceMatchEntry& entry = m_slots.Row(row);
    if (entry.role == kNotificationInterface)
        row = m_slots.FindRow(entry.vendorId, entry.productId, entry.kind, kCommandInterface);
    if (row < 0)
        return -1;
    const DeviceMatchEntry& command = m_slots.Row(row);
    if (IsReceiverKind(command.kind) && command.hasPartner)
        row = command.partnerIndex;
    return row;
}

COrlithUSBDevice* CDeviceList::DeviceForRow(int row) const
{
    if (row < 0)
        return nullptr;
    for (CDeviceOptionUI* tile : m_tiles) {
        if (tile->Device() && SameInterface(tile->Device()->Identity(), m_slots.Row(row)))
            return tile->Device();
    }
    return nullptr;
}

COrlithUSBDevice* CDeviceList::BuildPage(int row)
{
    const DeviceMatchEntry& identity = m_slots.Row(row);
    int family = FindDeviceFamily(identity.vendorId, identity.productId, WiredKindOf(identity.kind), 0);
    auto* tiles = AsContainer(Find("device_select_layout"));
    auto* pages = AsContainer(Find("device_switch"));
    auto* powers = AsContainer(Find("device_power_switch"));
    if (family < 0 || !tiles || !pages || !powers)
        return nullptr;
    const DeviceFamily& familyRow = DeviceFamilyTable()[static_cast<size_t>(family)];
    const DevicePage& pageRow = DevicePageOf(family);

    CDialogBuilder powerBuilder, tileBuilder, pageBuilder;
    CControlUI* powerControl = powerBuilder.Create(kPowerTileLayout, nullptr, m_callback, &m_manager);
    CControlUI* tileControl = tileBuilder.Create(familyRow.tileLayout.c_str(), nullptr, m_callback, &m_manager);
    CControlUI* pageControl = pageBuilder.Create(pageRow.layout.c_str(), nullptr, m_callback, &m_manager);
    auto* power = powerControl ? static_cast<CMpDevicePowerUI*>(powerControl->GetInterface("MpDevicePower")) : nullptr;
    auto* tile = tileControl ? static_cast<CDeviceOptionUI*>(tileControl->GetInterface("DeviceOption")) : nullptr;
    auto* device = pageControl ? static_cast<COrlithUSBDevice*>(pageControl->GetInterface("OrlithUSBDevice")) : nullptr;
    if (!power || !tile || !device) {
        platform::DebugOutput("device page: a layout of family '" + familyRow.name + "' could not be built");
        delete powerControl;
        delete tileControl;
        delete pageControl;
        return nullptr;
    }

    powers->Add(power);
    power->SetFamily(familyRow.kind, 0);
    m_powerTiles.push_back(power);

    device->SetPageLayout(pageRow.layout);
    device->SetMainWindow(m_manager.GetPaintWindow());
    device->SetCounts(pageRow.keyCount, pageRow.lightCount);
    device->SetFamilyIndex(family);
    device->SetPowerTile(pageRow.hasPowerTile, pageRow.powerQueryPause, power);
    device->SetDeviceFolder(platform::Folders::UserDataFolder() + "/" + familyRow.name);
    device->SetFamilyName(familyRow.name);
    DeviceMatchEntry copy = identity;
    copy.path.clear();
    copy.present = 0;
    device->SetIdentity(copy);
    device->SetFamilyLightIndex(familyRow.numbers[3]);
    device->SetLightPrefix(pageRow.lightPrefix);
    device->SetLightingThreadEnabled(m_lightingThreads);
    pages->Add(device);
    if (auto* mouse = static_cast<COrlithMouseDevice*>(device->GetInterface("OrlithMouseDevice"))) {
        mouse->SetColourDialog([this](uint32_t& argb) {
            return PickColour(m_manager.GetPaintWindow(), m_manager.GetDPIObj()->GetDPI(), argb);
        });
    }
    device->BindPageControls();
    SetUpProfilePanel(m_manager, *device, familyRow);
    ShootCommands::InitPanel(device, platform::Folders::ProgramFolder() + "/DefaultData");
    m_devices.push_back(device);
    switch (familyRow.kind) {
    case kDeviceMouse:
        m_mice.push_back(device);
        break;
    case kDeviceKeyboard:
        m_keyboards.push_back(device);
        break;
    case kDeviceMousePad:
        m_pads.push_back(device);
        break;
    default:
        m_headsets.push_back(device);
        break;
    }

    tiles->Add(tile);
    tile->ShowSynchroOption(false);
    tile->SetGroup(familyRow.tabName.c_str());
    tile->BindPage("device_switch", pages->GetItemIndex(device));
    // A product without a battery has no power card: the device row takes its width.
    tile->SetPowerLayout(familyRow.powerSwitchName.c_str(), pageRow.hasPowerTile ? powers->GetItemIndex(power) : -1);
    tile->SetKind(familyRow.kind, familyRow.role);
    tile->SetVisible(false);
    tile->SetFamilyName(("%[device_name_" + familyRow.name + "]").c_str());
    tile->SetDevice(device);
    device->SetTile(tile, static_cast<int>(m_tiles.size()));
    m_tiles.push_back(tile);
    return device;
}

void CDeviceList::OnArrived(int slotIndex)
{
    if (slotIndex < 0 || slotIndex >= m_slots.Count())
        return;
    const DeviceSlot slot = m_slots.Slot(slotIndex);
    DebugLineForKind(slot.kind, true);
    if (slot.kind == kDeviceHeadset || slot.kind == kDeviceHub || slot.kind == 8)
        return;
    int row = CommandRowFor(slotIndex);
    COrlithUSBDevice* device = DeviceForRow(row);
    if (!device)
        device = BuildPage(row);
    if (!device)
        return;
    if (slot.role == kNotificationInterface) {
        device->OpenNotificationInterface(slot, IsReceiverKind(slot.kind));
        if (WiredKindOf(slot.kind) == kDeviceMouse)
            m_latestNotificationPath = slot.path;
    } else {
        AttachCommand(*device, slotIndex);
    }
    if (onArrivalDone)
        onArrivalDone();
}

void CDeviceList::AttachCommand(COrlithUSBDevice& device, int slotIndex)
{
    const DeviceSlot& slot = m_slots.Slot(slotIndex);
    bool receiver = IsReceiverKind(slot.kind);
    bool wiredKind = slot.kind == kDeviceMouse || slot.kind == kDeviceKeyboard;
    if (device.IsConnected()) {
        // The cable came while the receiver carried the traffic: the cable takes over.
        if (wiredKind && device.Channel().IsReceiverMode())
            device.SwitchCommandPath(slot, false);
        return;
    }
    if (!device.AttachCommandInterface(slot))
        return;
    if (!receiver) {
        // Selected only when no other tile is present; the receiver's tile waits for the link.
        int first = 0, count = 0;
        ShowTile(device.TileIndex(), true, !CountPresentTiles(first, count));
    }
}

void CDeviceList::OnRemoved(int slotIndex)
{
    if (slotIndex < 0 || slotIndex >= m_slots.Count())
        return;
    const DeviceSlot& slot = m_slots.Slot(slotIndex);
    DebugLineForKind(slot.kind, false);
    COrlithUSBDevice* device = DeviceForRow(CommandRowFor(slotIndex));
    if (!device)
        return;
    if (slot.role == kNotificationInterface) {
        device->CloseNotificationInterface(IsReceiverKind(slot.kind));
        return;
    }
    bool partnerAttached = slot.hasPartner && m_slots.Slot(slot.partnerIndex).present;
    if (partnerAttached) {
        if (slot.kind == kDeviceMouse || slot.kind == kDeviceKeyboard)
            device->SwitchCommandPath(m_slots.Slot(slot.partnerIndex), true);
        return;
    }
    if (WiredKindOf(slot.kind) == kDeviceMouse)
        platform::DebugOutput("鼠标设备丢失");
    device->DetachCommandInterface();
    HideTile(device->TileIndex());
}

void CDeviceList::OnTileVisibility(int tileIndex, bool show)
{
    CDeviceOptionUI* tile = TileAt(tileIndex);
    if (!show) {
        HideTile(tileIndex);
        platform::DebugOutput("2.4gcesvdfherhue 1");
        return;
    }
    if (!tile || !tile->Device() || tile->IsPresent())
        return;
    int first = 0, count = 0;
    ShowTile(tileIndex, true, !CountPresentTiles(first, count));
}

void CDeviceList::OnDeviceInitialised(bool initialised)
{
    m_noDeviceLayout = initialised;
    if (CControlUI* error = Find("Error_device_Link"))
        error->SetVisible(!initialised);
}

COrlithUSBDevice* CDeviceList::SelectedDevice() const
{
    COrlithUSBDevice* last = nullptr;
    for (CDeviceOptionUI* tile : m_tiles) {
        last = tile->Device();
        if (tile->IsPresent() && tile->IsDeviceSelected())
            return tile->Device();
    }
    return last;
}

bool CDeviceList::CountPresentTiles(int& first, int& count) const
{
    first = -1;
    count = 0;
    for (int i = 0; i < TileCount(); ++i) {
        if (!m_tiles[static_cast<size_t>(i)]->IsPresent())
            continue;
        if (first < 0)
            first = i;
        ++count;
    }
    return count > 0;
}

void CDeviceList::ShowTile(int index, bool visible, bool select)
{
    CDeviceOptionUI* tile = TileAt(index);
    if (!tile)
        return;
    tile->SetVisible(visible);
    if (select) {
        if (CTabLayoutUI* pages = AsTabs(Find(tile->PageLayoutName().c_str())))
            pages->SelectItem(tile->PageIndex());
        if (CControlUI* powerLayout = Find(tile->PowerLayoutName().c_str())) {
            powerLayout->SetVisible(tile->PowerIndex() >= 0);
            if (CTabLayoutUI* powers = AsTabs(powerLayout); powers && tile->PowerIndex() >= 0)
                powers->SelectItem(tile->PowerIndex());
        }
        if (tile->Device() && m_manager.GetPaintWindow())
            tile->RestartPowerTimer();
        tile->SetDeviceSelected(true, false);
    }
    UpdateNoDeviceLayout("DeviceSelectChanger");
    int present = 0, first = 0;
    CountPresentTiles(first, present);
    if (present < 2) {
        // Synchronised lighting needs two products.
        for (COrlithUSBDevice* device : m_devices)
            device->SetSynchronised(false);
    }
    int synchro = 0;
    for (CDeviceOptionUI* each : m_tiles)
        synchro += each->IsPresent() && each->IsSynchroSelected();
    if (synchro < 2) {
        for (CDeviceOptionUI* each : m_tiles)
            each->SetSynchroSelected(false);
    }
}

void CDeviceList::UpdateNoDeviceLayout(const char* logPrefix)
{
    int first = 0, count = 0;
    bool present = CountPresentTiles(first, count);
    CControlUI* empty = Find("No_device_Link");
    std::string prefix = std::string(logPrefix) + ">pNoDeviceLinkLyout    ";
    if (!present) {
        if (m_noDeviceLayout) {
            if (empty)
                empty->SetVisible(true);
            WriteLog(prefix + "true");
        }
        if (CTabLayoutUI* powers = AsTabs(Find("device_power_switch")))
            powers->SelectItem(0);
        if (CTabLayoutUI* pages = AsTabs(Find("device_switch")))
            pages->SelectItem(0);
    } else if (m_noDeviceLayout) {
        if (empty)
            empty->SetVisible(false);
        WriteLog(prefix + "false");
    }
}

void CDeviceList::HideTile(int index)
{
    CDeviceOptionUI* tile = TileAt(index);
    if (!tile)
        return;
    int other = -1;
    if (tile->IsPresent() && tile->IsDeviceSelected()) {
        if (onSelectedTileHiding)
            onSelectedTileHiding();
        for (int i = 0; i < TileCount() && other < 0; ++i) {
            if (i != index && m_tiles[static_cast<size_t>(i)]->IsPresent())
                other = i;
        }
    }
    ShowTile(index, false, false);
    if (other >= 0)
        ShowTile(other, true, true);
}

void CDeviceList::OnTileSelectionChanged()
{
    for (CDeviceOptionUI* tile : m_tiles) {
        if (!tile->IsDeviceSelected())
            continue;
        if (CControlUI* powerLayout = Find(tile->PowerLayoutName().c_str())) {
            powerLayout->SetVisible(tile->PowerIndex() >= 0);
            if (CTabLayoutUI* powers = AsTabs(powerLayout); powers && tile->PowerIndex() >= 0)
                powers->SelectItem(tile->PowerIndex());
        }
        return;
    }
}

void CDeviceList::SelectPrevious()
{
    int previous = -1;
    for (int i = 0; i < TileCount(); ++i) {
        CDeviceOptionUI* tile = m_tiles[static_cast<size_t>(i)];
        if (tile->IsPresent() && tile->IsDeviceSelected())
            break;
        if (tile->IsVisible())
            previous = i;
    }
    if (previous >= 0)
        ShowTile(previous, true, true);
}

void CDeviceList::SelectNext()
{
    bool afterSelected = false;
    for (int i = 0; i < TileCount(); ++i) {
        CDeviceOptionUI* tile = m_tiles[static_cast<size_t>(i)];
        if (afterSelected && tile->IsVisible()) {
            ShowTile(i, true, true);
            return;
        }
        if (tile->IsPresent() && tile->IsDeviceSelected())
            afterSelected = true;
    }
}

void CDeviceList::SetPreviewPaused(bool paused)
{
    for (CDeviceOptionUI* tile : m_tiles)
        tile->SetPreviewPaused(paused);
    for (COrlithUSBDevice* device : m_devices)
        device->SetLightingPaused(paused);
}

std::vector<COrlithUSBDevice*> CDeviceList::DevicesInPaintOrder() const
{
    std::vector<COrlithUSBDevice*> devices;
    for (const auto* list : {&m_mice, &m_pads, &m_headsets, &m_keyboards})
        devices.insert(devices.end(), list->begin(), list->end());
    return devices;
}

std::vector<COrlithUSBDevice*> CDeviceList::DevicesInJoinOrder() const
{
    std::vector<COrlithUSBDevice*> devices;
    for (const auto* list : {&m_keyboards, &m_mice, &m_pads, &m_headsets})
        devices.insert(devices.end(), list->begin(), list->end());
    return devices;
}

void CDeviceList::ShowSynchroStates()
{
    for (CDeviceOptionUI* tile : m_tiles) {
        const bool synchronised = tile->Device() && tile->Device()->IsSynchronised();
        tile->ShowSynchroOption(synchronised && tile->IsPresent());
        tile->SetSynchroSelected(synchronised);
    }
}
