#include "device/MouseSensor.h"

#include <algorithm>

namespace {

// Sensor 0x3104: the first two indexes are fixed values, then 50-DPI steps up to index 52 and
// 100-DPI steps from 53 on, never past 8000; its range ends 10 short of the step count.
constexpr int k3104Index0Dpi = 200;
constexpr int k3104Index1Dpi = 400;
constexpr int k3104FineLastIndex = 52;
constexpr int k3104MaxDpi = 8000;
constexpr int k3104RangeShortfall = 10;

// Sensor 0x8925: 50-DPI steps below index 100, 100-DPI steps from there; 150 positions.
constexpr int k8925FineIndexes = 100;
constexpr int k8925FineMaxDpi = 5000;
constexpr int k8925RangeMax = 149;

// Sensor 0x3325: step x index + base up to index 48, 200-DPI steps past it.
constexpr int k3325FineLastIndex = 48;
constexpr int k3325FineMaxDpi = 5000;
constexpr int k3325CoarseStep = 200;

constexpr int k3395RangeMax = 519;

} // namespace

std::optional<MouseSensor> MouseSensor::Make(uint16_t id, uint8_t step, uint16_t stepCount, uint16_t base)
{
    const bool stepDivides = id != kSensor3395 && id != kSensor8925 && id != kSensor3104;
    if (stepDivides && step == 0)
        return std::nullopt;
    if (id == kSensor3104 && stepCount <= k3104RangeShortfall)
        return std::nullopt;
    return MouseSensor(id, step, stepCount, base);
}

std::optional<MouseSensor> MouseSensor::FromInfoBlock(const MouseInfoBlock& info)
{
    return Make(info.sensorId, info.dpiStep, info.dpiStepCount, info.dpiBase);
}

int MouseSensor::IndexToDpi(int index) const
{
    switch (m_id) {
    case kSensor3395:
        return 50 * index + 50;
    case kSensor8925:
        return index < k8925FineIndexes ? 50 * index + 50 : 100 * index - 4900;
    case kSensor3104:
        return IndexToDpi3104(index);
    case kSensor3325:
        if (index > k3325FineLastIndex)
            return k3325FineLastIndex * m_step + m_base + k3325CoarseStep * (index - k3325FineLastIndex);
        return m_step * index + m_base;
    default:
        return m_step * index + m_base;
    }
}

int MouseSensor::DpiToIndex(int value) const
{
    const int v = std::clamp(value, kMinTypedDpi, kMaxTypedDpi);
    int index = 0;
    switch (m_id) {
    case kSensor3395:
        index = (v - 50) / 50;
        break;
    case kSensor8925:
        index = v <= k8925FineMaxDpi ? (v - 50) / 50 : (v / 2 - 50) / 50 + 50;
        break;
    case kSensor3104:
        index = DpiToIndex3104(v);
        break;
    case kSensor3325:
        if (v > k3325FineMaxDpi)
            index = (v - m_base - k3325FineMaxDpi) / k3325CoarseStep + k3325FineLastIndex;
        else
            index = (v - m_base) / m_step;
        break;
    default:
        index = (v - m_base) / m_step;
        break;
    }
    const std::optional<DpiSliderRange> range = SliderRange();
    return std::clamp(index, 0, range ? range->max : std::max(index, 0));
}

int MouseSensor::IndexToDpi3104(int index) const
{
    if (index <= 0)
        return k3104Index0Dpi;
    if (index == 1)
        return k3104Index1Dpi;
    const int value = index <= k3104FineLastIndex ? 50 * index + 300 : 100 * index - 2400;
    return std::min(value, k3104MaxDpi);
}

int MouseSensor::DpiToIndex3104(int value) const
{
    // Each direction has its own formula; around 2600-3000 the two do not invert each other.
    if (value <= 350)
        return 0;
    if (value < 450)
        return 1;
    if (value <= 2600)
        return (value - 400) / 50 + 2;
    return (value - 3000) / 100 + 54;
}

std::optional<DpiSliderRange> MouseSensor::SliderRange() const
{
    switch (m_id) {
    case kSensor3395:
        return DpiSliderRange{0, k3395RangeMax};
    case kSensor8925:
        return DpiSliderRange{0, k8925RangeMax};
    case kSensor3104:
        return DpiSliderRange{0, m_stepCount - k3104RangeShortfall};
    default:
        return std::nullopt;
    }
}

MouseSensor MouseSensor::WithStageLayoutOf(uint16_t sensorId) const
{
    MouseSensor sensor = *this;
    sensor.m_stageLayoutId = sensorId;
    return sensor;
}

int MouseSensor::StageIndex(const DpiStage& stage) const
{
    return m_stageLayoutId == kSensor8925 ? (stage.dpiX & 0xFF) : stage.dpiX;
}

void MouseSensor::StoreIndex(DpiStage& stage, int index) const
{
    const auto low = static_cast<uint8_t>(index);
    stage.dpiX = m_stageLayoutId == kSensor8925 ? static_cast<uint16_t>(low | low << 8) : static_cast<uint16_t>(index);
}
