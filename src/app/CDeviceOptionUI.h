#pragma once

// A device tile in the main window's device row: the option that selects the product's page,
// the option of synchronised lighting, the family name, and the tile timers that drive the
// periodic device work (preview, full read on connect, re-reads, power, link watch, keep-alive).

#include "toolkit/HorizontalLayoutUI.h"

class COptionUI;
class COrlithUSBDevice;

class CDeviceOptionUI : public CHorizontalLayoutUI {
public:
    const char* GetClass() const override { return "DeviceOption"; }
    void* GetInterface(std::string_view name) override;
    void DoEvent(TEventUI& event) override;

    // Chooses the tile images by kind and sub-kind (mouse pads: 0 hard, 1 soft).
    void SetKind(int kind, int subKind);
    int TileKind() const { return m_kind; }
    int TileSubKind() const { return m_subKind; }
    void SetGroup(const CDuiString& group);
    // The tab layout "device_select" switches, and the page's index there.
    void BindPage(const CDuiString& tabLayoutName, int index);
    int PageIndex() const { return m_pageIndex; }
    const CDuiString& PageLayoutName() const { return m_pageLayoutName; }
    // The power tab layout and the index of this product's power tile (-1 for none).
    void SetPowerLayout(const CDuiString& name, int index);
    const CDuiString& PowerLayoutName() const { return m_powerLayoutName; }
    int PowerIndex() const { return m_powerIndex; }
    void ShowSynchroOption(bool show);
    bool IsSynchroSelected();
    void SetSynchroSelected(bool selected);
    bool IsDeviceSelected();
    void SetDeviceSelected(bool selected, bool sendEvent = true);
    void SetFamilyName(const CDuiString& name);
    void SetDevice(COrlithUSBDevice* device) { m_device = device; }
    COrlithUSBDevice* Device() const { return m_device; }
    // The tile's visibility is its device's presence.
    bool IsPresent() const { return IsVisible(); }
    int RetryCount() const { return m_retryCount; }

    // Power polling from 50 ms on, for a connected product with a power tile; the device is
    // answering again, so its channel's suspension for the firmware updater ends.
    void RestartPowerTimer();

    // The preview timer only runs while someone can see it; the main window pauses and
    // resumes it when it hides and shows.
    void SetPreviewPaused(bool paused);

private:
    COptionUI* SelectOption();
    COptionUI* SynchroOption();
    void ApplyImages();
    void OnTimer(UINT id);
    void OnConnectTimer();
    void OnLinkWatchTimer();
    void Arm(UINT id, UINT elapseMs);
    void Stop(UINT id);

    COrlithUSBDevice* m_device = nullptr;
    int m_kind = 0;
    int m_subKind = 0;
    CDuiString m_imageBase = "unknow";
    CDuiString m_pageLayoutName;
    int m_pageIndex = -1;
    CDuiString m_powerLayoutName;
    int m_powerIndex = -1;
    int m_retryCount = 0;
    bool m_previewPaused = false;
    bool m_previewWanted = false;
};
