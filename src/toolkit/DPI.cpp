#include "toolkit/DPI.h"

#include <cmath>

void CDPI::SetDPI(int dpi)
{
    if (dpi > 0)
        m_dpi = dpi;
}

int CDPI::Scale(int value) const
{
    return int(std::lround(double(value) * m_dpi / 96.0));
}

RECT CDPI::Scale(RECT rc) const
{
    return RECT{Scale(rc.left), Scale(rc.top), Scale(rc.right), Scale(rc.bottom)};
}

SIZE CDPI::Scale(SIZE size) const
{
    return SIZE{Scale(size.cx), Scale(size.cy)};
}

POINT CDPI::Scale(POINT pt) const
{
    return POINT{Scale(pt.x), Scale(pt.y)};
}

int CDPI::ScaleBack(int value) const
{
    return int(std::lround(double(value) * 96.0 / m_dpi));
}
