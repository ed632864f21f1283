#pragma once

#include "toolkit/LabelUI.h"

#include <array>
#include <cstdint>

// A bar display of 500 samples on white: one black bar every two pixels, a full-scale sample
// (8192) reaching from the top to one pixel above the bottom.
class CAudioRecordUI : public CLabelUI {
public:
    static constexpr int kSampleCount = 500;
    static constexpr int kFullScale = 8192;

    CAudioRecordUI();
    const char* GetClass() const override;
    void* GetInterface(std::string_view name) override;
    // Copies up to 500 samples from the start; the rest keep their values.
    void SetSamples(const int32_t* samples, int count);
    int32_t GetSample(int index) const { return m_samples.at(size_t(index)); }

    void PaintBkColor(HDC hDC) override;
    void PaintStatusImage(HDC) override {}

private:
    std::array<int32_t, kSampleCount> m_samples{};
};
