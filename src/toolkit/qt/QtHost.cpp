#include "toolkit/qt/QtHost.h"

#include "toolkit/MessageQueue.h"
#include "toolkit/WindowWnd.h"
#include "toolkit/qt/QtImage.h"
#include "toolkit/qt/QtPainter.h"
#include "toolkit/qt/QtTrayIcon.h"
#include "toolkit/qt/QtWindow.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QEventLoop>
#include <QFileDialog>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace {

const QEvent::Type kWakeEvent = QEvent::Type(QEvent::User + 742);

// Receives the wake-up events workers post and serves the toolkit's queue on the UI thread.
class CDispatcher : public QObject {
public:
    explicit CDispatcher(std::function<void()> serve) : m_serve(std::move(serve)) {}
    bool event(QEvent* e) override
    {
        if (e->type() != kWakeEvent)
            return QObject::event(e);
        m_serve();
        return true;
    }

private:
    std::function<void()> m_serve;
};

} // namespace

CQtHost::CQtHost(int& argc, char** argv)
{
    if (!QApplication::instance())
        m_ownApp = std::make_unique<QApplication>(argc, argv);
    m_clock.start();
    m_dispatcher = std::make_unique<CDispatcher>([this] {
        m_wakePosted = false;
        Serve();
    });
    m_timer = std::make_unique<QTimer>();
    m_timer->setSingleShot(true);
    m_timer->setTimerType(Qt::PreciseTimer);
    QObject::connect(m_timer.get(), &QTimer::timeout, [this] { Serve(); });
    CMessageQueue::Instance().Reset();
    SetUIHost(this);
}

CQtHost::~CQtHost()
{
    SetUIHost(nullptr);
    m_timer.reset();
    m_dispatcher.reset();
}

uint64_t CQtHost::NowMs()
{
    return uint64_t(m_clock.elapsed());
}

void CQtHost::WakeUp()
{
    if (!m_wakePosted.exchange(true))
        QCoreApplication::postEvent(m_dispatcher.get(), new QEvent(kWakeEvent));
}

void CQtHost::Serve()
{
    CMessageQueue& queue = CMessageQueue::Instance();
    queue.ProcessPending();
    // Timers due now fire in order; a busy handler must not starve the rest of the loop.
    for (int fired = 0; fired < 64 && queue.FireNextDueTimer(NowMs()); ++fired)
        queue.ProcessPending();
    if (std::optional<uint64_t> due = queue.NextTimerDue()) {
        uint64_t now = NowMs();
        m_timer->start(int(*due > now ? std::min<uint64_t>(*due - now, 1u << 30) : 0));
    } else {
        m_timer->stop();
    }
}

void CQtHost::RunLoop(const std::function<bool()>& keepRunning)
{
    Serve();
    QEventLoop loop;
    while (keepRunning())
        loop.processEvents(QEventLoop::WaitForMoreEvents);
}

std::unique_ptr<INativeWindow> CQtHost::CreateNativeWindow(CWindowWnd& window, HWND parent, DWORD style, DWORD exStyle,
                                                           const RECT& rc)
{
    CWindowWnd* owner = CMessageQueue::Instance().Lookup(parent);
    return std::make_unique<CQtWindow>(window, owner, style, exStyle, rc);
}

bool CQtHost::LoadImage(const std::string& path, TImageInfo& image)
{
    return CQtImage::Load(path, image);
}

SIZE CQtHost::MeasureText(const std::string& text, const TFontInfo& font, int pixelSize)
{
    QFont qfont(QString::fromStdString(font.sFontName));
    qfont.setPixelSize(std::max(1, pixelSize));
    qfont.setBold(font.bBold);
    QFontMetrics metrics(qfont);
    return SIZE{metrics.horizontalAdvance(QString::fromStdString(text)), metrics.height()};
}

RECT CQtHost::MonitorRect(const RECT& rc)
{
    QPoint center((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    QScreen* screen = QGuiApplication::screenAt(center);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return RECT{0, 0, 1280, 800};
    QRect g = screen->geometry();
    return RECT{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
}

POINT CQtHost::ScreenPointFromDevicePixels(POINT devicePoint)
{
    // Qt scales each screen about its top-left corner, which keeps its device position.
    for (QScreen* screen : QGuiApplication::screens()) {
        const QRect logical = screen->geometry();
        const qreal ratio = screen->devicePixelRatio();
        const QRect device(logical.topLeft(), logical.size() * ratio);
        if (device.contains(devicePoint.x, devicePoint.y))
            return POINT{logical.left() + int((devicePoint.x - logical.left()) / ratio),
                         logical.top() + int((devicePoint.y - logical.top()) / ratio)};
    }
    return devicePoint;
}

POINT CQtHost::CursorPos()
{
    QPoint pt = QCursor::pos();
    return POINT{pt.x(), pt.y()};
}

bool CQtHost::AddFontFile(const std::string& path)
{
    return QFontDatabase::addApplicationFont(QString::fromStdString(path)) != -1;
}

void CQtHost::SubstituteFontFace(const std::string& face, const std::vector<std::string>& families)
{
    QStringList list;
    for (const std::string& family : families)
        list << QString::fromStdString(family);
    QFont::removeSubstitutions(QString::fromStdString(face));
    QFont::insertSubstitutions(QString::fromStdString(face), list);
}

std::unique_ptr<ITrayIconImpl> CQtHost::CreateTrayIcon(std::function<void(UINT)> onMouse)
{
    return std::make_unique<CQtTrayIcon>(std::move(onMouse));
}

QImage CQtHost::RenderToImage(CWindowWnd& window)
{
    RECT client = window.GetClientRect();
    QImage image(std::max(1, client.right), std::max(1, client.bottom), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    CQtPainter adapter(painter);
    window.Paint(&adapter, client);
    painter.end();
    return image;
}

bool CQtHost::RunFileDialog(const FileDialogRequest& request, std::string& path)
{
    // "*.json;" is a Windows-style pattern list: Qt wants "Description (*.json)".
    QString patterns = QString::fromStdString(request.filterPattern).split(';', Qt::SkipEmptyParts).join(' ');
    QString filter = QString::fromStdString(request.filterDescription);
    if (!filter.contains('('))
        filter += " (" + patterns + ")";
    else
        filter = filter.left(filter.indexOf('(')).trimmed() + " (" + patterns + ")";
    QWidget* parent = nullptr;
    if (CWindowWnd* owner = CMessageQueue::Instance().Lookup(request.owner))
        if (owner->GetNativeWindow())
            parent = static_cast<CQtWindow*>(owner->GetNativeWindow())->Widget();
    QString chosen = request.save ? QFileDialog::getSaveFileName(parent, QString(), QString(), filter)
                                  : QFileDialog::getOpenFileName(parent, QString(), QString(), filter);
    if (chosen.isEmpty())
        return false;
    path = chosen.toStdString();
    return true;
}
