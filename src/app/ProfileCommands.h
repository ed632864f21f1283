#pragma once

// The main window's side of the profile panel: the commands of the panel's buttons ask the
// user (questions, notices, file dialogs), call the selected device's panel, and hand the
// chosen profile to the device, showing what the device reports.

#include "toolkit/UIDefs.h"

#include <memory>
#include <string>

class CDeviceProfileUI;
class COrlithUSBDevice;
class CPaintManagerUI;

// How the profile commands talk to the user.
class IProfileDialogs {
public:
    virtual ~IProfileDialogs() = default;
    // A question by language key; true when the user confirms.
    virtual bool Confirm(const std::string& key) = 0;
    // A notice: a language key, or the finished text when isKey is false.
    virtual void Notice(const std::string& text, bool isKey) = 0;
    // The open (save false) or save dialog for profile files; true with path set.
    virtual bool ChooseFile(bool save, std::string& path) = 0;
    // The same dialog for files of another kind.
    virtual bool ChooseFileOf(bool save, const char* description, const char* pattern, std::string& path)
    {
        (void)description;
        (void)pattern;
        return ChooseFile(save, path);
    }
};

// The window's message box and file dialogs, owned by the window of manager at its DPI.
class WindowProfileDialogs : public IProfileDialogs {
public:
    WindowProfileDialogs(CPaintManagerUI& manager, const int& dpi) : m_manager(manager), m_dpi(dpi) {}
    bool Confirm(const std::string& key) override;
    void Notice(const std::string& text, bool isKey) override;
    bool ChooseFile(bool save, std::string& path) override;
    bool ChooseFileOf(bool save, const char* description, const char* pattern, std::string& path) override;

private:
    CPaintManagerUI& m_manager;
    const int& m_dpi;
};

class ProfileCommands {
public:
    // The filter of the profile file dialogs.
    static constexpr const char* kFilterDescription = "Profile Files(*.json)";
    static constexpr const char* kFilterPattern = "*.json;";

    ProfileCommands(CPaintManagerUI& manager, std::unique_ptr<IProfileDialogs> dialogs);
    ~ProfileCommands();
    void SetDialogs(std::unique_ptr<IProfileDialogs> dialogs) { m_dialogs = std::move(dialogs); }
    // The dialogs every panel command of the window talks to the user with.
    IProfileDialogs& Dialogs() { return *m_dialogs; }

    // A click on a control of the profile panel (add, copy, delete, rename, reset, import,
    // export, the menu button); device is the selected one, nothing happens without it.
    void OnClick(const std::string& name, COrlithUSBDevice* device);
    // The combo's selection settled: record it and give the device the chosen profile.
    void ApplySelection(COrlithUSBDevice* device);
    // The profile panel of a device's page, null when the page has none.
    static CDeviceProfileUI* PanelOf(COrlithUSBDevice* device);
    // The notice for a device's profile upload result: the language key and, for a result with
    // a number, the number (message_text_16 and message_text_26); "" when there is nothing to
    // show. macroUnits: the device's macro memory in 128-byte units; memoryAlways: every positive
    // result reads as a memory overrun (a keyboard after a reset).
    static std::string UploadNoticeKey(int result, int macroUnits, bool memoryAlways, long& number);

private:
    void Add(CDeviceProfileUI& panel);
    void Copy(CDeviceProfileUI& panel);
    void Delete(CDeviceProfileUI& panel);
    void Import(CDeviceProfileUI& panel);
    void Export(CDeviceProfileUI& panel);
    void Rename(CDeviceProfileUI& panel);
    void Reset(CDeviceProfileUI& panel, COrlithUSBDevice& device);
    void ApplyProfile(CDeviceProfileUI& panel, COrlithUSBDevice& device, bool afterReset);
    // Shows the message of a ProfileResult, if it has one.
    void ShowResult(int result);

    CPaintManagerUI& m_manager;
    std::unique_ptr<IProfileDialogs> m_dialogs;
};
