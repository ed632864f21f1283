#include "toolkit/qt/QtImage.h"

#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>

bool CQtImage::Load(const std::string& path, TImageInfo& image)
{
    auto data = std::make_shared<CQtImage>();
    QString file = QString::fromStdString(path);
    if (file.endsWith(".svg", Qt::CaseInsensitive)) {
        auto svg = std::make_shared<QSvgRenderer>(file);
        if (!svg->isValid())
            return false;
        data->svg = svg;
        QSize size = svg->defaultSize();
        image.nX = size.width();
        image.nY = size.height();
        image.bSvg = true;
    } else {
        QImage bitmap(file);
        if (bitmap.isNull())
            return false;
        bitmap = bitmap.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        if (image.dwMask != 0) {
            // The mask colour becomes transparent.
            QImage keyed = bitmap.convertToFormat(QImage::Format_ARGB32);
            for (int y = 0; y < keyed.height(); ++y) {
                auto* line = reinterpret_cast<QRgb*>(keyed.scanLine(y));
                for (int x = 0; x < keyed.width(); ++x)
                    if ((line[x] & 0x00FFFFFF) == (image.dwMask & 0x00FFFFFF))
                        line[x] = 0;
            }
            bitmap = keyed.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        }
        image.nX = bitmap.width();
        image.nY = bitmap.height();
        image.bAlpha = bitmap.hasAlphaChannel();
        data->bitmap = bitmap;
    }
    image.hostData = data;
    return true;
}

QImage CQtImage::Render(const QRectF& source, QSize size, int naturalWidth, int naturalHeight) const
{
    if (size.isEmpty())
        return {};
    for (size_t i = 0; i < m_rendered.size(); ++i) {
        if (m_rendered[i].source == source && m_rendered[i].size == size) {
            std::rotate(m_rendered.begin() + static_cast<long>(i), m_rendered.begin() + static_cast<long>(i) + 1, m_rendered.end());
            return m_rendered.back().image;
        }
    }
    QImage image = RenderAnew(source, size, naturalWidth, naturalHeight);
    if (m_rendered.size() == kKeptRenderings)
        m_rendered.erase(m_rendered.begin());
    m_rendered.push_back({source, size, image});
    return image;
}

QImage CQtImage::RenderAnew(const QRectF& source, QSize size, int naturalWidth, int naturalHeight) const
{
    if (!svg)
        return bitmap.copy(source.toRect()).scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    // Render the whole drawing at the scale that makes the source part exactly size pixels.
    double sx = size.width() / source.width();
    double sy = size.height() / source.height();
    QImage out(size, QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    QPainter painter(&out);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(-source.x() * sx, -source.y() * sy);
    svg->render(&painter, QRectF(0, 0, naturalWidth * sx, naturalHeight * sy));
    return out;
}
