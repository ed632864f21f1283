#pragma once

#include "toolkit/ProgressUI.h"

// Progress shown as a ring: the background colour as a full disc, the value as a pie in the
// fore colour starting at the bottom, and a white disc 10 px inside that leaves a ring.
class CCircleProgressUI : public CProgressUI {
public:
    const char* GetClass() const override;
    void* GetInterface(std::string_view name) override;
    // The pie's sweep in whole degrees: value / (max - min) * 360, truncated; 0 for an empty range.
    int SweepDegrees() const;
    void PaintBkColor(HDC hDC) override;
    void PaintStatusImage(HDC hDC) override;
};
