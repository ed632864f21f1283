#pragma once

// The background picker ("UISkinFrame"): a small borderless window under the title bar's skin
// button with preset pictures, plain colours, the default and a picture file of the user's.
// It closes as soon as it loses focus; a choice is broadcast on the skin-changed subject and
// remembered in "main.ini".

#include "toolkit/WindowImplBase.h"
#include "ui/SkinObserver.h"

class CSkinFrame : public WindowImplBase {
public:
    // Opens a picker whose top-right corner sits at the bottom-right corner of anchor, a control
    // of owner's window. The picker deletes itself when it closes. Null when it cannot be built.
    static CSkinFrame* Open(HWND owner, CControlUI* anchor);
    // The open picker, or null.
    static CSkinFrame* Current();

    // Broadcasts a choice on the skin-changed subject and, unless it is a colour that the
    // file cannot keep, remembers it in "main.ini".
    static void Choose(const SkinChangedParam& choice);
    // The remembered choice when it can still be shown; the skin's default otherwise.
    static SkinChangedParam StoredChoice();
    // Whether image names a picture the toolkit can load (skin-relative or absolute).
    static bool IsUsableImage(const std::string& image);

    CDuiString GetSkinFile() override { return "skin.xml"; }
    void InitWindow() override;
    void Notify(TNotifyUI& msg) override;
    LRESULT HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled) override;

protected:
    const char* GetWindowClassName() const override { return "UISkinFrame"; }
    void OnFinalMessage(HWND hWnd) override;

private:
    CSkinFrame(HWND owner, CControlUI* anchor) : m_owner(owner), m_anchor(anchor) {}
    void PlaceUnderAnchor();
    void ChooseCustomImage();

    HWND m_owner;
    CControlUI* m_anchor;
};
