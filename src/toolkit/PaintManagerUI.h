#pragma once

// The heart of a toolkit window: its control tree and names, focus, hover and capture,
// input messages turned into control events, notifications, control timers, layout and
// painting, fonts, default attributes, pictures and DPI.
//
// Section index: window and tree | names | notifications and filters | timers | focus and
// capture | layout and painting | DPI | fonts, defaults and pictures | process-wide settings.

#include "toolkit/ControlUI.h"
#include "toolkit/DPI.h"
#include "toolkit/NotifyUI.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class CWindowWnd;
struct TDrawInfo;

// Scroll wheel directions in TEventUI::wParam of UIEVENT_SCROLLWHEEL.
enum : UINT { SB_LINEUP = 0, SB_LINEDOWN = 1 };

// Modifier state of the last input, in the style of the Windows call: negative when down.
short GetKeyState(int virtualKey);

class CPaintManagerUI {
public:
    CPaintManagerUI();
    ~CPaintManagerUI();
    CPaintManagerUI(const CPaintManagerUI&) = delete;
    CPaintManagerUI& operator=(const CPaintManagerUI&) = delete;

    void Init(HWND hWnd, const char* name = nullptr);
    HWND GetPaintWindow() const { return m_hWndPaint; }
    CWindowWnd* GetWindow() const;
    const CDuiString& GetName() const { return m_sName; }
    bool AttachDialog(CControlUI* root);
    CControlUI* GetRoot() const { return m_pRoot; }
    // Brings a control and its subtree into this window: manager, names, DoInit.
    bool InitControls(CControlUI* control, CControlUI* parent = nullptr);
    // Forgets a control that leaves the window: names, timers, focus, hover, capture.
    void ReapObjects(CControlUI* control);

    CControlUI* FindControl(const CDuiString& name) const;
    CControlUI* FindControl(POINT pt) const;
    CControlUI* FindSubControlByName(CControlUI* parent, const CDuiString& name) const;
    CControlUI* FindSubControlByClass(CControlUI* parent, const char* className, int index = 0) const;
    void RenameControl(CControlUI* control, const CDuiString& oldName, const CDuiString& newName);

    // Options of one group: selecting one deselects the others.
    void AddOptionGroup(const CDuiString& group, CControlUI* control);
    void RemoveOptionGroup(const CDuiString& group, CControlUI* control);
    std::vector<CControlUI*> GetOptionGroup(const CDuiString& group) const;

    bool AddNotifier(INotifyUI* notifier);
    bool RemoveNotifier(INotifyUI* notifier);
    // Delivers at once (or, async, after the messages queued now) to every notifier.
    void SendNotify(TNotifyUI& msg, bool async = false);
    void SendNotify(CControlUI* control, const CDuiString& type, WPARAM wParam = 0, LPARAM lParam = 0,
                    bool async = false);
    bool AddMessageFilter(IMessageFilterUI* filter);
    bool RemoveMessageFilter(IMessageFilterUI* filter);

    // A repeating timer: the control's DoEvent receives UIEVENT_TIMER (wParam = id) every
    // elapse ms, which by default raises the "timer" notification, until killed.
    bool SetTimer(CControlUI* control, UINT id, UINT elapseMs);
    bool KillTimer(CControlUI* control, UINT id);
    void KillTimer(CControlUI* control);
    void RemoveAllTimers();

    CControlUI* GetFocus() const { return m_pFocus; }
    void SetFocus(CControlUI* control);
    void SetCapture();
    void ReleaseCapture();
    bool IsCaptured() const { return m_bMouseCapture; }
    CControlUI* GetHover() const { return m_pEventHover; }
    POINT GetMousePos() const { return m_ptLastMouse; }

    void Invalidate();
    void Invalidate(const RECT& rc);
    void NeedUpdate();
    bool IsUpdateNeeded() const { return m_bUpdateNeeded; }
    // Lays out what needs it; the first layout after AttachDialog raises "windowinit".
    void UpdateLayout();
    void Paint(HDC hDC, const RECT& rcPaint);
    SIZE GetClientSize() const;
    SIZE GetInitSize() const;
    void SetInitSize(int cx, int cy);
    RECT GetCaptionRect() const;
    void SetCaptionRect(const RECT& rc) { m_rcCaption = rc; }
    SIZE GetMinInfo() const { return m_dpi.Scale(m_szMinWindow); }
    void SetMinInfo(int cx, int cy) { m_szMinWindow = SIZE{cx, cy}; }
    // True when a press at pt should move the window (caption area, nothing clickable there).
    bool IsCaptionPoint(POINT pt) const;
    bool IsLayered() const { return false; }

    CDPI* GetDPIObj() { return &m_dpi; }
    const CDPI* GetDPIObj() const { return &m_dpi; }
    // Sets the window's DPI; the window's size follows the ratio of new to old.
    void SetDPI(int dpi);
    // Drops what was prepared for the old DPI and lays the tree out again.
    void ResetDPIAssets();
    static void SetAllDPI(int dpi);
    // Fonts and default attributes every window shares (res.xml).
    static void AddSharedFont(int id, const TFontInfo& font, bool isDefault);
    static void AddSharedDefaultAttributeList(const CDuiString& controlName, const CDuiString& list);

    void AddFont(int id, const CDuiString& name, int size, bool bold, bool underline, bool italic,
                 bool isDefault = false, bool shared = false);
    // Forgets the window's own fonts, or with shared the fonts every window shares.
    void RemoveAllFonts(bool shared = false);
    const TFontInfo& GetFont(int id) const;
    const TFontInfo& GetDefaultFontInfo() const;
    int ScaledFontSize(const TFontInfo& font) const { return m_dpi.Scale(font.iSize); }
    DWORD GetDefaultFontColor() const { return m_dwDefaultFontColor; }
    void SetDefaultFontColor(DWORD argb) { m_dwDefaultFontColor = argb; }
    void AddDefaultAttributeList(const CDuiString& controlName, const CDuiString& list, bool shared = false);
    CDuiString GetDefaultAttributeList(const CDuiString& controlName) const;
    // Loads (once) a picture by skin-relative or absolute name; null when it cannot be read.
    const TImageInfo* GetImageEx(const CDuiString& name, const char* type = nullptr, DWORD mask = 0,
                                 bool useHSL = false);
    static const TImageInfo* GetImageShared(const CDuiString& name, DWORD mask = 0);
    // The parsed form of a draw string, kept per window.
    const TDrawInfo* GetDrawInfo(const CDuiString& drawString, const CDuiString& modify = "");

    // Handles a window message; true when it was consumed (result set).
    bool MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool PreMessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& result);

    static void SetInstance(void* instance) { s_instance = instance; }
    static void* GetInstance() { return s_instance; }
    // The executable's folder with a trailing '/'.
    static CDuiString GetInstancePath();
    static void SetInstancePath(const CDuiString& path);
    // The skin folder; relative picture and skin names resolve below it. A trailing '/' is added.
    static CDuiString GetResourcePath();
    static void SetResourcePath(const CDuiString& path);
    static void SetResourceType(int type) { s_resourceType = type; }
    static int GetResourceType() { return s_resourceType; }
    // A skin-relative name with '\' or '/' as the full path (absolute names stay as they are).
    static std::string ResolvePath(const CDuiString& name);
    // Runs the host's loop until the quit message; returns its code.
    static int MessageLoop();
    static const std::vector<CPaintManagerUI*>& GetPaintManagers();
    // Forgets every shared picture (tests, skin changes).
    static void ClearSharedImages();
    // Forgets the shared fonts and default attributes of res.xml.
    static void ClearSharedResources();

private:
    struct ControlLess {
        bool operator()(const std::string& a, const std::string& b) const { return a < b; }
    };
    void RegisterNames(CControlUI* control);
    void DispatchMouse(UINT uMsg, WPARAM wParam, POINT pt);
    void SendEvent(CControlUI* control, int type, POINT pt, WPARAM wParam = 0, LPARAM lParam = 0,
                   UINT key = 0);
    void UpdateHover(POINT pt);
    void ScheduleLayout();

    HWND m_hWndPaint = nullptr;
    CDuiString m_sName;
    CControlUI* m_pRoot = nullptr;
    CControlUI* m_pFocus = nullptr;
    CControlUI* m_pEventHover = nullptr;
    CControlUI* m_pEventClick = nullptr;
    bool m_bMouseCapture = false;
    bool m_bUpdateNeeded = false;
    bool m_bLayoutScheduled = false;
    bool m_bFirstLayout = true;
    POINT m_ptLastMouse;
    WORD m_wKeyState = 0;
    SIZE m_szInitWindow;
    SIZE m_szMinWindow;
    SIZE m_szLastClient;
    RECT m_rcCaption;
    CDPI m_dpi;
    std::shared_ptr<CPaintManagerUI*> m_alive;
    std::multimap<std::string, CControlUI*> m_names;
    std::map<std::string, std::vector<CControlUI*>> m_optionGroups;
    std::vector<INotifyUI*> m_notifiers;
    std::vector<IMessageFilterUI*> m_filters;
    std::vector<std::pair<CControlUI*, UINT>> m_timers;
    std::map<int, TFontInfo> m_fonts;
    int m_defaultFontId = -1;
    DWORD m_dwDefaultFontColor = 0xFF000000;
    std::map<std::string, CDuiString> m_defaultAttributes; // lower-case class name -> list
    std::map<std::string, std::unique_ptr<TDrawInfo>> m_drawInfos;

    static void* s_instance;
    static int s_resourceType;
};
