#include <gtest/gtest.h>

#include "app/CommandLine.h"
#include "app/GameState.h"
#include "app/ViewWindow.h"

namespace {

TEST(Shell, ResolutionSetsTheScreenTheCameraDistanceAndTheViewWindow)
{
    const struct { const char* arg; float x, y; std::vector<float> want; } rows[] = {  // screen, distance, window
        {"1280", 512, 512, {1280, 1024, 40, 472, 480, 80, 64}}, {"1024", 512, 512, {1024, 768, 32, 480, 488, 64, 48}},
        {"800", 512, 512, {800, 600, 25, 487, 494, 50, 37}},    {"640", 512, 512, {640, 480, 20, 492, 497, 40, 30}},
        {"1024", 10.5f, 3.9f, {1024, 768, 32, 0, 0, 64, 48}},   {"1024", 100.99f, 200.99f, {1024, 768, 32, 68, 176, 64, 48}},
        {"1024", 1100, 1100, {1024, 768, 32, 1068, 1076, 64, 48}}};
    for (const auto& row : rows) {
        const char* argv[] = {"flyer", "a.lvl", row.arg};
        EXPECT_TRUE(ParseCommandLine(3, const_cast<char**>(argv))) << row.arg;
        ResetGameState();
        const ViewWindow w = ComputeViewWindow(row.x, row.y, g_ScreenWidth, g_ScreenHeight);
        EXPECT_EQ(row.want, (std::vector<float>{float(g_ScreenWidth), float(g_ScreenHeight), g_CameraDistance, float(w.x0),
                                                float(w.y0), float(w.w), float(w.h)})) << row.arg << " at " << row.x << "," << row.y;
    }
}

}  // namespace
