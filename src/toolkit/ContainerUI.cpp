#include "toolkit/ContainerUI.h"

#include "toolkit/PaintManagerUI.h"
#include "toolkit/UIParse.h"

#include <algorithm>

CContainerUI::~CContainerUI()
{
    RemoveAll();
}

const char* CContainerUI::GetClass() const
{
    return "ContainerUI";
}

void* CContainerUI::GetInterface(std::string_view name)
{
    if (name == "Container" || name == "IContainer")
        return this;
    return CControlUI::GetInterface(name);
}

CControlUI* CContainerUI::GetItemAt(int index) const
{
    return index >= 0 && size_t(index) < m_items.size() ? m_items[size_t(index)] : nullptr;
}

int CContainerUI::GetItemIndex(CControlUI* control) const
{
    auto it = std::find(m_items.begin(), m_items.end(), control);
    return it == m_items.end() ? -1 : int(it - m_items.begin());
}

bool CContainerUI::SetItemIndex(CControlUI* control, int index)
{
    int from = GetItemIndex(control);
    if (from < 0 || index < 0 || size_t(index) >= m_items.size())
        return false;
    m_items.erase(m_items.begin() + from);
    m_items.insert(m_items.begin() + index, control);
    NeedUpdate();
    return true;
}

bool CContainerUI::Add(CControlUI* control)
{
    return AddAt(control, int(m_items.size()));
}

bool CContainerUI::AddAt(CControlUI* control, int index)
{
    if (!control || index < 0 || size_t(index) > m_items.size())
        return false;
    if (m_pManager)
        m_pManager->InitControls(control, this);
    else
        control->SetManager(nullptr, this, false);
    if (!IsVisible())
        control->SetInternVisible(false);
    m_items.insert(m_items.begin() + index, control);
    NeedUpdate();
    return true;
}

bool CContainerUI::Remove(CControlUI* control, bool doNotDestroy)
{
    int index = GetItemIndex(control);
    return index >= 0 && RemoveAt(index, doNotDestroy);
}

bool CContainerUI::RemoveAt(int index, bool doNotDestroy)
{
    CControlUI* control = GetItemAt(index);
    if (!control)
        return false;
    m_items.erase(m_items.begin() + index);
    if (m_pManager)
        m_pManager->ReapObjects(control);
    if (!doNotDestroy && m_bAutoDestroy)
        delete control;
    NeedUpdate();
    return true;
}

void CContainerUI::RemoveAll()
{
    std::vector<CControlUI*> items;
    items.swap(m_items);
    for (CControlUI* control : items) {
        if (m_pManager)
            m_pManager->ReapObjects(control);
        if (m_bAutoDestroy)
            delete control;
    }
    m_nScrollPos = 0;
    NeedUpdate();
}

RECT CContainerUI::GetInset() const
{
    return Scale(m_rcInset);
}

void CContainerUI::SetInset(RECT inset)
{
    m_rcInset = inset;
    NeedUpdate();
}

int CContainerUI::GetChildPadding() const
{
    return Scale(m_iChildPadding);
}

void CContainerUI::SetChildPadding(int padding)
{
    m_iChildPadding = padding;
    NeedUpdate();
}

void CContainerUI::SetScrollPos(int pos)
{
    pos = std::clamp(pos, 0, m_nScrollRange);
    if (pos == m_nScrollPos)
        return;
    m_nScrollPos = pos;
    NeedUpdate();
}

void CContainerUI::SetVisible(bool visible)
{
    if (m_bVisible == visible)
        return;
    CControlUI::SetVisible(visible);
    for (CControlUI* child : m_items)
        child->SetInternVisible(IsVisible());
}

void CContainerUI::SetInternVisible(bool visible)
{
    CControlUI::SetInternVisible(visible);
    for (CControlUI* child : m_items)
        child->SetInternVisible(IsVisible());
}

void CContainerUI::SetEnabled(bool enabled)
{
    CControlUI::SetEnabled(enabled);
    Invalidate(); // the children's look follows
}

void CContainerUI::SetMouseEnabled(bool enabled)
{
    CControlUI::SetMouseEnabled(enabled);
}

void CContainerUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init)
{
    for (CControlUI* child : m_items)
        child->SetManager(manager, this, init);
    CControlUI::SetManager(manager, parent, init);
}

CControlUI* CContainerUI::FindControl(FINDCONTROLPROC proc, void* data, UINT flags)
{
    if ((flags & UIFIND_VISIBLE) && !IsVisible())
        return nullptr;
    if ((flags & UIFIND_ENABLED) && !IsEnabled())
        return nullptr;
    if ((flags & UIFIND_HITTEST) && !PtInRect(&m_rcItem, *static_cast<POINT*>(data)))
        return nullptr;
    if ((flags & UIFIND_HITTEST) && !m_bMouseEnabled && !m_bMouseChildEnabled)
        return nullptr;
    if (flags & UIFIND_ME_FIRST) {
        if (CControlUI* found = CControlUI::FindControl(proc, data, flags))
            return found;
    }
    if (!(flags & UIFIND_HITTEST) || m_bMouseChildEnabled) {
        if (flags & UIFIND_HITTEST) {
            // Later children are painted over earlier ones, so they are hit first.
            for (auto it = m_items.rbegin(); it != m_items.rend(); ++it)
                if (CControlUI* found = (*it)->FindControl(proc, data, flags))
                    return found;
        } else {
            for (CControlUI* child : m_items)
                if (CControlUI* found = child->FindControl(proc, data, flags))
                    return found;
        }
    }
    if ((flags & UIFIND_HITTEST) && !m_bMouseEnabled)
        return nullptr;
    return (flags & UIFIND_ME_FIRST) ? nullptr : CControlUI::FindControl(proc, data, flags);
}

RECT CContainerUI::InnerRect() const
{
    CDuiRect rc(m_rcItem);
    rc.Deflate(GetInset());
    return rc;
}

void CContainerUI::SetPos(RECT rc, bool needInvalidate)
{
    CControlUI::SetPos(rc, needInvalidate);
    RECT inner = InnerRect();
    for (CControlUI* child : m_items) {
        if (SkipInLayout(child))
            continue;
        RECT pad = child->GetPadding();
        RECT place{inner.left + pad.left, inner.top + pad.top, inner.right - pad.right, inner.bottom - pad.bottom};
        SIZE want = child->EstimateSize(SIZE{place.right - place.left, place.bottom - place.top});
        if (want.cx > 0)
            place.right = place.left + want.cx;
        if (want.cy > 0)
            place.bottom = place.top + want.cy;
        child->SetPos(place, false);
    }
}

bool CContainerUI::SkipInLayout(CControlUI* child)
{
    if (!child->IsVisible())
        return true;
    if (!child->IsFloat())
        return false;
    SetFloatPos(child);
    return true;
}

void CContainerUI::SetFloatPos(CControlUI* child)
{
    SIZE xy = child->GetFixedXY();
    RECT inner = m_rcItem;
    int x = inner.left + Scale(xy.cx);
    int y = inner.top + Scale(xy.cy);
    int cx = child->GetFixedWidth();
    int cy = child->GetFixedHeight();
    if (cx == 0)
        cx = inner.right - x;
    if (cy == 0)
        cy = inner.bottom - y;
    child->SetPos(RECT{x, y, x + cx, y + cy}, false);
}

namespace {

struct LineItem {
    CControlUI* control;
    int length;      // along the line; 0 while it stretches
    bool stretches;
};

int AlongMin(CControlUI* c, bool vertical) { return vertical ? c->GetMinHeight() : c->GetMinWidth(); }
int AlongMax(CControlUI* c, bool vertical) { return vertical ? c->GetMaxHeight() : c->GetMaxWidth(); }

} // namespace

void CContainerUI::LayoutLine(RECT rc, bool vertical)
{
    const int available = vertical ? rc.bottom - rc.top : rc.right - rc.left;
    const int across = vertical ? rc.right - rc.left : rc.bottom - rc.top;
    std::vector<LineItem> line;
    int fixedTotal = 0;
    for (CControlUI* child : m_items) {
        if (SkipInLayout(child))
            continue;
        RECT pad = child->GetPadding();
        SIZE want = child->EstimateSize(SIZE{rc.right - rc.left, rc.bottom - rc.top});
        int length = vertical ? want.cy : want.cx;
        fixedTotal += vertical ? pad.top + pad.bottom : pad.left + pad.right;
        if (length > 0) {
            length = std::clamp(length, AlongMin(child, vertical), std::max(AlongMin(child, vertical), AlongMax(child, vertical)));
            fixedTotal += length;
        }
        line.push_back(LineItem{child, length, length <= 0});
    }
    if (!line.empty())
        fixedTotal += GetChildPadding() * int(line.size() - 1);

    // Stretching children share what is left. One whose min or max the equal share breaks is
    // held at that limit and leaves the rest to the others; repeat until every share fits.
    int remaining = std::max(0, available - fixedTotal);
    for (bool settled = false; !settled;) {
        settled = true;
        int open = int(std::count_if(line.begin(), line.end(), [](const LineItem& i) { return i.stretches && i.length <= 0; }));
        if (open == 0)
            break;
        int share = remaining / open;
        for (LineItem& item : line) {
            if (!item.stretches || item.length > 0)
                continue;
            int low = AlongMin(item.control, vertical);
            int high = std::max(low, AlongMax(item.control, vertical));
            if (share < low || share > high) {
                item.length = std::max(1, std::clamp(share, low, high));
                remaining = std::max(0, remaining - item.length);
                settled = false;
            }
        }
        if (settled) {
            for (LineItem& item : line)
                if (item.stretches && item.length <= 0) {
                    item.length = remaining / open;
                    remaining -= item.length;
                    --open;
                }
        }
    }

    int total = fixedTotal;
    for (const LineItem& item : line)
        if (item.stretches)
            total += item.length;
    m_nScrollRange = m_bScrollable ? std::max(0, total - available) : 0;
    m_nScrollPos = std::min(m_nScrollPos, m_nScrollRange);

    int cursor = (vertical ? rc.top : rc.left) - m_nScrollPos;
    for (const LineItem& item : line) {
        CControlUI* c = item.control;
        RECT pad = c->GetPadding();
        SIZE want = c->EstimateSize(SIZE{rc.right - rc.left, rc.bottom - rc.top});
        int acrossPads = vertical ? pad.left + pad.right : pad.top + pad.bottom;
        int size = (vertical ? want.cx : want.cy) > 0 ? (vertical ? want.cx : want.cy) : across - acrossPads;
        int slack = across - acrossPads - size;
        UINT align = vertical ? m_uChildAlign : m_uChildVAlign;
        int offset = (align & (DT_CENTER | DT_VCENTER)) ? slack / 2 : (align & (DT_RIGHT | DT_BOTTOM)) ? slack : 0;
        RECT place;
        if (vertical) {
            cursor += pad.top;
            int left = rc.left + pad.left + offset;
            place = RECT{left, cursor, left + size, cursor + item.length};
            cursor += item.length + pad.bottom + GetChildPadding();
        } else {
            cursor += pad.left;
            int top = rc.top + pad.top + offset;
            place = RECT{cursor, top, cursor + item.length, top + size};
            cursor += item.length + pad.right + GetChildPadding();
        }
        c->SetPos(place, false);
    }
}

bool CContainerUI::DoPaint(HDC hDC, const RECT& rcPaint, CControlUI* stopControl)
{
    RECT rcTemp;
    if (!IntersectRect(&rcTemp, &rcPaint, &m_rcItem))
        return true;
    CControlUI::DoPaint(hDC, rcPaint, stopControl);
    hDC->PushClip(rcTemp);
    for (CControlUI* child : m_items) {
        if (child == stopControl) {
            hDC->PopClip();
            return false;
        }
        RECT childPos = child->GetPos();
        if (!child->IsVisible() || !IntersectRect(&rcTemp, &rcPaint, &childPos))
            continue;
        if (!child->DoPaint(hDC, rcPaint, stopControl)) {
            hDC->PopClip();
            return false;
        }
    }
    hDC->PopClip();
    PaintScrollIndicator(hDC);
    return true;
}

void CContainerUI::PaintScrollIndicator(HDC hDC)
{
    if (!m_bScrollable || m_nScrollRange <= 0)
        return;
    // A thin thumb on the right edge: its length is the visible share, its place the offset.
    RECT inner = InnerRect();
    int view = inner.bottom - inner.top;
    int total = view + m_nScrollRange;
    if (view <= 0)
        return;
    int length = std::max(Scale(16), view * view / total);
    int top = inner.top + (view - length) * m_nScrollPos / m_nScrollRange;
    int width = Scale(4);
    RECT thumb{m_rcItem.right - width - Scale(2), top, m_rcItem.right - Scale(2), top + length};
    hDC->FillRoundRect(thumb, width / 2, 0x60FFFFFF);
}

void CContainerUI::DoEvent(TEventUI& event)
{
    if (event.Type == UIEVENT_SCROLLWHEEL && m_bScrollable && m_nScrollRange > 0) {
        int step = Scale(40);
        SetScrollPos(m_nScrollPos + (event.wParam == SB_LINEDOWN ? step : -step));
        return;
    }
    CControlUI::DoEvent(event);
}

void CContainerUI::SetAttribute(std::string_view name, std::string_view value)
{
    if (name == "inset") SetInset(ParseRect(value));
    else if (name == "childpadding") SetChildPadding(ParseInt(value));
    else if (name == "mousechild") SetMouseChildEnabled(ParseBool(value));
    else if (name == "vscrollbar") m_bScrollable = ParseBool(value);
    else if (name == "childalign")
        m_uChildAlign = value == "center" ? DT_CENTER : value == "right" ? DT_RIGHT : DT_LEFT;
    else if (name == "childvalign")
        m_uChildVAlign = value == "vcenter" || value == "center" ? DT_VCENTER : value == "bottom" ? DT_BOTTOM : DT_TOP;
    else CControlUI::SetAttribute(name, value);
}
