#pragma once

#include "device/MouseWireRecords.h"

#include <cstdint>
#include <optional>

// The span of a "DPI_slider_" control for a sensor.
struct DpiSliderRange {
    int min = 0;
    int max = 0;
    bool operator==(const DpiSliderRange&) const = default;
};

// How a mouse sensor turns a slider position (a resolution index) into the DPI value shown and
// back. Sensors 0x3395, 0x8925, 0x3104 and 0x3325 have rules of their own; every other sensor
// counts step x index + base with the step and base of the information block. Divisions
// truncate toward zero.
class MouseSensor {
public:
    static constexpr uint16_t kSensor3395 = 0x3395;
    static constexpr uint16_t kSensor8925 = 0x8925;
    static constexpr uint16_t kSensor3104 = 0x3104;
    static constexpr uint16_t kSensor3325 = 0x3325;
    // What the value edit boxes take; a typed value below the minimum counts as the minimum.
    static constexpr int kMinTypedDpi = 50;
    static constexpr int kMaxTypedDpi = 10000;

    // The mouse's own sensor, 0x3395, until a device names another.
    MouseSensor() = default;
    // The rule for a sensor; nothing when the numbers make no usable rule (a step of 0 where the
    // step divides, fewer than 11 steps for 0x3104).
    static std::optional<MouseSensor> Make(uint16_t id, uint8_t step, uint16_t stepCount, uint16_t base);
    static std::optional<MouseSensor> FromInfoBlock(const MouseInfoBlock& info);

    uint16_t Id() const { return m_id; }
    // The DPI value of a slider index.
    int IndexToDpi(int index) const;
    // The slider index of a typed value (raised to 50, at most 10000), at least 0 and within
    // the slider range when the sensor has one.
    int DpiToIndex(int value) const;
    // The slider range; nothing for sensors whose range the page file sets.
    std::optional<DpiSliderRange> SliderRange() const;

    // This rule's conversions with the stage bytes of another sensor: a device whose sensor has
    // no usable rule keeps the last rule for its values, but its stages are laid out as its own
    // sensor's are.
    MouseSensor WithStageLayoutOf(uint16_t sensorId) const;

    // The index a stage holds: byte 2 alone for 0x8925, bytes 2-3 for the others.
    int StageIndex(const DpiStage& stage) const;
    // Stores an index in a stage: 0x8925 puts its low 8 bits in bytes 2 and 3, the others put
    // the index in bytes 2-3.
    void StoreIndex(DpiStage& stage, int index) const;

private:
    MouseSensor(uint16_t id, uint8_t step, uint16_t stepCount, uint16_t base)
        : m_id(id), m_stageLayoutId(id), m_step(step), m_stepCount(stepCount), m_base(base)
    {
    }

    int IndexToDpi3104(int index) const;
    int DpiToIndex3104(int value) const;

    uint16_t m_id = kSensor3395;
    uint16_t m_stageLayoutId = kSensor3395; // the sensor whose stage bytes StoreIndex writes
    int m_step = 50;
    int m_stepCount = 520;
    int m_base = 50;
};
