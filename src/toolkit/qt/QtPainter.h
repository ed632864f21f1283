#pragma once

#include "toolkit/Painter.h"

class QPainter;

// The toolkit's painter on a QPainter: antialiased shapes, text in pixel-sized fonts and
// pictures (SVG rendered at the size it is drawn, so any DPI stays sharp).
class CQtPainter : public IPainter {
public:
    explicit CQtPainter(QPainter& painter);

    void FillRect(const RECT& rc, DWORD argb) override;
    void FillRoundRect(const RECT& rc, int radius, DWORD argb) override;
    void DrawRect(const RECT& rc, int width, DWORD argb, int radius = 0) override;
    void DrawLine(POINT from, POINT to, int width, DWORD argb) override;
    void FillEllipse(const RECT& rc, DWORD argb) override;
    void FillPie(const RECT& rc, float startDegrees, float sweepDegrees, DWORD argb) override;
    void FillGradient(const RECT& rc, DWORD from, DWORD to, bool vertical) override;
    void DrawText(const RECT& rc, const std::string& text, DWORD argb, const TFontInfo& font, int pixelSize,
                  UINT style) override;
    void DrawImage(const TImageInfo& image, const TImageDraw& how) override;
    void PushClip(const RECT& rc) override;
    void PopClip() override;

private:
    QPainter& m_painter;
};
