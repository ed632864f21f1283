#include "toolkit/qt/QtIcon.h"

#include <QFileInfo>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace {

constexpr int kSizes[] = {16, 20, 22, 24, 32, 40, 48, 64, 96, 128, 256};
constexpr int kLargestSmallSize = 24;

QPixmap Draw(QSvgRenderer& svg, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    svg.render(&painter, QRectF(0, 0, size, size));
    return pixmap;
}

} // namespace

QIcon IconFromFile(const std::string& path)
{
    const QString file = QString::fromStdString(path);
    if (!file.endsWith(".svg", Qt::CaseInsensitive))
        return QIcon(file);
    QSvgRenderer large(file);
    if (!large.isValid())
        return QIcon();
    QFileInfo info(file);
    QSvgRenderer small(info.path() + "/" + info.completeBaseName() + "_small.svg");
    QIcon icon;
    for (int size : kSizes) {
        QSvgRenderer& svg = size <= kLargestSmallSize && small.isValid() ? small : large;
        icon.addPixmap(Draw(svg, size));
    }
    return icon;
}
