#include "toolkit/MessageQueue.h"

#include "toolkit/UIHost.h"
#include "toolkit/WindowWnd.h"

CMessageQueue& CMessageQueue::Instance()
{
    static CMessageQueue queue;
    return queue;
}

void CMessageQueue::Reset()
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_uiThread = std::this_thread::get_id();
    m_items.clear();
    m_timers.clear();
    m_quit = false;
    m_quitCode = 0;
}

bool CMessageQueue::IsUIThread() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return std::this_thread::get_id() == m_uiThread;
}

HWND CMessageQueue::RegisterWindow(CWindowWnd* window)
{
    std::lock_guard<std::mutex> guard(m_lock);
    uintptr_t handle = m_nextHandle++;
    m_windows[handle] = Slot{window, false};
    return reinterpret_cast<HWND>(handle);
}

void CMessageQueue::BeginDestroy(HWND hwnd)
{
    {
        std::lock_guard<std::mutex> guard(m_lock);
        auto it = m_windows.find(reinterpret_cast<uintptr_t>(hwnd));
        if (it != m_windows.end())
            it->second.destroying = true;
    }
    ReleaseSenders(hwnd);
}

void CMessageQueue::UnregisterWindow(HWND hwnd)
{
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_windows.erase(reinterpret_cast<uintptr_t>(hwnd));
    }
    ReleaseSenders(hwnd);
}

void CMessageQueue::ReleaseSenders(HWND hwnd)
{
    std::lock_guard<std::mutex> guard(m_lock);
    for (Item& item : m_items)
        if (item.sent && item.sent->hwnd == hwnd)
            item.sent->done = true;
    m_sentDone.notify_all();
}

CWindowWnd* CMessageQueue::Lookup(HWND hwnd) const
{
    std::lock_guard<std::mutex> guard(m_lock);
    auto it = m_windows.find(reinterpret_cast<uintptr_t>(hwnd));
    return it == m_windows.end() ? nullptr : it->second.window;
}

bool CMessageQueue::IsWindow(HWND hwnd) const
{
    std::lock_guard<std::mutex> guard(m_lock);
    auto it = m_windows.find(reinterpret_cast<uintptr_t>(hwnd));
    return it != m_windows.end() && !it->second.destroying;
}

void CMessageQueue::Wake()
{
    if (IUIHost* host = UIHost())
        host->WakeUp();
}

bool CMessageQueue::Post(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (hwnd == nullptr && msg == WM_QUIT) {
        PostQuit(int(wParam));
        return true;
    }
    {
        std::lock_guard<std::mutex> guard(m_lock);
        if (!m_windows.count(reinterpret_cast<uintptr_t>(hwnd)))
            return false;
        m_items.push_back(Item{hwnd, msg, wParam, lParam, {}, {}});
    }
    Wake();
    return true;
}

LRESULT CMessageQueue::Send(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (IsUIThread()) {
        CWindowWnd* window = Lookup(hwnd);
        return window ? window->HandleMessage(msg, wParam, lParam) : 0;
    }
    auto sent = std::make_shared<Sent>(Sent{hwnd, msg, wParam, lParam, 0, false});
    std::unique_lock<std::mutex> guard(m_lock);
    auto it = m_windows.find(reinterpret_cast<uintptr_t>(hwnd));
    if (it == m_windows.end() || it->second.destroying)
        return 0;
    m_items.push_back(Item{hwnd, msg, wParam, lParam, {}, sent});
    guard.unlock();
    Wake();
    guard.lock();
    m_sentDone.wait(guard, [&] { return sent->done; });
    return sent->result;
}

void CMessageQueue::PostTask(std::function<void()> task)
{
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_items.push_back(Item{nullptr, 0, 0, 0, std::move(task), {}});
    }
    Wake();
}

bool CMessageQueue::HasPending() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return !m_items.empty();
}

int CMessageQueue::ProcessPending()
{
    size_t count;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        count = m_items.size();
    }
    int ran = 0;
    for (; count > 0; --count) {
        Item item;
        {
            std::lock_guard<std::mutex> guard(m_lock);
            if (m_items.empty())
                break;
            item = std::move(m_items.front());
            m_items.pop_front();
        }
        Dispatch(item);
        ++ran;
    }
    return ran;
}

void CMessageQueue::Dispatch(Item& item)
{
    if (item.task) {
        item.task();
        return;
    }
    CWindowWnd* window = nullptr;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        auto it = m_windows.find(reinterpret_cast<uintptr_t>(item.hwnd));
        bool acceptsSent = it != m_windows.end() && !it->second.destroying;
        if (it != m_windows.end() && (!item.sent || acceptsSent))
            window = it->second.window;
        if (item.sent && (!window || item.sent->done)) {
            item.sent->done = true;
            m_sentDone.notify_all();
            return;
        }
    }
    LRESULT result = window ? window->HandleMessage(item.msg, item.wParam, item.lParam) : 0;
    if (item.sent) {
        std::lock_guard<std::mutex> guard(m_lock);
        item.sent->result = result;
        item.sent->done = true;
        m_sentDone.notify_all();
    }
}

void CMessageQueue::PostQuit(int exitCode)
{
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_quit = true;
        m_quitCode = exitCode;
    }
    Wake();
}

bool CMessageQueue::QuitRequested() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_quit;
}

int CMessageQueue::QuitCode() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_quitCode;
}

void CMessageQueue::ClearQuit()
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_quit = false;
}

void CMessageQueue::SetTimer(const void* owner, UINT id, UINT intervalMs, std::function<void()> onTick)
{
    IUIHost* host = UIHost();
    uint64_t now = host ? host->NowMs() : 0;
    m_timers[{owner, id}] = Timer{now + intervalMs, intervalMs, ++m_timerSequence, std::move(onTick)};
    Wake();
}

void CMessageQueue::KillTimer(const void* owner, UINT id)
{
    m_timers.erase({owner, id});
}

void CMessageQueue::KillTimers(const void* owner)
{
    for (auto it = m_timers.begin(); it != m_timers.end();)
        it = it->first.first == owner ? m_timers.erase(it) : std::next(it);
}

bool CMessageQueue::HasTimer(const void* owner, UINT id) const
{
    return m_timers.count({owner, id}) != 0;
}

std::optional<uint64_t> CMessageQueue::NextTimerDue() const
{
    std::optional<uint64_t> next;
    for (const auto& [key, timer] : m_timers)
        if (!next || timer.due < *next)
            next = timer.due;
    return next;
}

bool CMessageQueue::FireNextDueTimer(uint64_t now)
{
    auto earliest = m_timers.end();
    for (auto it = m_timers.begin(); it != m_timers.end(); ++it) {
        const Timer& t = it->second;
        if (t.due <= now && (earliest == m_timers.end() || t.due < earliest->second.due ||
                             (t.due == earliest->second.due && t.sequence < earliest->second.sequence)))
            earliest = it;
    }
    if (earliest == m_timers.end())
        return false;
    Timer& timer = earliest->second;
    // The next tick counts from this one; a zero interval still lets time pass.
    timer.due += std::max<UINT>(timer.interval, 1);
    if (timer.due <= now)
        timer.due = now + std::max<UINT>(timer.interval, 1);
    timer.sequence = ++m_timerSequence;
    std::function<void()> onTick = timer.onTick; // the handler may kill or replace its timer
    onTick();
    return true;
}

UINT CMessageQueue::RegisterMessage(const std::string& name)
{
    std::lock_guard<std::mutex> guard(m_lock);
    auto [it, added] = m_registered.emplace(name, UINT(0xC000 + m_registered.size()));
    return it->second;
}

LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return CMessageQueue::Instance().Send(hwnd, msg, wParam, lParam);
}

bool PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return CMessageQueue::Instance().Post(hwnd, msg, wParam, lParam);
}

void PostQuitMessage(int exitCode)
{
    CMessageQueue::Instance().PostQuit(exitCode);
}

bool IsWindow(HWND hwnd)
{
    return CMessageQueue::Instance().IsWindow(hwnd);
}

UINT RegisterWindowMessage(const std::string& name)
{
    return CMessageQueue::Instance().RegisterMessage(name);
}
