#pragma once

#include "toolkit/WindowImplBase.h"

#include <string>

// Button sets of ShowMessage.
enum MessageButtons : int {
    kMessageNotice = 0,   // confirm only
    kMessageQuestion = 1, // confirm and cancel
};

// Shows the program's message box over owner and waits for the user. title (skin's title when
// empty) is plain text; text is a language key when isKey, else the finished text (the skin's
// text when empty). dpi is the owner's. buttons: kMessageNotice, kMessageQuestion, or any other
// value for the skin's own buttons. Returns 1 when the user confirmed, 0 for every other close.
int ShowMessage(HWND owner, const std::string& title, const std::string& text, int dpi, bool isKey, int buttons);

// The modal message box, built from the skin "XML_MSG". It deletes itself when its window is
// gone; use it through ShowMessage.
class CMsgWnd : public WindowImplBase {
public:
    static constexpr const char* kDpiError = "MSG_WND DPI SET ERROR";

    CDuiString GetSkinFile() override { return "XML_MSG"; }
    void InitWindow() override;
    void Notify(TNotifyUI& msg) override;
    LRESULT HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled) override;

    void SetTitleText(const std::string& title);
    // With isKey the text is a language key shown in the current language.
    void SetMessageText(const std::string& text, bool isKey);
    // A DPI outside the accepted values is reported and taken as 96.
    void SetDpi(int dpi);
    int GetDpi() const { return m_dpi; }
    void SetButtons(int buttons);

protected:
    const char* GetWindowClassName() const override { return "MsgWnd"; }
    void OnFinalMessage(HWND hWnd) override;

private:
    CControlUI* Control(const char* name) const { return m_pm.FindControl(name); }

    CControlUI* m_closeButton = nullptr;
    int m_dpi = 96;
};
