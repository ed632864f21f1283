#pragma once

#include "toolkit/NotifyUI.h"

#include <functional>
#include <vector>

// A window's table of notification handlers by type and control name, consulted by the
// window's default Notify.
class CNotifyPump {
public:
    using Handler = std::function<void(TNotifyUI&)>;
    virtual ~CNotifyPump() = default;

    // Handles notifications of type from the control named controlName (empty: any control).
    void AddNotifyHandler(const CDuiString& type, const CDuiString& controlName, Handler handler);
    // Runs every matching handler in the order added; true when one ran.
    bool LoopDispatch(TNotifyUI& msg);

private:
    struct Entry {
        CDuiString type;
        CDuiString controlName;
        Handler handler;
    };
    std::vector<Entry> m_handlers;
};
