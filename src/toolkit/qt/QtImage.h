#pragma once

#include "toolkit/Painter.h"

#include <QImage>
#include <QRectF>

#include <memory>
#include <vector>

class QPainter;
class QSvgRenderer;

// The decoded form of a picture kept in TImageInfo::hostData.
struct CQtImage {
    QImage bitmap;                       // PNG and other raster pictures
    std::shared_ptr<QSvgRenderer> svg;   // SVG pictures

    // Decodes a file into image; false when it is no picture Qt can read.
    static bool Load(const std::string& path, TImageInfo& image);
    // The picture part source (picture pixels) as a bitmap of exactly size pixels. The last few
    // renderings are kept: an animated preview repaints the same parts many times a second.
    QImage Render(const QRectF& source, QSize size, int naturalWidth, int naturalHeight) const;

private:
    struct Rendered {
        QRectF source;
        QSize size;
        QImage image;
    };
    static constexpr size_t kKeptRenderings = 32;
    QImage RenderAnew(const QRectF& source, QSize size, int naturalWidth, int naturalHeight) const;
    mutable std::vector<Rendered> m_rendered; // newest last; UI thread only
};
