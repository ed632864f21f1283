#!/usr/bin/env python3
"""Writes the product's default data files into data/DefaultData.

The files ship with the program: the default profile of each family ("mouse.Json",
"keyboard.Json", "MousePad.Json", "HD.Json"), the light mode names ("default_light.json"), the
audio-lighting styles ("AudioFile.json"), the colour picker's swatches
("color_option_info.config") and the four recoil patterns ("ShootData_0.Shoot" to
"ShootData_3.Shoot"). Run it from the repository root after changing a value here; the output is
JSON in the program's own layout (three-space indentation, one line end).
"""

import json
import math
import os

OUT = os.path.join(os.path.dirname(__file__), "..", "data", "DefaultData")


def write(name, document):
    with open(os.path.join(OUT, name), "w", encoding="utf-8", newline="\n") as f:
        f.write(json.dumps(document, indent=3, ensure_ascii=False) + "\n")


def packed(type_, high, low):
    return type_ << 16 | high << 8 | low


def key_list(functions):
    return [{"Assignment": f, "DefaultAssignment": f} for f in functions]


def light_info(mode, brightness, speed, direction, multi, rgb):
    return {"SelectItem": mode, "Light": brightness, "Speed": speed, "Fx": direction, "MultiColor": multi,
            "Red": rgb[0], "Green": rgb[1], "Blue": rgb[2], "ZZCCLedMode": 0, "CustomGroup": 0, "OldLedmode": mode}


def audio_light_info(mode=0, back=(0, 0, 0), fore=(0, 255, 180), seven=1):
    return {"AudioMode": mode, "BkColorR": back[0], "BkColorG": back[1], "BkColorB": back[2],
            "FgColorR": fore[0], "FgColorG": fore[1], "FgColorB": fore[2], "7ColorFlags": seven,
            "ColorTypeFlags": 1}


def profile(node):
    return {"Device": [node], "profilename": "Default", "profileUUID": ""}


# The mouse's eleven buttons at their factory functions, in button order: left, right, middle,
# forward, back, DPI up, DPI down, DPI cycle, game mode, M8 and fire.
MOUSE_BUTTONS = [packed(0x10, 0x01, 0), packed(0x10, 0x02, 0), packed(0x10, 0x04, 0), packed(0x10, 0x10, 0),
                 packed(0x10, 0x08, 0), packed(0x13, 0x01, 0), packed(0x13, 0x02, 0), packed(0x13, 0x03, 0),
                 packed(0xA0, 0x1B, 0), packed(0x16, 0x90, 0x01), packed(0x14, 0x78, 0x02)]

# Seven stages, 400 to 16000 DPI, as resolution indexes of the 0x3395 sensor (DPI = 50 * index + 50),
# each with its own colour: red, orange, yellow, green, cyan, blue, violet.
DPI_VALUES = [400, 800, 1600, 3200, 6400, 12000, 16000]
DPI_COLOURS = [(255, 0, 0), (255, 128, 0), (255, 230, 0), (0, 255, 60), (0, 220, 255), (0, 60, 255), (200, 0, 255)]


def mouse_profile():
    stages = []
    for dpi, (r, g, b) in zip(DPI_VALUES, DPI_COLOURS):
        index = (dpi - 50) // 50
        stages.append({"StageActive": 1, "StageXY": 0, "StageDPIX": index, "StageDPIY": index,
                       "StageColorR": r, "StageColorG": g, "StageColorB": b})
    return profile({
        # A multicolour wave (mode 2) at full brightness, moving forwards.
        "LightInfo": light_info(2, 4, 3, 1, 1, (0, 200, 255)),
        "AudioLightInfo": audio_light_info(),
        "LightList": [],
        "KeyList": key_list(MOUSE_BUTTONS),
        "DPIStages": {"StageActive": 2, "StageDPIs": stages},
        "SystemStages": {"DoubleClickTime": 500, "MouseSpeed": 10, "PointerPrecision": 1, "ScorllPage": 0,
                         "WheelScorlllinse": 3, "Logoledmode": 0},
        "ReportStages": {"StageActive": 3, "SilentAltitude": 0, "Linear_Calibration": 0, "Ripple": 0,
                         "ble_sleep1": 1, "ble_sleep2": 10, "device_sleep1": 1, "device_sleep2": 10,
                         "key_debounce_time": 2},
    })


def keyboard_factory_codes():
    def key(u):
        return packed(0x20, 0, u)

    empty = packed(0x20, 0, 0)
    codes = [key(0x29)] + [key(u) for u in range(0x3A, 0x49)]
    codes += [packed(0xA0, 0x1B, 0), packed(0xA0, 0x24, 0), empty, empty, empty, key(0x35)]
    codes += [key(u) for u in range(0x1E, 0x28)]
    codes += [key(u) for u in (0x2D, 0x2E, 0x2A, 0x49, 0x4A, 0x4B, 0x53, 0x54, 0x55, 0x56)]
    codes += [key(u) for u in (0x2B, 0x14, 0x1A, 0x08, 0x15, 0x17, 0x1C, 0x18, 0x0C, 0x12, 0x13, 0x2F, 0x30,
                               0x31, 0x4C, 0x4D, 0x4E, 0x5F, 0x60, 0x61)]
    codes += [key(u) for u in (0x32, 0x39, 0x04, 0x16, 0x07, 0x09, 0x0A, 0x0B, 0x0D, 0x0E, 0x0F, 0x33, 0x34,
                               0x28, 0x5C, 0x5D, 0x5E, 0x8A, 0x8B, 0x90, 0x91, 0x88)]
    codes += [packed(0x20, 0x02, 0)]
    codes += [key(u) for u in (0x1D, 0x1B, 0x06, 0x19, 0x05, 0x11, 0x10, 0x36, 0x37, 0x38)]
    codes += [packed(0x20, 0x20, 0)]
    codes += [key(u) for u in (0x52, 0x59, 0x5A, 0x5B, 0x87, 0x89, 0x64, 0x85)]
    codes += [empty, packed(0x20, 0x01, 0), packed(0x20, 0x08, 0), packed(0x20, 0x04, 0), key(0x2C),
              packed(0x20, 0x40, 0), packed(0xA0, 0x01, 0), key(0x65), packed(0x20, 0x10, 0)]
    codes += [key(u) for u in (0x50, 0x51, 0x4F, 0x62, 0x63, 0x58, 0x57)]
    codes += [packed(0xD0, 0xA2, n) for n in range(1, 6)]
    codes += [packed(0x20, 0x80, 0)]
    codes += [empty] * (170 - len(codes))
    assert len(codes) == 170
    return codes


def keyboard_profile():
    return profile({
        # A serpentine wave (mode 3) in full colour.
        "LightInfo": light_info(3, 4, 3, 1, 1, (0, 200, 255)),
        "AudioLightInfo": audio_light_info(),
        "LightList": [],
        "KeyList": key_list(keyboard_factory_codes()),
    })


def pad_profile():
    # Mouse pad and headset: a multicolour wave (mode 0).
    return profile({
        "LightInfo": light_info(0, 4, 3, 1, 1, (0, 200, 255)),
        "AudioLightInfo": audio_light_info(),
        "LightList": [],
        "KeyList": [],
    })


def mode_list(names, hidden=()):
    return [{"LightName": "light_mode_" + name, "visible": i not in hidden, "value": i}
            for i, name in enumerate(names)]


def default_light():
    keyboard = ["custom", "column_wave", "narrow_wave", "serpentine_wave", "spectrum", "breathing", "static",
                "reactive", "ripple", "row_ripple", "sparkle", "key_spectrum", "row_wave", "centre_pulse",
                "script", "flash", "corner_pulse", "preset_colour", "diagonal_wave", "custom_play",
                "custom_colours", "travelling_point", "flash_fade", "blink", "sweep", "splash",
                "breathing_four", "blink_four", "off", "audio_styles", "audio_colour"]
    mouse = ["static", "breathing", "wave", "spectrum", "ring_ripple", "breathing_four", "blink", "reactive",
             "blink_four", "custom_play", "off", "custom"]
    pad = ["wave", "spectrum", "breathing", "static", "blink", "custom_play", "ripple", "zone_ripple", "off"]
    return {
        # Indexed by the family light index: keyboard 0, mouse 1, mouse pad 2, headset 3.
        "DefaultLightName": [mode_list(keyboard, hidden=(0, 19)), mode_list(mouse, hidden=(9, 11)),
                             mode_list(pad, hidden=(5,)), mode_list(pad, hidden=(5,))],
        "AreaLightName": [[], [{"LightName": "light_area_" + n} for n in ("front", "logo", "side")], [], []],
    }


def audio_file():
    names = ["Neon", "Ocean", "Ember", "Frost"]
    colours = [(9, 0, 9), (0, 4, 9), (9, 3, 0), (5, 9, 9)]  # levels 0..9
    info = {"nAudioStyle": 0}
    for i, name in enumerate(names):
        info["nStyleName%d" % (i + 1)] = name
    for i, (r, g, b) in enumerate(colours):
        info["nStyleR%d" % i], info["nStyleG%d" % i], info["nStyleB%d" % i] = r, g, b
    return {"Device": {"AudioLightInfo": info}}


def colour_options():
    presets = [0xFFFF0000, 0xFFFF5000, 0xFFFF9900, 0xFFFFD000, 0xFFFFFF00, 0xFFB0FF00, 0xFF40FF00, 0xFF00FF60,
               0xFF00FFB4, 0xFF00FFFF, 0xFF00B4FF, 0xFF0060FF, 0xFF0000FF, 0xFF6000FF, 0xFFA000FF, 0xFFFF00FF,
               0xFFFF0090, 0xFFFF6080, 0xFFFFFFFF, 0xFF808080]
    return {"coloroptioninfo": {
        "palletDialogcoloroption": [{"color": "%08X" % c} for c in presets],
        "palletDialogcoloroption_selectitem": 4,
        "palletDialogcollectcoloroption": [{"color": "FFFFFFFF", "UserData": ""} for _ in range(20)],
        "palletDialogcollectcoloroption_selectitem": 0,
    }}


def shot_events(x, y, pause):
    """The six events of one shot: click, release, then the pull left/right and up/down."""
    horizontal = "down" if x < 0 else "up"  # down moves left
    vertical = "down" if y < 0 else "up"    # down moves up; recoil is pulled down
    return [
        {"Type": 1, "Button": 1, "Action": "down", "Delay": 10},
        {"Type": 1, "Button": 1, "Action": "up", "Delay": 0},
        {"Type": 4, "Button": abs(x), "Action": horizontal, "Delay": 5},
        {"Type": 5, "Button": abs(y), "Action": vertical, "Delay": pause},
        {"Type": 4, "Button": 0, "Action": horizontal, "Delay": 0},
        {"Type": 5, "Button": 0, "Action": vertical, "Delay": 0},
    ]


# Four guns: (rounds per minute, first vertical kick, settled kick, sideways sway, sway period).
GUNS = [(600, 9, 4, 3, 9.0), (900, 6, 3, 2, 6.0), (750, 8, 5, 4, 12.0), (400, 14, 10, 2, 30.0)]


def shoot_pattern(gun):
    rpm, first, settled, sway, period = GUNS[gun]
    interval = round(60000 / rpm)
    events = []
    for shot in range(30):
        # The kick is strongest in the first shots and settles; the sideways drift swings slowly.
        y = round(settled + (first - settled) * math.exp(-shot / 5))
        x = round(sway * math.sin(2 * math.pi * shot / period + gun))
        events += shot_events(x, y, interval - 15)
    return {"Events": events}


def main():
    os.makedirs(OUT, exist_ok=True)
    write("mouse.Json", mouse_profile())
    write("keyboard.Json", keyboard_profile())
    write("MousePad.Json", pad_profile())
    write("HD.Json", pad_profile())
    write("default_light.json", default_light())
    write("AudioFile.json", audio_file())
    write("color_option_info.config", colour_options())
    for gun in range(4):
        write("ShootData_%d.Shoot" % gun, shoot_pattern(gun))


if __name__ == "__main__":
    main()
