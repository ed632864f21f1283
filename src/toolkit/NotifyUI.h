#pragma once

#include "toolkit/DuiString.h"
#include "toolkit/UIDefs.h"

class CControlUI;

// One notification: its type ("click", "selectchanged" ...), the control that raised it and
// two parameters.
struct TNotifyUI {
    CDuiString sType;
    CDuiString sVirtualWnd;
    CControlUI* pSender = nullptr;
    uint64_t dwTimestamp = 0;
    POINT ptMouse;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

// Receives a window's notifications on the UI thread, in the order they were raised.
class INotifyUI {
public:
    virtual ~INotifyUI() = default;
    virtual void Notify(TNotifyUI& msg) = 0;
};

// Sees a window's messages before the paint manager handles them.
class IMessageFilterUI {
public:
    virtual ~IMessageFilterUI() = default;
    virtual LRESULT MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) = 0;
};

// Supplies a control's text by its id before the language table does; empty means "none".
class IQueryControlText {
public:
    virtual ~IQueryControlText() = default;
    virtual CDuiString QueryControlText(const CDuiString& id, const CDuiString& type) = 0;
};
