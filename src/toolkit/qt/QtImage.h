#pragma once

#include "toolkit/Painter.h"

#include <QImage>
#include <QRectF>

#include <memory>

class QPainter;
class QSvgRenderer;

// The decoded form of a picture kept in TImageInfo::hostData.
struct CQtImage {
    QImage bitmap;                       // PNG and other raster pictures
    std::shared_ptr<QSvgRenderer> svg;   // SVG pictures

    // Decodes a file into image; false when it is no picture Qt can read.
    static bool Load(const std::string& path, TImageInfo& image);
    // The picture part source (picture pixels) as a bitmap of exactly size pixels.
    QImage Render(const QRectF& source, QSize size, int naturalWidth, int naturalHeight) const;
};
