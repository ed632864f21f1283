#pragma once

#include <cstdint>

// Records that a profile object exchanges with its device model. Every field is an unsigned
// byte unless noted; the JSON key each field is stored under is named beside it.

// The lighting settings of a device node's "LightInfo".
struct LightInfo {
    uint8_t selectItem = 0;    // "SelectItem": mode number, or custom-effect index
    uint8_t brightness = 0;    // "Light": 0..4
    uint8_t speed = 0;         // "Speed": 0..4
    uint8_t direction = 0;     // "Fx": direction or variant of the effect
    uint8_t multiColor = 0;    // "MultiColor": 0 or 1
    uint8_t red = 0;           // "Red"
    uint8_t green = 0;         // "Green"
    uint8_t blue = 0;          // "Blue"
    uint8_t deviceBytes[3] {}; // held by the device model, never stored (0 after every load)
    uint8_t zzccMode = 0;      // "ZZCCLedMode"
    uint8_t customGroup = 0;   // "CustomGroup"
    uint8_t oldLedMode = 0;    // "OldLedmode": the previous mode
};

// The audio-reactive lighting settings of "AudioLightInfo" (keyboards only).
struct AudioLightInfo {
    uint8_t audioMode = 0;      // "AudioMode"
    uint8_t backRed = 0;        // "BkColorR"
    uint8_t backGreen = 0;      // "BkColorG"
    uint8_t backBlue = 0;       // "BkColorB"
    uint8_t foreRed = 0;        // "FgColorR"
    uint8_t foreGreen = 0;      // "FgColorG"
    uint8_t foreBlue = 0;       // "FgColorB"
    uint8_t sevenColorFlag = 0; // "7ColorFlags": 0 or 1
    uint8_t colorTypeFlag = 0;  // "ColorTypeFlags": 1 = the foreground colour is edited
};

// One light's own effect, an element of "LightList".
struct LightListEntry {
    uint8_t mode = 0;        // "LEDREGMode"
    uint8_t brightness = 0;  // "LEDBrightness"
    uint8_t speed = 0;       // "LEDSpeed"
    uint8_t direction = 0;   // "LEDDirection": 0 or 1
    uint8_t multiColor = 0;  // "LEDMultiColor": 0 or 1
    uint8_t red = 0;         // "red"
    uint8_t green = 0;       // "green"
    uint8_t blue = 0;        // "blue"
    uint8_t reserved[2] {};  // left 0
    uint8_t valid = 0;       // 1 when the array element was present, 0 when it was null
    uint8_t reserved2[3] {}; // left 0
};

// One frame of a custom light effect, an element of a ".light" file's "LEDEffectList".
struct LightEffectStep {
    uint8_t mode = 0;       // "LEDREGMode"
    uint8_t brightness = 0; // "LEDBrightness"
    uint8_t speed = 0;      // "LEDSpeed"
    uint8_t direction = 0;  // "LEDDirection"
    uint8_t multiColor = 0; // "LEDMultiColor"
    uint8_t red = 0;        // "red"
    uint8_t green = 0;      // "green"
    uint8_t blue = 0;       // "blue"
    uint8_t reserved[8] {}; // left 0
    int32_t time = 0;       // "Time": milliseconds the frame lasts
    int32_t cycles = 0;     // "Cyle": cycle count
};

// The three bytes of a key or button function as the firmware executes them. In JSON one
// integer: type * 65536 + high * 256 + low.
struct KeyFunction {
    uint8_t type = 0; // function family: 0x10 mouse button, 0x13 DPI action, 0x20 keyboard key, ...
    uint8_t high = 0; // first parameter of the family
    uint8_t low = 0;  // second parameter of the family

    static constexpr int kMaxPacked = 0xFFFFFF;
    static KeyFunction FromPacked(int packed)
    {
        return {static_cast<uint8_t>(packed >> 16), static_cast<uint8_t>(packed >> 8), static_cast<uint8_t>(packed)};
    }
    int Packed() const { return type << 16 | high << 8 | low; }
    bool operator==(const KeyFunction&) const = default;
};

// One element of "KeyList": the key's current function ("Assignment") and its factory
// function ("DefaultAssignment"); both halves carry the element's position as key index.
struct KeyAssignment {
    struct Half {
        uint16_t keyIndex = 0;
        KeyFunction function;
        bool operator==(const Half&) const = default;
    };
    Half current;
    Half defaults;
    bool operator==(const KeyAssignment&) const = default;
};

#pragma pack(push, 1)
// One sensitivity stage, also the nine bytes of a stage in the mouse's settings record.
struct DpiStage {
    uint8_t enabled = 0;  // "StageActive": 0 or 1
    uint8_t xyMode = 0;   // "StageXY": 1 = separate X and Y resolution
    uint16_t dpiX = 0;    // "StageDPIX": resolution index of X, little-endian on the wire
    uint16_t dpiY = 0;    // "StageDPIY": resolution index of Y
    uint8_t red = 0;      // "StageColorR"
    uint8_t green = 0;    // "StageColorG"
    uint8_t blue = 0;     // "StageColorB"
    bool operator==(const DpiStage&) const = default;
};
#pragma pack(pop)
static_assert(sizeof(DpiStage) == 9);

// The mouse's system settings: sixteen 16-bit words, passed to the device model as eight
// 32-bit values with word 0 in the low half of the first.
struct MouseSystemSettings {
    enum Word {
        DoubleClickTime = 0,   // "SystemStages"."DoubleClickTime"
        MouseSpeed = 1,        // "SystemStages"."MouseSpeed"
        PointerPrecision = 2,  // "SystemStages"."PointerPrecision"
        ScrollPage = 3,        // "SystemStages"."ScorllPage"
        WheelScrollLines = 4,  // "SystemStages"."WheelScorlllinse"
        ReportRate = 5,        // "ReportStages"."StageActive"
        SilentAltitude = 6,    // "ReportStages"."SilentAltitude": lift-off choice
        LinearCalibration = 7, // "ReportStages"."Linear_Calibration"
        Ripple = 8,            // "ReportStages"."Ripple"
        Unused = 9,            // always 0
        BleSleep1 = 10,        // "ReportStages"."ble_sleep1"
        BleSleep2 = 11,        // "ReportStages"."ble_sleep2"
        DeviceSleep1 = 12,     // "ReportStages"."device_sleep1": minutes
        DeviceSleep2 = 13,     // "ReportStages"."device_sleep2": minutes
        KeyDebounceTime = 14,  // "ReportStages"."key_debounce_time": choice index
        LogoLedMode = 15,      // "SystemStages"."Logoledmode"
        Count = 16
    };
    uint16_t words[Count] {};
    bool operator==(const MouseSystemSettings&) const = default;
};
static_assert(sizeof(MouseSystemSettings) == 32);
