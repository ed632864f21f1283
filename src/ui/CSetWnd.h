#pragma once

// The settings window ("SetWnd"): the interface language and the update list with one row per
// updatable component, driven by the external updater's progress messages. Opened modally from
// the main window's settings button; only one exists at a time.
//
// Index: setup · language · update list (worker, rows, status line) · updater progress · closing.

#include "platform/WorkerThread.h"
#include "toolkit/WindowImplBase.h"
#include "ui/UpdateEntry.h"

#include <mutex>
#include <string>
#include <vector>

class CUpdateInfoListItemUI;

class CSetWnd : public WindowImplBase {
public:
    static constexpr const char* kDpiError = "SET_WND DPI SET ERROR";
    static constexpr int kWidth = 630;
    static constexpr int kHeight = 500;
    // Posted by the list worker: add the row of entry wParam (wParam -1: the list is complete).
    static constexpr UINT kMsgAddUpdateRow = 0x0C40;

    // The status line's states.
    enum Status : int { kGettingInfo = 0, kHaveUpdate = 1, kNoUpdate = 2, kUpdating = 3, kLatest = 4 };
    // The updater's progress message, first parameter.
    enum Progress : int { kComponentDone = 1, kRelay2 = 2, kRelay3 = 3, kPercent = 4 };

    CSetWnd();
    ~CSetWnd() override;

    CDuiString GetSkinFile() override { return "setwnd.xml"; }
    void InitWindow() override;
    void Notify(TNotifyUI& msg) override;
    LRESULT HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled) override;

    // The window told about a chosen language (LanguageChangedMessage) and relayed progress.
    void SetOwnerWindow(HWND owner) { m_owner = owner; }
    // The current language index, selected in the combo without a notification.
    void SetLanguageIndex(int index);
    int LanguageIndex() const { return m_languageIndex; }
    // The entries the list shows; set before the window is laid out.
    void SetUpdateEntries(std::vector<UpdateEntry> entries) { m_entries = std::move(entries); }
    // A DPI outside the accepted values is reported and taken as 96.
    void SetDpi(int dpi);

    // The updater's progress message (registered "{4695579F-...-EFFCE93EBF15}").
    void OnUpdaterProgress(WPARAM what, LPARAM value);
    void SetStatus(int status);
    int GetStatus() const { return m_status; }
    int RowCount() const;
    CUpdateInfoListItemUI* Row(int index) const;
    // Whether a close request is refused: a row waits, downloads, is downloaded or updates.
    bool IsUpdateBusy() const;

    // "updatetime.config" in the user data folder.
    static std::string UpdateTimePath();
    // Set once the user confirmed an update in any settings window of this process.
    static bool UpdateRequested();

protected:
    const char* GetWindowClassName() const override { return "SetWnd"; }

private:
    CControlUI* Control(const char* name) const { return m_pm.FindControl(name); }
    void FillLanguageCombo();
    void OnLanguageChosen(int index);
    void KeepUpdateTime();
    void StartListWorker();
    void StopWorkers();
    void AddRow(int entryIndex);
    void ShowUpdateButton();
    void ConfirmUpdate();
    CUpdateInfoListItemUI* CurrentRow() const;
    void OnComponentDone();

    HWND m_owner = nullptr;
    int m_languageIndex = -1;
    int m_status = -1;
    int m_dpi = 96;
    std::vector<UpdateEntry> m_entries;
    platform::WorkerThread m_listWorker{"update list"};
};
