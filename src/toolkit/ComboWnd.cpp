#include "toolkit/ComboWnd.h"

#include "toolkit/ComboUI.h"
#include "toolkit/VerticalLayoutUI.h"

#include <algorithm>

CComboWnd* CComboWnd::Open(CComboUI* owner)
{
    CPaintManagerUI* ownerManager = owner->GetManager();
    CWindowWnd* ownerWindow = ownerManager ? ownerManager->GetWindow() : nullptr;
    if (!ownerWindow)
        return nullptr;
    auto* window = new CComboWnd(owner);
    RECT combo = owner->GetPos();
    RECT screen = ownerWindow->GetWindowRect();
    const CDPI* dpi = ownerManager->GetDPIObj();
    int rowHeight = dpi->Scale(owner->GetListInfo()->nItemHeight);
    // Hidden rows keep their index but take no room in the drop-down.
    int shownRows = 0;
    for (int i = 0; i < owner->GetCount(); ++i)
        shownRows += owner->GetItemAt(i)->IsVisible() ? 1 : 0;
    int height = std::min(rowHeight * std::max(1, shownRows) + dpi->Scale(4),
                          dpi->Scale(owner->GetDropBoxSize().cy));
    int width = owner->GetDropBoxSize().cx > 0 ? dpi->Scale(owner->GetDropBoxSize().cx) : combo.right - combo.left;
    RECT rc{screen.left + combo.left, screen.top + combo.bottom + dpi->Scale(2), 0, 0};
    rc.right = rc.left + width;
    rc.bottom = rc.top + height;
    if (!window->Create(ownerWindow->GetHWND(), "", WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_UIPOPUP, rc)) {
        delete window;
        return nullptr;
    }
    window->ShowWindow(true, true);
    return window;
}

LRESULT CComboWnd::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == WM_CREATE) {
        m_pm.Init(GetHWND(), "ComboWnd");
        m_pm.GetDPIObj()->SetDPI(m_pOwner->GetManager()->GetDPIObj()->GetDPI());
        m_pLayout = new CVerticalLayoutUI;
        m_pLayout->SetAttribute("vscrollbar", "true");
        m_pLayout->SetInset(RECT{0, 2, 0, 2});
        m_pLayout->SetBkColor(m_pOwner->GetDropBkColor());
        m_pLayout->SetAutoDestroy(false);
        m_pm.AttachDialog(m_pLayout);
        m_pm.SetDefaultFontColor(m_pOwner->GetManager()->GetDefaultFontColor());
        for (int i = 0; i < m_pOwner->GetCount(); ++i)
            m_pLayout->Add(m_pOwner->GetItemAt(i));
        return 0;
    }
    if (uMsg == WM_KEYDOWN && wParam == VK_ESCAPE) {
        Close(IDCANCEL);
        return 0;
    }
    if (uMsg == WM_DESTROY)
        ReturnRows();
    LRESULT result = 0;
    if (m_pm.MessageHandler(uMsg, wParam, lParam, result))
        return result;
    return CWindowWnd::HandleMessage(uMsg, wParam, lParam);
}

void CComboWnd::Paint(HDC hDC, const RECT& rcPaint)
{
    m_pm.Paint(hDC, rcPaint);
}

void CComboWnd::DetachOwner()
{
    ReturnRows();
}

void CComboWnd::ReturnRows()
{
    if (!m_pLayout || !m_pOwner)
        return;
    m_pLayout->RemoveAll();
    CPaintManagerUI* ownerManager = m_pOwner->GetManager();
    for (int i = 0; i < m_pOwner->GetCount(); ++i)
        m_pOwner->GetItemAt(i)->SetManager(ownerManager, m_pOwner, false);
    if (m_pOwner->m_pWindow == this)
        m_pOwner->m_pWindow = nullptr;
    m_pOwner->Invalidate();
    m_pOwner = nullptr;
}

void CComboWnd::OnFinalMessage(HWND)
{
    delete this;
}
