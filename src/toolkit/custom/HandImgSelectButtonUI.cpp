#include "toolkit/custom/HandImgSelectButtonUI.h"

#include "toolkit/PaintManagerUI.h"
#include "toolkit/RenderEngine.h"
#include "toolkit/UIHost.h"
#include "toolkit/UIParse.h"
#include "toolkit/WindowWnd.h"

#include <algorithm>
#include <utility>

namespace {

const std::pair<const char*, int> kCursors[] = {
    {"arrow", 32512},    {"ibeam", 32513},    {"wait", 32514},     {"cross", 32515},  {"uparrow", 32516},
    {"size", 32640},     {"icon", 32641},     {"sizenwse", 32642}, {"sizenesw", 32643}, {"sizewe", 32644},
    {"sizens", 32645},   {"sizeall", 32646},  {"no", 32648},       {"hand", 32649},
};

void SetWindowCursor(CPaintManagerUI* manager, int cursor)
{
    CWindowWnd* window = manager ? manager->GetWindow() : nullptr;
    if (window && window->GetNativeWindow())
        window->GetNativeWindow()->SetCursorShape(cursor);
}

} // namespace

const char* CHandImgSelectButtonUI::GetClass() const
{
    return "HandImgSelectButton";
}

void* CHandImgSelectButtonUI::GetInterface(std::string_view name)
{
    return name == "HandImgSelectButton" ? this : CButtonUI::GetInterface(name);
}

void CHandImgSelectButtonUI::LoadHandImage(const CDuiString& file)
{
    const TImageInfo* image = CPaintManagerUI::GetImageShared(file);
    if (!image)
        return;
    m_sHandImage = file;
    m_nImageWidth = image->nX;
    m_nImageHeight = image->nY;
    // Before the first layout the control has no position yet: its fixed size stands in.
    int width = GetWidth() > 0 ? GetWidth() : m_cxyFixed.cx;
    int height = GetHeight() > 0 ? GetHeight() : m_cxyFixed.cy;
    m_rcWindow = RECT{0, 0, width, height};
    if (width < m_nImageWidth || height < m_nImageHeight)
        RebuildDrawString();
    else
        m_sDrawString = m_sHandImage;
    Invalidate();
}

void CHandImgSelectButtonUI::RebuildDrawString()
{
    CDuiString file;
    file.Format("file='%s' ", m_sHandImage.c_str());
    CDuiString source;
    source.Format("source='%d,%d,%d,%d'", m_rcWindow.left, m_rcWindow.top, m_rcWindow.right, m_rcWindow.bottom);
    m_sDrawString = file + source;
}

void CHandImgSelectButtonUI::Pan(POINT p)
{
    POINT q = m_ptLast;
    // A step toward the picture's far edge stops there, so the window never leaves the picture.
    if (p.x < q.x) {
        int d = std::min(q.x - p.x, std::max(0, m_nImageWidth - m_rcWindow.right));
        m_rcWindow.left += d;
        m_rcWindow.right += d;
    } else if (m_rcWindow.left > 0) {
        int d = p.x - q.x;
        int shift = d < m_rcWindow.left ? d : m_rcWindow.left;
        m_rcWindow.left -= shift;
        m_rcWindow.right -= shift;
    }
    if (p.y < q.y) {
        int d = std::min(q.y - p.y, std::max(0, m_nImageHeight - m_rcWindow.bottom));
        m_rcWindow.top += d;
        m_rcWindow.bottom += d;
    } else if (m_rcWindow.top > 0) {
        int d = p.y - q.y;
        int shift = d < m_rcWindow.top ? d : m_rcWindow.top;
        m_rcWindow.top -= shift;
        m_rcWindow.bottom -= shift;
    }
    m_ptLast = p;
    RebuildDrawString();
}

void CHandImgSelectButtonUI::PaintStatusImage(HDC hDC)
{
    CButtonUI::PaintStatusImage(hDC);
    const CDuiString& image = m_sDrawString.empty() ? m_sHandImage : m_sDrawString;
    CRenderEngine::DrawImageString(hDC, m_pManager, m_rcItem, m_rcPaint, image);
}

void CHandImgSelectButtonUI::DoEvent(TEventUI& event)
{
    if (NotifyHover(event)) {
        if (m_nCursor != 0)
            SetWindowCursor(m_pManager, event.Type == UIEVENT_MOUSEENTER ? m_nCursor : 32512);
        CButtonUI::DoEvent(event);
        return;
    }
    switch (event.Type) {
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_DBLCLICK:
        if (IsPointInside(event.ptMouse) && IsEnabled()) {
            m_uButtonState |= UISTATE_PUSHED | UISTATE_CAPTURED;
            m_ptLast = event.ptMouse;
            Invalidate();
        }
        m_bDragging = true;
        return;
    case UIEVENT_BUTTONUP:
        if (m_uButtonState & UISTATE_CAPTURED) {
            m_uButtonState &= ~(UISTATE_PUSHED | UISTATE_CAPTURED);
            Invalidate();
        }
        m_bDragging = false;
        return;
    case UIEVENT_MOUSEMOVE:
        if (m_bDragging)
            Pan(event.ptMouse);
        if (m_uButtonState & UISTATE_CAPTURED) {
            if (IsPointInside(event.ptMouse))
                m_uButtonState |= UISTATE_PUSHED;
            else
                m_uButtonState &= ~UISTATE_PUSHED;
        }
        Invalidate();
        return;
    default:
        CButtonUI::DoEvent(event);
    }
}

void CHandImgSelectButtonUI::SetAttribute(std::string_view name, std::string_view value)
{
    if (EqualsNoCase(name, "handimage")) {
        LoadHandImage(CDuiString(value));
    } else if (EqualsNoCase(name, "cursor") && !value.empty()) {
        for (const auto& [cursorName, id] : kCursors)
            if (EqualsNoCase(value, cursorName))
                m_nCursor = id;
    } else {
        CButtonUI::SetAttribute(name, value);
    }
}
