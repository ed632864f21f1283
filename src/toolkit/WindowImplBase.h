#pragma once

// The base of the program's windows: builds its skin on WM_CREATE (unknown tags through
// CreateControl), calls InitWindow, routes notifications to Notify and window messages to
// HandleCustomMessage before the paint manager sees them.

#include "toolkit/DialogBuilder.h"
#include "toolkit/NotifyPump.h"
#include "toolkit/PaintManagerUI.h"
#include "toolkit/WindowWnd.h"

class WindowImplBase : public CWindowWnd,
                       public CNotifyPump,
                       public INotifyUI,
                       public IMessageFilterUI,
                       public IDialogBuilderCallback,
                       public IQueryControlText {
public:
    WindowImplBase() = default;

    // The skin id or file (res.xml id such as "XML_MAIN", or a path below the skin folder).
    virtual CDuiString GetSkinFile() = 0;
    // A folder below the skin folder the skin file lives in ("" for none).
    virtual CDuiString GetSkinFolder() { return ""; }
    // After the skin is built and attached.
    virtual void InitWindow() {}
    // The window's notifications; by default the handler table of CNotifyPump.
    void Notify(TNotifyUI& msg) override;
    LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
    // Window messages before the toolkit handles them; set handled to stop them there.
    virtual LRESULT HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
    CControlUI* CreateControl(const char* className) override;
    CDuiString QueryControlText(const CDuiString& id, const CDuiString& type) override;
    void Paint(HDC hDC, const RECT& rcPaint) override;

    CPaintManagerUI& GetPaintManager() { return m_pm; }

protected:
    bool DrawsOwnCaption() const override { return true; }
    virtual LRESULT OnCreate(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);

    CPaintManagerUI m_pm;
};
