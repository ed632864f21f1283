#pragma once

// The main window's device row: one tile, one page and one power tile per product family,
// built on the first arrival of a family's interface and kept until the window goes. Follows
// the slots the scan thread claims and frees, keeps exactly one tile selected among the present
// ones, and shows the empty and error states.

#include "hid/DeviceMatchTable.h"
#include "toolkit/DuiString.h"

#include <functional>
#include <string>
#include <vector>

class CControlUI;
class CDeviceOptionUI;
class CMpDevicePowerUI;
class COrlithUSBDevice;
class CPaintManagerUI;
class IDialogBuilderCallback;

class CDeviceList {
public:
    CDeviceList(CPaintManagerUI& manager, IDialogBuilderCallback* callback);

    // One slot per row of the match table, all free.
    DeviceSlotList& Slots() { return m_slots; }
    // Builds the mouse and keyboard pages before any device is found.
    void PrebuildPages();

    // 0xC12 and 0xC13 from the scan thread.
    void OnArrived(int slotIndex);
    void OnRemoved(int slotIndex);
    // 0xD03: hide (false) or show the tile at index.
    void OnTileVisibility(int tileIndex, bool show);
    // 0xD05: the mouse reports whether it is initialised.
    void OnDeviceInitialised(bool initialised);
    // "selectchanged" from a tile's "device_select".
    void OnTileSelectionChanged();
    void SelectPrevious();
    void SelectNext();

    // The device of the first present, selected tile; without one, the last tile's device.
    COrlithUSBDevice* SelectedDevice() const;
    // True when a tile is present; the first present index and the number present.
    bool CountPresentTiles(int& first, int& count) const;
    void ShowTile(int index, bool visible, bool select);
    void HideTile(int index);

    bool NoDeviceLayoutFlag() const { return m_noDeviceLayout; }
    int TileCount() const { return static_cast<int>(m_tiles.size()); }
    CDeviceOptionUI* TileAt(int index) const;
    const std::vector<COrlithUSBDevice*>& Mice() const { return m_mice; }
    const std::vector<COrlithUSBDevice*>& Keyboards() const { return m_keyboards; }
    const std::vector<COrlithUSBDevice*>& AllDevices() const { return m_devices; }
    const std::string& LatestNotificationPath() const { return m_latestNotificationPath; }
    // Mice, mouse pads, headsets, keyboards: the order the light sync thread paints in.
    std::vector<COrlithUSBDevice*> DevicesInPaintOrder() const;
    // Keyboards, mice, mouse pads, headsets: the order products join synchronised lighting in.
    std::vector<COrlithUSBDevice*> DevicesInJoinOrder() const;
    // Each tile shows whether its device takes part in synchronised lighting.
    void ShowSynchroStates();
    // Whether the devices built from now on run their lighting threads (tests step them).
    void SetLightingThreads(bool run) { m_lightingThreads = run; }
    // The preview timers and the lighting threads run only while the window can be seen.
    void SetPreviewPaused(bool paused);

    // Runs at the end of every arrival (the main window's first-show routine).
    std::function<void()> onArrivalDone;
    // Runs before a selected tile is hidden (close auxiliary windows, stop a recording).
    std::function<void()> onSelectedTileHiding;

private:
    // The wired command row of a slot's product (a notification row leads to its command row,
    // a receiver row to its partner); -1 when there is none.
    int CommandRowFor(int slotIndex) const;
    COrlithUSBDevice* DeviceForRow(int row) const;
    COrlithUSBDevice* BuildPage(int row);
    void AttachCommand(COrlithUSBDevice& device, int slotIndex);
    void UpdateNoDeviceLayout(const char* logPrefix);
    CControlUI* Find(const char* name) const;

    CPaintManagerUI& m_manager;
    IDialogBuilderCallback* m_callback;
    DeviceSlotList m_slots;
    std::vector<CDeviceOptionUI*> m_tiles;
    std::vector<CMpDevicePowerUI*> m_powerTiles;
    std::vector<COrlithUSBDevice*> m_devices;
    std::vector<COrlithUSBDevice*> m_mice;
    std::vector<COrlithUSBDevice*> m_keyboards;
    std::vector<COrlithUSBDevice*> m_pads;
    std::vector<COrlithUSBDevice*> m_headsets;
    bool m_noDeviceLayout = true;
    bool m_lightingThreads = true;
    std::string m_latestNotificationPath;
};
