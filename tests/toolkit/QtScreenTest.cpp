// Input records give the pointer in the display's device pixels; windows are placed in Qt's
// scaled screen coordinates. The host turns the one into the other, so a click lands on the
// control it was aimed at at any scale.

#include "support/TempFolder.h"
#include "toolkit/qt/QtHost.h"

#include <gtest/gtest.h>

namespace {

TEST(QtHostScreen, DevicePixelsBecomeTheCoordinatesOfWindowRectangles)
{
    struct Case {
        const char* scale;
        POINT device;
        POINT screen;
    };
    // The offscreen screen is 800 x 600 device pixels.
    const Case cases[] = {{"1", {700, 500}, {700, 500}}, {"2", {700, 500}, {350, 250}}, {"1.5", {300, 150}, {200, 100}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.scale);
        testsupport::ScopedEnv scale("QT_SCALE_FACTOR", c.scale);
        int argc = 1;
        char name[] = "test";
        char* argv[] = {name, nullptr};
        CQtHost host(argc, argv);
        const POINT screen = host.ScreenPointFromDevicePixels(c.device);
        EXPECT_EQ(screen.x, c.screen.x);
        EXPECT_EQ(screen.y, c.screen.y);
    }
}

} // namespace
