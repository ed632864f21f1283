#include "toolkit/ControlUI.h"

#include "toolkit/PaintManagerUI.h"
#include "toolkit/RenderEngine.h"
#include "toolkit/ResourceManager.h"
#include "toolkit/UIParse.h"

CControlUI::CControlUI() = default;

CControlUI::~CControlUI()
{
    if (m_pManager)
        m_pManager->ReapObjects(this);
}

CDuiString CControlUI::GetName() const
{
    return m_sName;
}

void CControlUI::SetName(const CDuiString& name)
{
    if (name == m_sName)
        return;
    CDuiString old = m_sName;
    m_sName = name;
    if (m_pManager)
        m_pManager->RenameControl(this, old, name);
}

const char* CControlUI::GetClass() const
{
    return "ControlUI";
}

void* CControlUI::GetInterface(std::string_view name)
{
    return name == "Control" ? this : nullptr;
}

bool CControlUI::IsActive() const
{
    return IsVisible() && IsEnabled();
}

bool CControlUI::Activate()
{
    return IsActive();
}

CPaintManagerUI* CControlUI::GetManager() const
{
    return m_pManager;
}

void CControlUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init)
{
    m_pManager = manager;
    m_pParent = parent;
    if (init && parent)
        Init();
}

CControlUI* CControlUI::GetParent() const
{
    return m_pParent;
}

CDuiString CControlUI::GetText() const
{
    return CResourceManager::GetInstance().ResolveText(m_sText);
}

void CControlUI::SetText(const CDuiString& text)
{
    if (m_sText == text)
        return;
    m_sText = text;
    Invalidate();
}

void CControlUI::SetBkColor(DWORD argb)
{
    if (m_dwBackColor == argb)
        return;
    m_dwBackColor = argb;
    Invalidate();
}

void CControlUI::SetBorderColor(DWORD argb)
{
    if (m_dwBorderColor == argb)
        return;
    m_dwBorderColor = argb;
    Invalidate();
}

void CControlUI::SetFocusBorderColor(DWORD argb)
{
    if (m_dwFocusBorderColor == argb)
        return;
    m_dwFocusBorderColor = argb;
    Invalidate();
}

int CControlUI::GetBorderSize() const
{
    return Scale(m_nBorderSize);
}

void CControlUI::SetBorderSize(int size)
{
    if (m_nBorderSize == size)
        return;
    m_nBorderSize = size;
    Invalidate();
}

int CControlUI::GetBorderRound() const
{
    return Scale(m_nBorderRound);
}

void CControlUI::SetBorderRound(int radius)
{
    m_nBorderRound = radius;
    Invalidate();
}

void CControlUI::SetBkImage(const CDuiString& image)
{
    if (m_sBkImage == image)
        return;
    m_sBkImage = image;
    Invalidate();
}

void CControlUI::SetForeImage(const CDuiString& image)
{
    if (m_sForeImage == image)
        return;
    m_sForeImage = image;
    Invalidate();
}

void CControlUI::SetPos(RECT rc, bool needInvalidate)
{
    if (rc.right < rc.left)
        rc.right = rc.left;
    if (rc.bottom < rc.top)
        rc.bottom = rc.top;
    if (needInvalidate)
        Invalidate();
    m_rcItem = rc;
    m_bUpdateNeeded = false;
    if (needInvalidate)
        Invalidate();
}

RECT CControlUI::GetPadding() const
{
    return Scale(m_rcPadding);
}

void CControlUI::SetPadding(RECT padding)
{
    m_rcPadding = padding;
    NeedParentUpdate();
}

void CControlUI::SetFixedXY(SIZE xy)
{
    m_cXY = xy;
    NeedParentUpdate();
}

int CControlUI::GetFixedWidth() const
{
    return Scale(m_cxyFixed.cx);
}

void CControlUI::SetFixedWidth(int cx)
{
    if (cx < 0 || m_cxyFixed.cx == cx)
        return;
    m_cxyFixed.cx = cx;
    NeedParentUpdate();
}

int CControlUI::GetFixedHeight() const
{
    return Scale(m_cxyFixed.cy);
}

void CControlUI::SetFixedHeight(int cy)
{
    if (cy < 0 || m_cxyFixed.cy == cy)
        return;
    m_cxyFixed.cy = cy;
    NeedParentUpdate();
}

int CControlUI::GetMinWidth() const { return Scale(m_cxyMin.cx); }
int CControlUI::GetMaxWidth() const { return Scale(m_cxyMax.cx); }
int CControlUI::GetMinHeight() const { return Scale(m_cxyMin.cy); }
int CControlUI::GetMaxHeight() const { return Scale(m_cxyMax.cy); }

void CControlUI::SetMinWidth(int cx)
{
    m_cxyMin.cx = std::max(0, cx);
    NeedParentUpdate();
}

void CControlUI::SetMaxWidth(int cx)
{
    m_cxyMax.cx = std::max(0, cx);
    NeedParentUpdate();
}

void CControlUI::SetMinHeight(int cy)
{
    m_cxyMin.cy = std::max(0, cy);
    NeedParentUpdate();
}

void CControlUI::SetMaxHeight(int cy)
{
    m_cxyMax.cy = std::max(0, cy);
    NeedParentUpdate();
}

SIZE CControlUI::EstimateSize(SIZE)
{
    return SIZE{GetFixedWidth(), GetFixedHeight()};
}

CDuiString CControlUI::GetToolTip() const
{
    return CResourceManager::GetInstance().ResolveText(m_sToolTip);
}

void CControlUI::SetToolTip(const CDuiString& text)
{
    m_sToolTip = text;
}

void CControlUI::SetVisible(bool visible)
{
    if (m_bVisible == visible)
        return;
    bool wasVisible = IsVisible();
    m_bVisible = visible;
    if (m_bFocused && !visible)
        m_bFocused = false;
    if (IsVisible() != wasVisible)
        NeedParentUpdate();
}

void CControlUI::SetInternVisible(bool visible)
{
    m_bInternVisible = visible;
    if (!visible && m_pManager && m_pManager->GetFocus() == this)
        m_pManager->SetFocus(nullptr);
}

void CControlUI::SetEnabled(bool enabled)
{
    if (m_bEnabled == enabled)
        return;
    m_bEnabled = enabled;
    if (enabled)
        m_uButtonState &= ~UISTATE_DISABLED;
    else
        m_uButtonState = UISTATE_DISABLED;
    Invalidate();
}

void CControlUI::SetFocus()
{
    if (m_pManager)
        m_pManager->SetFocus(this);
}

void CControlUI::SetFloat(bool isFloat)
{
    if (m_bFloat == isFloat)
        return;
    m_bFloat = isFloat;
    NeedParentUpdate();
}

CControlUI* CControlUI::FindControl(FINDCONTROLPROC proc, void* data, UINT flags)
{
    if ((flags & UIFIND_VISIBLE) && !IsVisible())
        return nullptr;
    if ((flags & UIFIND_ENABLED) && !IsEnabled())
        return nullptr;
    if ((flags & UIFIND_HITTEST) && (!m_bMouseEnabled || !PtInRect(&m_rcItem, *static_cast<POINT*>(data))))
        return nullptr;
    return proc(this, data);
}

void CControlUI::Invalidate()
{
    if (!IsVisible() || !m_pManager)
        return;
    RECT visible = m_rcItem;
    for (CControlUI* parent = m_pParent; parent; parent = parent->GetParent()) {
        RECT parentRect = parent->GetPos();
        if (!IntersectRect(&visible, &visible, &parentRect))
            return;
    }
    m_pManager->Invalidate(visible);
}

void CControlUI::NeedUpdate()
{
    if (!IsVisible())
        return;
    m_bUpdateNeeded = true;
    Invalidate();
    if (m_pManager)
        m_pManager->NeedUpdate();
}

void CControlUI::NeedParentUpdate()
{
    if (m_pParent) {
        m_pParent->NeedUpdate();
        m_pParent->Invalidate();
    } else {
        NeedUpdate();
    }
    if (m_pManager)
        m_pManager->NeedUpdate();
}

void CControlUI::Init()
{
    if (m_bInited)
        return;
    m_bInited = true;
    DoInit();
}

void CControlUI::Event(TEventUI& event)
{
    DoEvent(event);
}

void CControlUI::DoEvent(TEventUI& event)
{
    switch (event.Type) {
    case UIEVENT_SETFOCUS:
        m_bFocused = true;
        Invalidate();
        return;
    case UIEVENT_KILLFOCUS:
        m_bFocused = false;
        Invalidate();
        return;
    case UIEVENT_TIMER:
        if (m_pManager)
            m_pManager->SendNotify(this, "timer", event.wParam, event.lParam);
        return;
    case UIEVENT_CONTEXTMENU:
        if (IsContextMenuUsed() && m_pManager)
            m_pManager->SendNotify(this, "menu", event.wParam, event.lParam);
        return;
    default:
        // What a control does not handle goes to its parent: a press on a row's label
        // selects the row.
        if (m_pParent)
            m_pParent->DoEvent(event);
        return;
    }
}

void CControlUI::SetAttribute(std::string_view name, std::string_view value)
{
    if (name == "pos") {
        RECT rc = ParseRect(value);
        m_cxyFixed = SIZE{rc.right - rc.left, rc.bottom - rc.top};
        m_cXY = SIZE{rc.left, rc.top};
        NeedParentUpdate();
    } else if (name == "padding") SetPadding(ParseRect(value));
    else if (name == "bkcolor" || name == "bkcolor1") SetBkColor(ParseColor(value));
    else if (name == "bordercolor") SetBorderColor(ParseColor(value));
    else if (name == "focusbordercolor") SetFocusBorderColor(ParseColor(value));
    else if (name == "bordersize") SetBorderSize(ParseInt(value));
    else if (name == "borderround") SetBorderRound(ParseSize(value).cx);
    else if (name == "bkimage") SetBkImage(CDuiString(value));
    else if (name == "foreimage") SetForeImage(CDuiString(value));
    else if (name == "width") SetFixedWidth(ParseInt(value));
    else if (name == "height") SetFixedHeight(ParseInt(value));
    else if (name == "minwidth") SetMinWidth(ParseInt(value));
    else if (name == "minheight") SetMinHeight(ParseInt(value));
    else if (name == "maxwidth") SetMaxWidth(ParseInt(value));
    else if (name == "maxheight") SetMaxHeight(ParseInt(value));
    else if (name == "name") SetName(CDuiString(value));
    else if (name == "text") SetText(CDuiString(value));
    else if (name == "tooltip") SetToolTip(CDuiString(value));
    else if (name == "userdata") SetUserData(CDuiString(value));
    else if (name == "tag") SetTag(UINT_PTR(ParseInt(value)));
    else if (name == "enabled") SetEnabled(ParseBool(value));
    else if (name == "mouse") SetMouseEnabled(ParseBool(value));
    else if (name == "keyboard") SetKeyboardEnabled(ParseBool(value));
    else if (name == "visible") SetVisible(ParseBool(value));
    else if (name == "float") SetFloat(ParseBool(value));
    else if (name == "menu") SetContextMenuUsed(ParseBool(value));
}

CControlUI* CControlUI::ApplyAttributeList(std::string_view list)
{
    for (const auto& [name, value] : ParseAttributeList(list))
        SetAttribute(name, value);
    return this;
}

bool CControlUI::DoPaint(HDC hDC, const RECT& rcPaint, CControlUI*)
{
    if (!IntersectRect(&m_rcPaint, &rcPaint, &m_rcItem))
        return true;
    PaintBkColor(hDC);
    PaintBkImage(hDC);
    PaintStatusImage(hDC);
    PaintText(hDC);
    PaintBorder(hDC);
    return true;
}

void CControlUI::PaintBkColor(HDC hDC)
{
    if (m_dwBackColor == 0)
        return;
    if (m_nBorderRound > 0)
        hDC->FillRoundRect(m_rcItem, GetBorderRound(), GetAdjustColor(m_dwBackColor));
    else
        hDC->FillRect(m_rcItem, GetAdjustColor(m_dwBackColor));
}

void CControlUI::PaintBkImage(HDC hDC)
{
    if (!m_sBkImage.empty())
        DrawImage(hDC, m_sBkImage);
}

void CControlUI::PaintStatusImage(HDC) {}

void CControlUI::PaintText(HDC) {}

void CControlUI::PaintBorder(HDC hDC)
{
    DWORD color = (m_bFocused && m_dwFocusBorderColor != 0) ? m_dwFocusBorderColor : m_dwBorderColor;
    if (color == 0 || m_nBorderSize <= 0)
        return;
    hDC->DrawRect(m_rcItem, GetBorderSize(), GetAdjustColor(color), GetBorderRound());
}

bool CControlUI::DrawImage(HDC hDC, const CDuiString& image, const CDuiString& modify)
{
    return CRenderEngine::DrawImageString(hDC, m_pManager, m_rcItem, m_rcPaint, image, modify);
}

int CControlUI::Scale(int value) const
{
    return m_pManager ? m_pManager->GetDPIObj()->Scale(value) : value;
}

RECT CControlUI::Scale(RECT rc) const
{
    return m_pManager ? m_pManager->GetDPIObj()->Scale(rc) : rc;
}
