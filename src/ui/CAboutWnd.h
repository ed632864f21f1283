#pragma once

#include "toolkit/WindowImplBase.h"

// The about window ("AboutWnd"): the program's version, its licence and the libraries it is
// built on. Opened modally from the settings window; it has no state of its own.
class CAboutWnd : public WindowImplBase {
public:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 572;

    CDuiString GetSkinFile() override { return "AboutWnd.xml"; }
    void InitWindow() override;
    void Notify(TNotifyUI& msg) override;
    LRESULT HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled) override;

    // The open about window, or null.
    static HWND OpenWindow();

    // The licence text shipped in the program's default data; empty when it cannot be read.
    static std::string LicenceText();

protected:
    const char* GetWindowClassName() const override { return "AboutWnd"; }
    void OnFinalMessage(HWND hWnd) override;
};

// Opens the about window over owner at the owner's DPI and waits until it is closed; nothing
// when one is open.
void ShowAboutWindow(HWND owner, int dpi);
