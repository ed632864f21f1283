#include "toolkit/qt/QtPainter.h"

#include "toolkit/qt/QtImage.h"

#include <QFont>
#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

QColor ToQColor(DWORD argb)
{
    return QColor::fromRgba(QRgb(argb));
}

QRect ToQRect(const RECT& rc)
{
    return QRect(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
}

QFont ToQFont(const TFontInfo& font, int pixelSize)
{
    QFont qfont(QString::fromStdString(font.sFontName));
    qfont.setPixelSize(std::max(1, pixelSize));
    qfont.setBold(font.bBold);
    qfont.setItalic(font.bItalic);
    qfont.setUnderline(font.bUnderline);
    return qfont;
}

int ToQtAlignment(UINT style)
{
    int flags = (style & DT_CENTER) ? Qt::AlignHCenter : (style & DT_RIGHT) ? Qt::AlignRight : Qt::AlignLeft;
    flags |= (style & DT_VCENTER) ? Qt::AlignVCenter : (style & DT_BOTTOM) ? Qt::AlignBottom : Qt::AlignTop;
    if (style & DT_WORDBREAK)
        flags |= Qt::TextWordWrap;
    return flags;
}

// Draws the picture part src into dst, tinted when asked.
void DrawPart(QPainter& painter, const CQtImage& data, const TImageInfo& image, const QRectF& src, const QRect& dst,
              const TImageDraw& how)
{
    if (dst.isEmpty() || src.isEmpty())
        return;
    if (!how.bTinted && !data.svg) {
        painter.drawImage(dst, data.bitmap, src);
        return;
    }
    QImage part = data.Render(src, dst.size(), image.nX, image.nY);
    if (how.bTinted) {
        QPainter tint(&part);
        tint.setCompositionMode(QPainter::CompositionMode_SourceIn);
        tint.fillRect(part.rect(), QColor::fromRgb(QRgb(how.dwTint)));
        tint.end();
        painter.save();
        painter.setOpacity(painter.opacity() * how.nTintLevel / 255.0);
        painter.drawImage(dst.topLeft(), part);
        painter.restore();
        return;
    }
    painter.drawImage(dst.topLeft(), part);
}

void DrawTiled(QPainter& painter, const CQtImage& data, const TImageInfo& image, const QRectF& src, const QRect& dst,
               const TImageDraw& how)
{
    QSize tile(how.bTiledX ? int(src.width()) : dst.width(), how.bTiledY ? int(src.height()) : dst.height());
    QImage part = data.Render(src, tile, image.nX, image.nY);
    painter.save();
    painter.setClipRect(dst, Qt::IntersectClip);
    for (int y = dst.top(); y <= dst.bottom(); y += std::max(1, tile.height()))
        for (int x = dst.left(); x <= dst.right(); x += std::max(1, tile.width()))
            painter.drawImage(QPoint(x, y), part);
    painter.restore();
}

} // namespace

CQtPainter::CQtPainter(QPainter& painter) : m_painter(painter)
{
    m_painter.setRenderHint(QPainter::Antialiasing);
    m_painter.setRenderHint(QPainter::TextAntialiasing);
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform);
}

void CQtPainter::FillRect(const RECT& rc, DWORD argb)
{
    m_painter.fillRect(ToQRect(rc), ToQColor(argb));
}

void CQtPainter::FillRoundRect(const RECT& rc, int radius, DWORD argb)
{
    if (radius <= 0) {
        FillRect(rc, argb);
        return;
    }
    QPainterPath path;
    path.addRoundedRect(ToQRect(rc), radius, radius);
    m_painter.fillPath(path, ToQColor(argb));
}

void CQtPainter::DrawRect(const RECT& rc, int width, DWORD argb, int radius)
{
    if (width <= 0)
        return;
    // The border lies inside the rectangle.
    double half = width / 2.0;
    QRectF inner = QRectF(ToQRect(rc)).adjusted(half, half, -half, -half);
    m_painter.save();
    m_painter.setPen(QPen(ToQColor(argb), width));
    m_painter.setBrush(Qt::NoBrush);
    if (radius > 0)
        m_painter.drawRoundedRect(inner, radius, radius);
    else
        m_painter.drawRect(inner);
    m_painter.restore();
}

void CQtPainter::DrawLine(POINT from, POINT to, int width, DWORD argb)
{
    m_painter.save();
    m_painter.setPen(QPen(ToQColor(argb), std::max(1, width), Qt::SolidLine, Qt::RoundCap));
    m_painter.drawLine(QPointF(from.x, from.y), QPointF(to.x, to.y));
    m_painter.restore();
}

void CQtPainter::FillEllipse(const RECT& rc, DWORD argb)
{
    m_painter.save();
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(ToQColor(argb));
    m_painter.drawEllipse(ToQRect(rc));
    m_painter.restore();
}

void CQtPainter::FillPie(const RECT& rc, float startDegrees, float sweepDegrees, DWORD argb)
{
    m_painter.save();
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(ToQColor(argb));
    // Qt turns counter-clockwise in sixteenths of a degree; the toolkit turns clockwise.
    m_painter.drawPie(ToQRect(rc), int(-startDegrees * 16), int(-sweepDegrees * 16));
    m_painter.restore();
}

void CQtPainter::FillGradient(const RECT& rc, DWORD from, DWORD to, bool vertical)
{
    QRect area = ToQRect(rc);
    QLinearGradient gradient(area.topLeft(), vertical ? area.bottomLeft() : area.topRight());
    gradient.setColorAt(0, ToQColor(from));
    gradient.setColorAt(1, ToQColor(to));
    m_painter.fillRect(area, gradient);
}

void CQtPainter::DrawText(const RECT& rc, const std::string& text, DWORD argb, const TFontInfo& font, int pixelSize,
                          UINT style)
{
    QRect area = ToQRect(rc);
    QFont qfont = ToQFont(font, pixelSize);
    QString shown = QString::fromStdString(text);
    if ((style & DT_END_ELLIPSIS) && !(style & DT_WORDBREAK))
        shown = QFontMetrics(qfont).elidedText(shown, Qt::ElideRight, area.width());
    m_painter.save();
    m_painter.setFont(qfont);
    m_painter.setPen(ToQColor(argb));
    m_painter.drawText(area, ToQtAlignment(style), shown);
    m_painter.restore();
}

void CQtPainter::DrawImage(const TImageInfo& image, const TImageDraw& how)
{
    auto* data = static_cast<const CQtImage*>(image.hostData.get());
    if (!data)
        return;
    RECT s = how.rcSource;
    if (s.left == 0 && s.top == 0 && s.right == 0 && s.bottom == 0)
        s = RECT{0, 0, image.nX, image.nY};
    s.right = std::min(s.right, image.nX);
    s.bottom = std::min(s.bottom, image.nY);
    QRectF src(s.left, s.top, s.right - s.left, s.bottom - s.top);
    QRect dst = ToQRect(how.rcDest);
    if (src.isEmpty() || dst.isEmpty())
        return;
    m_painter.save();
    m_painter.setOpacity(how.uFade / 255.0);
    const RECT& c = how.rcCorner;
    const RECT& d = how.rcCornerDest;
    bool nine = c.left || c.top || c.right || c.bottom;
    if (how.bTiledX || how.bTiledY) {
        DrawTiled(m_painter, *data, image, src, dst, how);
    } else if (!nine) {
        DrawPart(m_painter, *data, image, src, dst, how);
    } else {
        // Nine parts: corners keep their size, edges stretch one way, the middle both.
        double sx[4] = {src.left(), src.left() + c.left, src.right() - c.right, src.right()};
        double sy[4] = {src.top(), src.top() + c.top, src.bottom() - c.bottom, src.bottom()};
        int dx[4] = {dst.left(), dst.left() + d.left, dst.left() + dst.width() - d.right, dst.left() + dst.width()};
        int dy[4] = {dst.top(), dst.top() + d.top, dst.top() + dst.height() - d.bottom, dst.top() + dst.height()};
        for (int row = 0; row < 3; ++row)
            for (int col = 0; col < 3; ++col)
                DrawPart(m_painter, *data, image, QRectF(QPointF(sx[col], sy[row]), QPointF(sx[col + 1], sy[row + 1])),
                         QRect(QPoint(dx[col], dy[row]), QPoint(dx[col + 1] - 1, dy[row + 1] - 1)), how);
    }
    m_painter.restore();
}

void CQtPainter::PushClip(const RECT& rc)
{
    m_painter.save();
    m_painter.setClipRect(ToQRect(rc), Qt::IntersectClip);
}

void CQtPainter::PopClip()
{
    m_painter.restore();
}
