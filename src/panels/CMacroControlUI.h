#pragma once

// The macro panel of a mouse or keyboard page: the device's macros in "macro_name_list" and the
// steps of the selected macro in "macro_action_list", one row per step. A row carries its step
// as JSON text (its user data); saving writes the rows back to the macro file through the
// device's MacroLibrary. Recording places captured keys and buttons into the rows by a capture
// mode and takes their delays by a timing mode; the main window hands the capture messages here.
//
// Index: macro list · rows · recording and capture · small control access.

#include "macro/MacroEvent.h"
#include "macro/MacroLibrary.h"
#include "toolkit/HorizontalLayoutUI.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class CListUI;

// Where captured steps go (the bit values the input hook is started with).
enum class CaptureMode : int {
    SingleKey = 1,
    Append = 4,
    InsertBefore = 8,
    InsertAfter = 16,
    ReplaceKey = 32,
};

enum class TimingMode : int {
    RecordDelay = 1,   // the measured time to the next step
    ConstantDelay = 2, // the fixed time
    IgnoreDelay = 3,   // 0 ms
};

// Moves of the selected row.
enum class RowMove { Up, Down, Top, Bottom };

class CMacroControlUI : public CHorizontalLayoutUI {
public:
    static constexpr const char* kItemName = "MacroControlItem";
    static constexpr const char* kLayoutFile = "XML\\CustomControlXML\\MacroControl.xml";
    static constexpr int kMaxRows = static_cast<int>(MacroLibrary::kMaxSavedEvents);
    static constexpr UINT kTimerScroll = 4101;
    static constexpr int kDefaultFixedTime = 50;
    static constexpr int kMinFixedTime = 10;
    // Mouse messages of a capture (the Windows numbers the hook reports).
    static constexpr uint16_t kLeftDown = 0x0201;
    static constexpr uint16_t kLeftUp = 0x0202;
    static constexpr uint16_t kXDown = 0x020B;
    static constexpr uint16_t kXUp = 0x020C;

    const char* GetClass() const override { return "MacroControl"; }
    void* GetInterface(std::string_view name) override;
    void DoEvent(TEventUI& event) override;

    // ---- macro list
    // The device's data folder (no trailing '/').
    void SetFolder(const std::string& folder) { m_library.SetFolder(folder); }
    // Fills the name list from "macro.config"; the editor stays disabled until a macro is selected.
    void LoadMacroList();
    std::vector<std::string> MacroNames() const { return m_library.MacroNames(); }
    int MacroCount() const { return static_cast<int>(m_library.Entries().size()); }
    int SelectedMacroIndex() const;
    // The selection step: loads the selected macro's steps and shows its name; without a
    // selection the steps are emptied.
    void ShowSelectedMacro();
    // Writes the rows to the selected macro's file. Rows past 60 are removed first
    // (kMacroEventsDropped); kMacroNoMacro without a selected macro. An empty delay is saved as
    // 0, and shows 0 too unless the user is still typing in it (fillEmptyDelays false).
    int SaveSelectedMacro(bool fillEmptyDelays = true);
    // A MacroResult; name is the new macro's name.
    int NewMacro(std::string& name);
    int ImportMacro(const std::string& path, std::string& name);
    int ExportSelectedMacro(const std::string& path) const;
    // The removed macro's index, -1 when nothing was removed.
    int DeleteSelectedMacro();
    // Renames the selected macro to the name edit's text. A MacroResult.
    int RenameSelectedMacro(std::string& name);
    std::string NameEditText() const;
    void SetNameEditText(const std::string& text);

    // ---- rows
    int RowCount() const;
    int SelectedRow() const;
    void SelectRow(int row);
    // The step of a row; nothing for a bare row or one whose data is no step.
    std::optional<MacroEvent> EventAt(int row) const;
    // The text of a row's delay edit.
    std::string DelayTextAt(int row) const;
    // Inserts a mouse button step (message 0x0201..0x020C; forward for an X button when
    // forward is set) or, for message 0, a move (direction 0 left, 1 right, 2 up, 3 down) with
    // the distance of its edit. After the selected row, or a bare row at 60 rows.
    void InsertMouseStep(uint16_t message, int variant);
    // False when the row cannot move that way.
    bool MoveSelectedRow(RowMove move);
    bool DeleteSelectedRow();
    void DeleteAllRows();

    // ---- recording and capture
    // Locks the editor for a recording; for ConstantDelay reads the fixed time first. False when
    // the fixed time had to be raised to 10 (the user is told).
    bool StartRecording(TimingMode timing);
    void StopRecording();
    bool IsRecording() const { return m_recording; }
    bool IsConstantTime() const;
    // Reads "macro_fixed_time_edit" into the fixed time: above 65535 becomes 65535, below 10
    // becomes 10. False when it was raised to 10 (the user is told).
    bool ReadFixedTime();
    int FixedTime() const { return m_fixedTime; }
    // A keyboard capture message of mode: keyMessage 0x0100/0x0104 press, others release.
    void OnKeyCapture(CaptureMode mode, uint32_t keyMessage, uint32_t scanCode, bool extended);
    // A mouse capture message of mode at screen point; xButton 1 back, 2 forward. windowOrigin:
    // the window's top-left on the screen, for the stop button's place.
    void OnMouseCapture(CaptureMode mode, uint32_t mouseMessage, POINT screenPoint, int xButton, POINT windowOrigin);

private:
    struct KeyMemory {
        uint32_t scanCode = 0;
        bool extended = false;
    };
    struct Captured {
        MacroEvent event;
        const char* labelKey;
    };

    CControlUI* Find(const char* name) const;
    CListUI* List(const char* name) const;
    void EnableEditor(bool enable);
    void LoadMacroListSelecting(int index);
    CControlUI* MakeRow(const Json::Value& step, bool numberDelay) const;
    // A row with no children and no data: a captured step past the row limit.
    CControlUI* MakeBareRow() const;
    Json::Value RowJson(int row) const;
    void SetRowJson(int row, const Json::Value& step);
    void SetRowDelay(int row, int delay);
    void ShowRowLabels(CControlUI* row, const Json::Value& step) const;
    void StartScrollTimer();
    int CaptureDelay();
    void PlaceCaptured(CaptureMode mode, const Captured& captured, bool checkLimit);
    void ReplaceSelected(const Captured& captured);
    static int ModeSlot(CaptureMode mode);

    MacroLibrary m_library;
    TimingMode m_timing = TimingMode::RecordDelay;
    bool m_recording = false;
    bool m_previousCaptured = false;
    int m_fixedTime = kDefaultFixedTime;
    uint64_t m_lastCaptureMs = 0;
    // Each capture message keeps its own memory across recordings: the last key press, the
    // last mouse message.
    std::array<KeyMemory, 4> m_keyMemory{};
    std::array<uint32_t, 4> m_mouseMemory{};
};
