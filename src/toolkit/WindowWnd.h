#pragma once

// One top-level toolkit window: its handle, its native window from the host, messages,
// window timers, modal runs and closing. Subclasses answer HandleMessage.

#include "toolkit/Painter.h"
#include "toolkit/UIDefs.h"

#include <memory>
#include <string>

class INativeWindow;

class CWindowWnd {
public:
    CWindowWnd();
    virtual ~CWindowWnd();
    CWindowWnd(const CWindowWnd&) = delete;
    CWindowWnd& operator=(const CWindowWnd&) = delete;

    HWND GetHWND() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    // Creates the window (hidden unless style has WS_VISIBLE) and sends WM_CREATE to it.
    HWND Create(HWND parent, const char* name, DWORD style, DWORD exStyle, const RECT& rc);
    HWND Create(HWND parent, const char* name, DWORD style, DWORD exStyle, int x = CW_USEDEFAULT,
                int y = CW_USEDEFAULT, int cx = CW_USEDEFAULT, int cy = CW_USEDEFAULT, void* menu = nullptr);
    // Shows the window and runs the loop until it is destroyed; returns the value given to Close.
    // The window object may be deleted by OnFinalMessage before this returns.
    UINT ShowModal();
    // Asks the window to close; ShowModal returns ret.
    void Close(UINT ret = IDOK);
    void ShowWindow(bool show = true, bool takeFocus = true);
    // Centres over the parent window, or over the monitor without one.
    void CenterWindow();
    // The icon registered under id in res.xml (<Icon id="107" file="..."/>).
    void SetIcon(UINT resourceId);
    void SetIconFile(const std::string& path);
    void SetTitle(const std::string& title);
    LRESULT SendMessage(UINT uMsg, WPARAM wParam = 0, LPARAM lParam = 0);
    bool PostMessage(UINT uMsg, WPARAM wParam = 0, LPARAM lParam = 0);
    void DestroyWindow();

    RECT GetWindowRect() const;
    // The client rectangle: (0, 0, width, height).
    RECT GetClientRect() const;
    void SetWindowPos(int x, int y, int cx, int cy, UINT flags = SWP_NOZORDER | SWP_NOACTIVATE);
    void ResizeClient(int cx, int cy);
    bool IsVisible() const;
    bool IsMinimized() const;
    void SetTopmost(bool topmost);
    HWND GetParentHWND() const { return m_hWndParent; }
    bool IsBeingDestroyed() const { return m_bDestroying; }

    // A repeating window timer delivering WM_TIMER (wParam = id) until killed.
    bool SetTimer(UINT id, UINT elapseMs);
    void KillTimer(UINT id);

    virtual LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam);
    // Painting request from the host for the client area rcPaint.
    virtual void Paint(HDC hDC, const RECT& rcPaint);
    // The host reports the client size; WM_SIZE follows when it changed.
    void NotifySize(int cx, int cy);

    INativeWindow* GetNativeWindow() const { return m_native.get(); }

protected:
    virtual const char* GetWindowClassName() const = 0;
    // True for windows that draw their own title bar from the skin: they get no system frame.
    virtual bool DrawsOwnCaption() const { return false; }
    // Called last, after the handle is gone; a window created with new may delete itself here.
    virtual void OnFinalMessage(HWND hWnd);

private:
    struct ModalState {
        bool done = false;
        UINT result = IDCANCEL;
    };

    HWND m_hWnd = nullptr;
    HWND m_hWndParent = nullptr;
    std::unique_ptr<INativeWindow> m_native;
    std::shared_ptr<ModalState> m_modal;
    bool m_bDestroying = false;
    SIZE m_lastClient;
};
