#pragma once

#include "toolkit/UIDefs.h"

// A window's DPI and the scaling of skin units (pixels at 96 DPI) to device pixels.
class CDPI {
public:
    int GetDPI() const { return m_dpi; }
    // Percent of 96 DPI: 100 at 96, 150 at 144.
    int GetScale() const { return m_dpi * 100 / 96; }
    // Values below 1 are ignored.
    void SetDPI(int dpi);
    int Scale(int value) const;
    RECT Scale(RECT rc) const;
    SIZE Scale(SIZE size) const;
    POINT Scale(POINT pt) const;
    int ScaleBack(int value) const;

private:
    int m_dpi = 96;
};
