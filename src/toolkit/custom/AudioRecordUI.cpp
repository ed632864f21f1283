#include "toolkit/custom/AudioRecordUI.h"

#include <algorithm>

CAudioRecordUI::CAudioRecordUI()
{
    for (int i = 0; i < 256; ++i)
        m_samples[size_t(i)] = i;
}

const char* CAudioRecordUI::GetClass() const
{
    return "AudioRecord";
}

void* CAudioRecordUI::GetInterface(std::string_view name)
{
    return name == "AudioRecord" ? this : CLabelUI::GetInterface(name);
}

void CAudioRecordUI::SetSamples(const int32_t* samples, int count)
{
    std::copy_n(samples, std::clamp(count, 0, kSampleCount), m_samples.begin());
    Invalidate();
}

void CAudioRecordUI::PaintBkColor(HDC hDC)
{
    hDC->FillRect(m_rcItem, GetAdjustColor(0xFFFFFFFF));
    int width = GetWidth();
    int height = GetHeight();
    for (int i = 0; i < kSampleCount && 2 * i < width; ++i) {
        int x = 2 * i;
        int h = int(int64_t(m_samples[size_t(i)]) * height / kFullScale);
        RECT bar{m_rcItem.left + x, m_rcItem.top + height - h, m_rcItem.left + x + 1, m_rcItem.bottom - 1};
        if (bar.top < bar.bottom)
            hDC->FillRect(bar, GetAdjustColor(0xFF000000));
    }
}
