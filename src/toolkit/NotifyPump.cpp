#include "toolkit/NotifyPump.h"

#include "toolkit/ControlUI.h"

void CNotifyPump::AddNotifyHandler(const CDuiString& type, const CDuiString& controlName, Handler handler)
{
    m_handlers.push_back(Entry{type, controlName, std::move(handler)});
}

bool CNotifyPump::LoopDispatch(TNotifyUI& msg)
{
    bool ran = false;
    CDuiString sender = msg.pSender ? msg.pSender->GetName() : CDuiString();
    for (size_t i = 0; i < m_handlers.size(); ++i) {
        if (m_handlers[i].type != msg.sType)
            continue;
        if (!m_handlers[i].controlName.empty() && m_handlers[i].controlName != sender)
            continue;
        Handler handler = m_handlers[i].handler; // a handler may add handlers
        handler(msg);
        ran = true;
    }
    return ran;
}
