#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "app/FrameClock.h"
#include "app/ViewWindow.h"

namespace {

void ExpectWindow(ViewWindow w, uint32_t x0, uint32_t y0, uint32_t width, uint32_t height)
{
    EXPECT_EQ(x0, w.x0);
    EXPECT_EQ(y0, w.y0);
    EXPECT_EQ(width, w.w);
    EXPECT_EQ(height, w.h);
}

TEST(ViewWindow, ExtentPerResolution)
{
    ExpectWindow(ComputeViewWindow(512.0f, 512.0f, 1280, 1024), 472, 480, 80, 64);
    ExpectWindow(ComputeViewWindow(512.0f, 512.0f, 1024, 768), 480, 488, 64, 48);
    ExpectWindow(ComputeViewWindow(512.0f, 512.0f, 800, 600), 487, 494, 50, 37);
    ExpectWindow(ComputeViewWindow(512.0f, 512.0f, 640, 480), 492, 497, 40, 30);
}

TEST(ViewWindow, TruncatesTheShipAndClampsAtZero)
{
    ExpectWindow(ComputeViewWindow(10.5f, 3.9f, 1024, 768), 0, 0, 64, 48);
    ExpectWindow(ComputeViewWindow(100.99f, 200.99f, 1024, 768), 68, 176, 64, 48);
    // Toward zero, not down: -0.5 is row 0, so 0 - 24 clamps to 0.
    ExpectWindow(ComputeViewWindow(-0.5f, -0.5f, 1024, 768), 0, 0, 64, 48);
    // No upper clamp: the map skips cells beyond its edge.
    ExpectWindow(ComputeViewWindow(1100.0f, 1100.0f, 1024, 768), 1068, 1076, 64, 48);
}

TEST(ViewWindow, ShipFarOutsideTheIntRangeStaysDefined)
{
    const float inf = std::numeric_limits<float>::infinity();
    ExpectWindow(ComputeViewWindow(-inf, std::nanf(""), 1024, 768), 0, 0, 64, 48);
    const ViewWindow far = ComputeViewWindow(1e20f, 1e20f, 1024, 768);
    EXPECT_EQ(2147483647u - 32, far.x0);
    EXPECT_EQ(2147483647u - 24, far.y0);
}

TEST(FrameClock, ElapsedIsRightAcrossTheTickCounterWrap)
{
    EXPECT_EQ(16u, ElapsedMs(100, 116));
    EXPECT_EQ(0u, ElapsedMs(5, 5));
    EXPECT_EQ(21u, ElapsedMs(0xFFFFFFF0u, 5));
    EXPECT_EQ(1u, ElapsedMs(0xFFFFFFFFu, 0));
}

}  // namespace
