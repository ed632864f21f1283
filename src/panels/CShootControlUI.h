#pragma once

// The recoil pattern editor of the mouse page: four guns, thirty shots each. A gun's pattern is
// the file "ShootData_<gun>.Shoot" in the mouse's data folder, {"Events": [...]} with six
// events per shot (left press, left release, horizontal pull, vertical pull and pause, two
// closing zero moves). The panel shows one shot at a time and writes every edit straight into
// the file; the files are the only store. Sending them to the mouse is the mouse's business.
//
// Index: setup · selection · showing and saving a shot · pattern files · notifications.

#include "toolkit/HorizontalLayoutUI.h"

#include <json/value.h>

#include <string>

class CChartViewUI;
class CEditUI;
class COptionUI;
struct TNotifyUI;

class CShootControlUI : public CHorizontalLayoutUI {
public:
    static constexpr const char* kItemName = "ShootControlItem";
    static constexpr const char* kLayoutFile = "XML\\CustomControlXML\\ShootControl.xml";
    static constexpr const char* kFilterDescription = "Shoot Files(*.shoot)";
    static constexpr const char* kFilterPattern = "*.shoot;";
    static constexpr int kGunCount = 4;
    static constexpr int kShotCount = 30;
    static constexpr int kEventsPerShot = 6;
    static constexpr int kMaxPull = 255;
    static constexpr int kMaxPause = 65535;

    // Results of ImportPattern.
    enum ImportResult {
        kImported = 1,
        kNoPath = 0,
        kUnreadable = -1, // missing, empty, too large or not JSON
        kNotAPattern = -2, // JSON, but no pattern of events
        kNotStored = -3,   // the data folder's file could not be replaced
    };

    const char* GetClass() const override { return "ShootControl"; }
    void* GetInterface(std::string_view name) override;

    // The mouse's data folder and the program's default data folder (no trailing '/').
    void SetDataFolder(const std::string& path) { m_dataFolder = path; }
    void SetDefaultFolder(const std::string& path) { m_defaultFolder = path; }
    // Restores every gun's file that is missing or unusable from the default folder; an
    // unusable file is kept aside first.
    void InitShootPanel();

    // Selects gun n (clamped) and shows its picture.
    void SelectGun(int n);
    int SelectedGun() const { return m_gun; }
    // Selects shot n (clamped, no wrap) and shows it.
    void SelectShot(int n);
    int GetShot() const { return m_shot; }
    void PreviousShot() { SelectShot(m_shot - 1); }
    void NextShot() { SelectShot(m_shot + 1); }

    // Shows a shot's pulls and pause from the gun's file (zeros for what the file lacks).
    void ShowShot(int gun, int shot);
    void ShowCurrentShot() { ShowShot(m_gun, m_shot); }
    // Writes the edits and direction options as the shot's six events; every other part of
    // the file stays as it was.
    void SaveShot(int gun, int shot);
    void SaveCurrentShot() { SaveShot(m_gun, m_shot); }

    // Replaces the gun's file by the default one (kept when there is no default to copy).
    void ResetPattern(int gun);
    void ResetCurrentPattern() { ResetPattern(m_gun); }
    // Replaces the selected gun's file by a pattern file chosen by the user; the file is
    // checked first and nothing changes when it is no pattern.
    ImportResult ImportPattern(const std::string& path);
    // Copies the selected gun's file to path; false when nothing was written.
    bool ExportPattern(const std::string& path);

    void UpdateXDirectionText();
    void UpdateYDirectionText();

    // The gun's pattern file in the data folder.
    std::string PatternPath(int gun) const;
    // Acts on a notification of the panel's own controls (those that need no dialog and no
    // device); true when it was one of them.
    bool OnNotify(const TNotifyUI& msg);

private:
    CControlUI* Find(const std::string& name);
    COptionUI* Option(const std::string& name);
    CEditUI* Edit(const std::string& name);
    // The gun's file as a document; null when it is missing or unusable.
    Json::Value ReadPattern(int gun) const;
    // Shows the vertical pull of every shot of the selected gun, the selected shot marked.
    void ShowChart();
    // A number edit's value clamped to [0, high]; the edit shows what is stored.
    int EditValue(const std::string& name, int high);
    void ShowDirection(const char* option, bool selected, const char* selectedKey, const char* clearedKey);

    std::string m_dataFolder;
    std::string m_defaultFolder;
    int m_gun = 0;
    int m_shot = -1;
};
