#include "toolkit/WindowWnd.h"

#include "toolkit/MessageQueue.h"
#include "toolkit/PaintManagerUI.h"
#include "toolkit/ResourceManager.h"
#include "toolkit/UIHost.h"

CWindowWnd::CWindowWnd() = default;

CWindowWnd::~CWindowWnd()
{
    if (m_hWnd) {
        // The object goes without its window having closed: drop the handle so that nothing
        // reaches a destroyed object.
        CMessageQueue::Instance().BeginDestroy(m_hWnd);
        CMessageQueue::Instance().KillTimers(m_hWnd);
        CMessageQueue::Instance().UnregisterWindow(m_hWnd);
    }
}

HWND CWindowWnd::Create(HWND parent, const char* name, DWORD style, DWORD exStyle, int x, int y, int cx, int cy,
                        void*)
{
    if (cx == CW_USEDEFAULT)
        cx = 640;
    if (cy == CW_USEDEFAULT)
        cy = 480;
    if (x == CW_USEDEFAULT)
        x = 0;
    if (y == CW_USEDEFAULT)
        y = 0;
    return Create(parent, name, style, exStyle, RECT{x, y, x + cx, y + cy});
}

HWND CWindowWnd::Create(HWND parent, const char* name, DWORD style, DWORD exStyle, const RECT& rc)
{
    IUIHost* host = UIHost();
    if (!host || m_hWnd)
        return nullptr;
    m_hWnd = CMessageQueue::Instance().RegisterWindow(this);
    m_hWndParent = parent;
    m_native = host->CreateNativeWindow(*this, parent, style, exStyle, rc);
    if (!m_native) {
        CMessageQueue::Instance().UnregisterWindow(m_hWnd);
        m_hWnd = nullptr;
        return nullptr;
    }
    m_native->SetTitle(name ? name : "");
    m_lastClient = SIZE{rc.right - rc.left, rc.bottom - rc.top};
    HWND self = m_hWnd;
    HandleMessage(WM_CREATE, 0, 0);
    if (!CMessageQueue::Instance().IsWindow(self))
        return nullptr;
    if (style & WS_VISIBLE)
        ShowWindow(true, true);
    return m_hWnd;
}

UINT CWindowWnd::ShowModal()
{
    if (!m_hWnd)
        return IDCANCEL;
    auto state = std::make_shared<ModalState>();
    m_modal = state;
    m_native->SetModal(true);
    m_native->Show(true, true);
    IUIHost* host = UIHost();
    CMessageQueue& queue = CMessageQueue::Instance();
    host->RunLoop([&] { return !state->done && !queue.QuitRequested(); });
    return state->result;
}

void CWindowWnd::Close(UINT ret)
{
    if (!m_hWnd || m_bDestroying)
        return;
    if (m_modal)
        m_modal->result = ret;
    PostMessage(WM_CLOSE, ret, 0);
}

void CWindowWnd::ShowWindow(bool show, bool takeFocus)
{
    if (m_native)
        m_native->Show(show, takeFocus);
}

void CWindowWnd::CenterWindow()
{
    if (!m_native)
        return;
    RECT rc = m_native->GetRect();
    RECT area = UIHost()->MonitorRect(rc);
    if (CWindowWnd* parent = CMessageQueue::Instance().Lookup(m_hWndParent))
        if (parent->IsVisible())
            area = parent->GetWindowRect();
    int cx = rc.right - rc.left;
    int cy = rc.bottom - rc.top;
    int x = area.left + (area.right - area.left - cx) / 2;
    int y = area.top + (area.bottom - area.top - cy) / 2;
    m_native->SetRect(RECT{x, y, x + cx, y + cy});
}

void CWindowWnd::SetIcon(UINT resourceId)
{
    std::string file = CResourceManager::GetInstance().GetIconFile(resourceId);
    if (!file.empty())
        SetIconFile(CPaintManagerUI::ResolvePath(file));
}

void CWindowWnd::SetIconFile(const std::string& path)
{
    if (m_native)
        m_native->SetIconFile(path);
}

void CWindowWnd::SetTitle(const std::string& title)
{
    if (m_native)
        m_native->SetTitle(title);
}

LRESULT CWindowWnd::SendMessage(UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    return ::SendMessage(m_hWnd, uMsg, wParam, lParam);
}

bool CWindowWnd::PostMessage(UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    return ::PostMessage(m_hWnd, uMsg, wParam, lParam);
}

void CWindowWnd::DestroyWindow()
{
    if (!m_hWnd || m_bDestroying)
        return;
    m_bDestroying = true;
    HWND hwnd = m_hWnd;
    CMessageQueue& queue = CMessageQueue::Instance();
    queue.BeginDestroy(hwnd);
    HandleMessage(WM_DESTROY, 0, 0);
    queue.KillTimers(hwnd);
    if (m_native)
        m_native->Show(false, false);
    m_native.reset();
    queue.UnregisterWindow(hwnd);
    m_hWnd = nullptr;
    m_bDestroying = false;
    if (std::shared_ptr<ModalState> modal = std::move(m_modal))
        modal->done = true;
    HandleMessage(WM_NCDESTROY, 0, 0);
    OnFinalMessage(hwnd);
}

RECT CWindowWnd::GetWindowRect() const
{
    return m_native ? m_native->GetRect() : RECT{};
}

RECT CWindowWnd::GetClientRect() const
{
    RECT rc = GetWindowRect();
    return RECT{0, 0, rc.right - rc.left, rc.bottom - rc.top};
}

void CWindowWnd::SetWindowPos(int x, int y, int cx, int cy, UINT flags)
{
    if (!m_native)
        return;
    RECT rc = m_native->GetRect();
    if (!(flags & SWP_NOMOVE)) {
        int w = rc.right - rc.left;
        int h = rc.bottom - rc.top;
        rc = RECT{x, y, x + w, y + h};
    }
    if (!(flags & SWP_NOSIZE)) {
        rc.right = rc.left + cx;
        rc.bottom = rc.top + cy;
    }
    m_native->SetRect(rc);
    NotifySize(rc.right - rc.left, rc.bottom - rc.top);
}

void CWindowWnd::ResizeClient(int cx, int cy)
{
    SetWindowPos(0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER);
}

void CWindowWnd::NotifySize(int cx, int cy)
{
    if (m_lastClient.cx == cx && m_lastClient.cy == cy)
        return;
    m_lastClient = SIZE{cx, cy};
    HandleMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(cx, cy));
}

bool CWindowWnd::IsVisible() const
{
    return m_native && m_native->IsVisible();
}

bool CWindowWnd::IsMinimized() const
{
    return m_native && m_native->IsMinimized();
}

void CWindowWnd::SetTopmost(bool topmost)
{
    if (m_native)
        m_native->SetTopmost(topmost);
}

bool CWindowWnd::SetTimer(UINT id, UINT elapseMs)
{
    if (!m_hWnd)
        return false;
    HWND hwnd = m_hWnd;
    CMessageQueue::Instance().SetTimer(hwnd, id, elapseMs, [hwnd, id] { ::SendMessage(hwnd, WM_TIMER, id, 0); });
    return true;
}

void CWindowWnd::KillTimer(UINT id)
{
    CMessageQueue::Instance().KillTimer(m_hWnd, id);
}

LRESULT CWindowWnd::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM)
{
    switch (uMsg) {
    case WM_CLOSE:
        if (m_modal)
            m_modal->result = UINT(wParam);
        DestroyWindow();
        return 0;
    case WM_SYSCOMMAND:
        if (!m_native)
            return 0;
        if (wParam == SC_MINIMIZE)
            m_native->Minimize();
        else if (wParam == SC_MAXIMIZE)
            m_native->Maximize();
        else if (wParam == SC_RESTORE)
            m_native->Restore();
        else if (wParam == SC_CLOSE)
            Close(IDCANCEL);
        return 0;
    default:
        return 0;
    }
}

void CWindowWnd::Paint(HDC, const RECT&) {}

void CWindowWnd::OnFinalMessage(HWND) {}
