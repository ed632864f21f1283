#pragma once

#include "toolkit/ControlUI.h"

// Carries another toolkit window over the control's rectangle: it follows the control's
// position and visibility.
class CWndUI : public CControlUI {
public:
    const char* GetClass() const override;
    void* GetInterface(std::string_view name) override;
    bool Attach(HWND hWnd);
    HWND Detach();
    HWND GetHWND() const { return m_hWnd; }

    void SetPos(RECT rc, bool needInvalidate = true) override;
    void SetVisible(bool visible = true) override;
    void SetInternVisible(bool visible = true) override;

private:
    void FollowControl();

    HWND m_hWnd = nullptr;
};
