#pragma once

// The UI thread's queue: window handles, posted and sent window messages, timers and the quit
// request. Posting and sending are thread-safe; everything else runs on the UI thread. A host
// drains the queue when woken and fires timers by its clock.

#include "toolkit/UIDefs.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <unordered_map>

class CWindowWnd;

class CMessageQueue {
public:
    static CMessageQueue& Instance();

    // Makes the calling thread the UI thread and forgets every message, timer and quit request.
    void Reset();
    bool IsUIThread() const;

    HWND RegisterWindow(CWindowWnd* window);
    // From now on the window takes no sent message, and senders waiting for it return 0.
    void BeginDestroy(HWND hwnd);
    void UnregisterWindow(HWND hwnd);
    // The window behind a handle on the UI thread; null when gone.
    CWindowWnd* Lookup(HWND hwnd) const;
    // Thread-safe: the handle names a window that is not being destroyed.
    bool IsWindow(HWND hwnd) const;

    // Queues a message; false when the handle is no window. A null handle with WM_QUIT quits.
    bool Post(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // On the UI thread: handled at once. From another thread: waits until the UI thread has
    // handled it; returns 0 at once when the window is gone or being destroyed.
    LRESULT Send(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // Queues a task for the UI thread.
    void PostTask(std::function<void()> task);
    // Handles what is queued now; returns how many items ran.
    int ProcessPending();
    bool HasPending() const;

    void PostQuit(int exitCode);
    bool QuitRequested() const;
    int QuitCode() const;
    void ClearQuit();

    // Repeating timer keyed by (owner, id); setting it again replaces it.
    void SetTimer(const void* owner, UINT id, UINT intervalMs, std::function<void()> onTick);
    void KillTimer(const void* owner, UINT id);
    void KillTimers(const void* owner);
    bool HasTimer(const void* owner, UINT id) const;
    std::optional<uint64_t> NextTimerDue() const;
    // Fires the earliest timer that is due at now; false when none is.
    bool FireNextDueTimer(uint64_t now);

    // Thread-safe registered message ids by name, from 0xC000 up; the same name gives the same id.
    UINT RegisterMessage(const std::string& name);

private:
    struct Sent {
        HWND hwnd = nullptr;
        UINT msg = 0;
        WPARAM wParam = 0;
        LPARAM lParam = 0;
        LRESULT result = 0;
        bool done = false;
    };
    struct Item {
        HWND hwnd = nullptr;
        UINT msg = 0;
        WPARAM wParam = 0;
        LPARAM lParam = 0;
        std::function<void()> task;
        std::shared_ptr<Sent> sent;
    };
    struct Timer {
        uint64_t due = 0;
        UINT interval = 0;
        uint64_t sequence = 0;
        std::function<void()> onTick;
    };
    struct Slot {
        CWindowWnd* window = nullptr;
        bool destroying = false;
    };
    using TimerKey = std::pair<const void*, UINT>;

    void Dispatch(Item& item);
    void ReleaseSenders(HWND hwnd);
    void Wake();

    mutable std::mutex m_lock;
    std::condition_variable m_sentDone;
    std::thread::id m_uiThread = std::this_thread::get_id();
    std::unordered_map<uintptr_t, Slot> m_windows;
    uintptr_t m_nextHandle = 0x10000;
    std::deque<Item> m_items;
    bool m_quit = false;
    int m_quitCode = 0;
    std::map<TimerKey, Timer> m_timers;
    uint64_t m_timerSequence = 0;
    std::map<std::string, UINT> m_registered;
};

// Window-message calls in the Windows style, for code that holds only a handle.
LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
bool PostMessage(HWND hwnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
void PostQuitMessage(int exitCode);
bool IsWindow(HWND hwnd);
UINT RegisterWindowMessage(const std::string& name);
