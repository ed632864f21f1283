#include "hid/HidPaths.h"

#include <gtest/gtest.h>

namespace {

TEST(HidPaths, ParsePathNumberFindsTokensInAnyCase)
{
    const struct {
        const char* path;
        const char* token;
        uint16_t expected;
    } cases[] = {
        {"sim:1#vid_320f&pid_22a4&mi_01&col04", "&mi_", 1},
        {"sim:1#vid_320f&pid_22a4&mi_01&col04", "&col", 4},
        {"sim:1#VID_320F&PID_22A4&MI_01&COL04", "vid_", 0x320F},
        {"sim:1#VID_320F&PID_22A4&MI_01&COL04", "&col", 4},
        {"sim:1#vid_320f&pid_22a4&mi_01", "&col", 0},
        {"sim:1#vid_0c76&pid_1630&mi_03", "pid_", 0x1630},
        {"sim:1#vid_&pid_", "vid_", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParsePathNumber(c.path, c.token), c.expected) << c.path << " " << c.token;
}

TEST(HidPaths, MakeInterfacePathWritesTokensAsWindowsDoes)
{
    EXPECT_EQ(MakeInterfacePath("hidraw:/dev/hidraw3", 0x320F, 0x22A4, 1, 2),
              "hidraw:/dev/hidraw3#vid_320f&pid_22a4&mi_01&col02");
    EXPECT_EQ(MakeInterfacePath("sim:7", 0x0C76, 0x1630, 3, 0), "sim:7#vid_0c76&pid_1630&mi_03");
    EXPECT_EQ(MakeInterfacePath("sim:7", 0x1234, 0x0001, -1, 0), "sim:7#vid_1234&pid_0001");
    EXPECT_EQ(PathNode("hidraw:/dev/hidraw3#vid_320f&pid_22a4&mi_01&col02"), "hidraw:/dev/hidraw3");
}

} // namespace
