#include "toolkit/qt/QtTrayIcon.h"

#include <QIcon>
#include <QPixmap>
#include <QSystemTrayIcon>

CQtTrayIcon::CQtTrayIcon(std::function<void(UINT)> onMouse) : m_icon(std::make_unique<QSystemTrayIcon>())
{
    QPixmap blank(16, 16);
    blank.fill(Qt::darkGray);
    m_icon->setIcon(QIcon(blank));
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
    QIcon icon(QString::fromStdString(path));
    if (!icon.isNull())
        m_icon->setIcon(icon);
}

void CQtTrayIcon::SetToolTip(const std::string& text)
{
    m_icon->setToolTip(QString::fromStdString(text));
}

void CQtTrayIcon::SetVisible(bool visible)
{
    m_icon->setVisible(visible && QSystemTrayIcon::isSystemTrayAvailable());
}
