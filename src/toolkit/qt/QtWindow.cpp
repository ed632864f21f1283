#include "toolkit/qt/QtWindow.h"

#include "platform/FocusedWindowCapture.h"
#include "toolkit/WindowWnd.h"
#include "toolkit/qt/QtPainter.h"
#include "toolkit/UIParse.h"

#include <QCloseEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>

#include <vector>

namespace {

// More dirty rectangles than this are painted as the one rectangle around them.
constexpr int kMaxSeparateSpots = 32;

UINT ToVirtualKey(int key)
{
    switch (key) {
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Tab: return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Delete: return VK_DELETE;
    default:
        if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z))
            return UINT(key);
        if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
            return UINT(0x70 + key - Qt::Key_F1);
        return 0;
    }
}

UINT Modifiers(Qt::KeyboardModifiers mods)
{
    return ((mods & Qt::ShiftModifier) ? MK_SHIFT : 0u) | ((mods & Qt::ControlModifier) ? MK_CONTROL : 0u);
}

LPARAM PointParam(const QPointF& pt)
{
    return MAKELPARAM(int(pt.x()), int(pt.y()));
}

Qt::CursorShape CursorFor(int id)
{
    switch (id) {
    case 32513: return Qt::IBeamCursor;
    case 32514: return Qt::WaitCursor;
    case 32515: return Qt::CrossCursor;
    case 32516: return Qt::UpArrowCursor;
    case 32642: return Qt::SizeFDiagCursor;
    case 32643: return Qt::SizeBDiagCursor;
    case 32644: return Qt::SizeHorCursor;
    case 32645: return Qt::SizeVerCursor;
    case 32640:
    case 32646: return Qt::SizeAllCursor;
    case 32648: return Qt::ForbiddenCursor;
    case 32649: return Qt::PointingHandCursor;
    default: return Qt::ArrowCursor;
    }
}

} // namespace

// The QWidget behind a toolkit window; it forwards paint and input to the window object
// until that detaches it.
class CQtWidget : public QWidget {
public:
    CQtWidget(CWindowWnd& window, QWidget* parent, Qt::WindowFlags flags) : QWidget(parent, flags), m_window(&window)
    {
        setMouseTracking(true);
        setFocusPolicy(Qt::StrongFocus);
        setAttribute(Qt::WA_OpaquePaintEvent);
        setAttribute(Qt::WA_InputMethodEnabled);
    }
    void Detach() { m_window = nullptr; }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPainter painter(this);
        if (!m_window) {
            painter.fillRect(event->rect(), Qt::black);
            return;
        }
        CQtPainter adapter(painter);
        // A few small dirty spots (the lights of a preview) are painted one by one rather than
        // as the one rectangle around them all.
        const QRegion& region = event->region();
        const bool fewSpots = region.rectCount() <= kMaxSeparateSpots;
        for (const QRect& r : fewSpots ? std::vector<QRect>(region.begin(), region.end()) : std::vector<QRect>{event->rect()}) {
            painter.save();
            painter.setClipRect(r);
            adapter.FillRect(RECT{r.left(), r.top(), r.right() + 1, r.bottom() + 1}, 0xFF000000);
            m_window->Paint(&adapter, RECT{r.left(), r.top(), r.right() + 1, r.bottom() + 1});
            painter.restore();
        }
    }
    void resizeEvent(QResizeEvent*) override
    {
        if (m_window)
            m_window->NotifySize(width(), height());
    }
    void mouseMoveEvent(QMouseEvent* e) override
    {
        UINT buttons = (e->buttons() & Qt::LeftButton) ? MK_LBUTTON : 0u;
        Send(WM_MOUSEMOVE, buttons | Modifiers(e->modifiers()), PointParam(e->position()));
    }
    void mousePressEvent(QMouseEvent* e) override
    {
        UINT msg = e->button() == Qt::RightButton ? WM_RBUTTONDOWN : WM_LBUTTONDOWN;
        Send(msg, Modifiers(e->modifiers()) | (msg == WM_LBUTTONDOWN ? MK_LBUTTON : MK_RBUTTON), PointParam(e->position()));
    }
    void mouseReleaseEvent(QMouseEvent* e) override
    {
        UINT msg = e->button() == Qt::RightButton ? WM_RBUTTONUP : WM_LBUTTONUP;
        Send(msg, Modifiers(e->modifiers()), PointParam(e->position()));
    }
    void mouseDoubleClickEvent(QMouseEvent* e) override
    {
        if (e->button() == Qt::LeftButton)
            Send(WM_LBUTTONDBLCLK, MK_LBUTTON | Modifiers(e->modifiers()), PointParam(e->position()));
    }
    void wheelEvent(QWheelEvent* e) override
    {
        int delta = e->angleDelta().y();
        if (delta == 0)
            return;
        Send(WM_MOUSEWHEEL, WPARAM(uint16_t(int16_t(delta))) << 16, PointParam(e->position()));
    }
    void leaveEvent(QEvent*) override { Send(WM_MOUSELEAVE, 0, 0); }
    void keyPressEvent(QKeyEvent* e) override
    {
        if (CapturedByHook(e, true))
            return;
        UINT mods = Modifiers(e->modifiers());
        if (UINT vk = ToVirtualKey(e->key()))
            Send(WM_KEYDOWN, vk, LPARAM(mods));
        if (!(e->modifiers() & Qt::ControlModifier))
            for (char32_t c : DecodeUtf8(e->text().toStdString()))
                if (c >= 0x20 && c != 0x7F)
                    Send(WM_CHAR, WPARAM(c), LPARAM(mods));
    }
    void keyReleaseEvent(QKeyEvent* e) override
    {
        if (CapturedByHook(e, false))
            return;
        if (UINT vk = ToVirtualKey(e->key()))
            Send(WM_KEYUP, vk, LPARAM(Modifiers(e->modifiers())));
    }
    void focusOutEvent(QFocusEvent*) override { Send(WM_KILLFOCUS, 0, 0); }
    void closeEvent(QCloseEvent* e) override
    {
        // The toolkit window decides (a main window may only hide); Qt must not close it.
        e->ignore();
        if (m_window && !m_window->IsBeingDestroyed())
            m_window->PostMessage(WM_CLOSE, IDCANCEL, 0);
    }
    void hideEvent(QHideEvent*) override
    {
        // A popup that Qt hides after a click elsewhere closes its toolkit window too.
        if ((windowFlags() & Qt::Popup) == Qt::Popup && m_window && !m_window->IsBeingDestroyed())
            m_window->PostMessage(WM_CLOSE, IDCANCEL, 0);
    }

private:
    // Where no X server records keys, a running capture takes those typed into our windows.
    static bool CapturedByHook(QKeyEvent* e, bool down)
    {
        // The native scan code is the X (and xkb) keycode: the Linux key code + 8.
        const int linuxCode = static_cast<int>(e->nativeScanCode()) - 8;
        return platform::FocusedWindowCapture::FeedKey(linuxCode, down, static_cast<uint32_t>(e->timestamp()));
    }

    void Send(UINT msg, WPARAM wParam, LPARAM lParam)
    {
        if (m_window)
            m_window->HandleMessage(msg, wParam, lParam);
    }

    CWindowWnd* m_window;
};

CQtWindow::CQtWindow(CWindowWnd& window, CWindowWnd* owner, DWORD style, DWORD exStyle, const RECT& rc)
{
    Qt::WindowFlags flags = Qt::Window;
    if (exStyle & WS_EX_UIPOPUP)
        flags = Qt::Popup | Qt::FramelessWindowHint;
    else if (exStyle & WS_EX_TOOLWINDOW)
        flags = Qt::Tool;
    if (!(style & WS_CAPTION))
        flags |= Qt::FramelessWindowHint;
    if (exStyle & WS_EX_TOPMOST)
        flags |= Qt::WindowStaysOnTopHint;
    QWidget* parent = nullptr;
    if (owner && owner->GetNativeWindow())
        parent = static_cast<CQtWindow*>(owner->GetNativeWindow())->Widget();
    m_widget = new CQtWidget(window, parent, flags);
    m_widget->setGeometry(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
}

CQtWindow::~CQtWindow()
{
    if (!m_widget)
        return;
    m_widget->Detach();
    m_widget->hide();
    m_widget->deleteLater();
}

void CQtWindow::SetTitle(const std::string& title)
{
    m_widget->setWindowTitle(QString::fromStdString(title));
}

void CQtWindow::SetIconFile(const std::string& path)
{
    m_widget->setWindowIcon(QIcon(QString::fromStdString(path)));
}

RECT CQtWindow::GetRect() const
{
    QRect g = m_widget->geometry();
    return RECT{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
}

void CQtWindow::SetRect(const RECT& rc)
{
    m_widget->setGeometry(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
}

void CQtWindow::Show(bool show, bool activate)
{
    if (!show) {
        m_widget->hide();
        return;
    }
    m_widget->setAttribute(Qt::WA_ShowWithoutActivating, !activate);
    m_widget->show();
    if (activate) {
        m_widget->raise();
        m_widget->activateWindow();
    }
}

bool CQtWindow::IsVisible() const
{
    return m_widget->isVisible();
}

bool CQtWindow::IsMinimized() const
{
    return m_widget->isMinimized();
}

void CQtWindow::Minimize()
{
    m_widget->showMinimized();
}

void CQtWindow::Maximize()
{
    m_widget->showMaximized();
}

void CQtWindow::Restore()
{
    m_widget->showNormal();
    m_widget->raise();
    m_widget->activateWindow();
}

void CQtWindow::SetTopmost(bool topmost)
{
    bool visible = m_widget->isVisible();
    m_widget->setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
    if (visible)
        m_widget->show();
}

void CQtWindow::Invalidate(const RECT& rc)
{
    m_widget->update(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
}

void CQtWindow::SetCapture(bool)
{
    // Qt grabs the mouse for the widget that took the press until its release.
}

void CQtWindow::SetCursorShape(int systemCursorId)
{
    m_widget->setCursor(CursorFor(systemCursorId));
}

void CQtWindow::BeginSystemMove()
{
    if (QWindow* handle = m_widget->windowHandle())
        handle->startSystemMove();
}

void CQtWindow::SetToolTip(const std::string& text)
{
    m_widget->setToolTip(QString::fromStdString(text));
}

QWidget* CQtWindow::Widget() const
{
    return m_widget;
}

void CQtWindow::SetModal(bool modal)
{
    // Qt takes a new modality only while the window is hidden.
    bool visible = m_widget->isVisible();
    if (visible)
        m_widget->hide();
    m_widget->setWindowModality(modal ? Qt::ApplicationModal : Qt::NonModal);
    if (visible)
        m_widget->show();
}
