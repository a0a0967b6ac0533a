#include "play/play.h"

#include <gtest/gtest.h>

// 10^8 frames, about three weeks of spinning at 60 frames a second.
TEST(ViewSpin, AfterAHundredMillionFramesStaysBelow360AndTurnsAtItsSpeed)
{
    viewAngleX = viewAngleY = 0.0f;
    for (int i = 0; i < 100000000; i++)
        spinView();
    EXPECT_GE(viewAngleY, 0.0f);
    EXPECT_LT(viewAngleY, 360.0f);
    EXPECT_GE(viewAngleX, 0.0f);
    EXPECT_LT(viewAngleX, 360.0f);

    // 72000 more frames of 0.05 degrees are ten whole turns about each axis.
    int wrapsY = 0, wrapsX = 0;
    for (int i = 0; i < 72000; i++) {
        const float y = viewAngleY, x = viewAngleX;
        spinView();
        wrapsY += viewAngleY < y;
        wrapsX += viewAngleX < x;
        ASSERT_NE(viewAngleY, y) << "stopped after " << i << " more frames";
    }
    EXPECT_NEAR(wrapsY, 10, 1);
    EXPECT_NEAR(wrapsX, 10, 1);
}
