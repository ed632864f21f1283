#include "toolkit/qt/QtTrayIcon.h"

#include "toolkit/qt/QtIcon.h"

#include <QIcon>
#include <QSystemTrayIcon>

CQtTrayIcon::CQtTrayIcon(std::function<void(UINT)> onMouse) : m_icon(std::make_unique<QSystemTrayIcon>())
{
    QObject::connect(m_icon.get(), &QSystemTrayIcon::activated, [onMouse](QSystemTrayIcon::ActivationReason reason) {
        switch (reason) {
        case QSystemTrayIcon::Trigger: onMouse(WM_LBUTTONUP); break;
        case QSystemTrayIcon::Context: onMouse(WM_RBUTTONUP); break;
        case QSystemTrayIcon::DoubleClick: onMouse(WM_LBUTTONDBLCLK); break;
        default: break;
        }
    });
}

CQtTrayIcon::~CQtTrayIcon() = default;

void CQtTrayIcon::SetIconFile(const std::string& path)
{
    QIcon icon = IconFromFile(path);
    if (!icon.isNull())
        m_icon->setIcon(icon);
}

void CQtTrayIcon::SetToolTip(const std::string& text)
{
    m_icon->setToolTip(QString::fromStdString(text));
}

void CQtTrayIcon::SetVisible(bool visible)
{
    // Qt shows it through the desktop's StatusNotifier host, or the X11 tray where there is none,
    // and brings it up when a tray appears later.
    m_icon->setVisible(visible);
}
