#pragma once

#include "toolkit/ListContainerElementUI.h"
#include "ui/UpdateEntry.h"

class COptionUI;

// One row of the settings window's update list: the component's check box and name, the new
// and the current version, and the update state (text, busy indicator with percentage, ok mark).
class CUpdateInfoListItemUI : public CListContainerElementUI {
public:
    static constexpr const char* kLayoutFile = "XML/CustomControlXML/device_Update_list_item.xml";
    static constexpr int kHeight = 50;

    // States of a row. 1 and 2 both mean "needs an update".
    enum State : int {
        kLess = 0,
        kNeedUpdate = 1,
        kNeedUpdateToo = 2,
        kDownloadWait = 3,
        kDownloading = 4,
        kDownloaded = 5,
        kUpdating = 6,
        kUpdated = 7,
        kUpdateFailed = 8,
    };

    const char* GetClass() const override { return "UpdateInfoListItemUI"; }
    void* GetInterface(std::string_view name) override;

    // Builds the row's controls from its layout file into this row; false when it cannot be built.
    bool Build(CPaintManagerUI* manager);
    // Fills the row from an entry: name, current version, empty new version, state 7.
    void Fill(const UpdateEntry& entry);
    const UpdateEntry& Entry() const { return m_entry; }

    // Applies a state's text, indicator, mark and colours; the same state again changes nothing.
    void SetState(int state);
    int GetState() const { return m_state; }
    // The busy indicator's percentage ("%d%").
    void SetProgress(int percent);

    COptionUI* CheckBox() const;
    bool IsChecked() const;
    CControlUI* Part(const char* name) const;

private:
    UpdateEntry m_entry;
    int m_state = -1;
};
