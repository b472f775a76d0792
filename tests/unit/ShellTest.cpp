#include <gtest/gtest.h>

#include "app/CommandLine.h"
#include "app/GameState.h"
#include "app/ViewWindow.h"

namespace {

TEST(Shell, ResolutionSetsTheScreenCameraDistanceAndViewWindow)
{
    const struct { const char* arg; int32_t w, h; float distance; ViewWindow at512; } rows[] = {
        {"1280", 1280, 1024, 40, {472, 480, 80, 64}}, {"1024", 1024, 768, 32, {480, 488, 64, 48}},
        {"800", 800, 600, 25, {487, 494, 50, 37}},    {"640", 640, 480, 20, {492, 497, 40, 30}}};
    for (const auto& row : rows) {
        const char* argv[] = {"flyer", "a.lvl", row.arg};
        EXPECT_TRUE(ParseCommandLine(3, const_cast<char**>(argv))) << row.arg;
        ResetGameState();
        const ViewWindow got = ComputeViewWindow(512, 512, g_ScreenWidth, g_ScreenHeight);
        EXPECT_EQ((std::vector<float>{float(row.w), float(row.h), row.distance}),
                  (std::vector<float>{float(g_ScreenWidth), float(g_ScreenHeight), g_CameraDistance})) << row.arg;
        EXPECT_EQ((std::vector<uint32_t>{row.at512.x0, row.at512.y0, row.at512.w, row.at512.h}),
                  (std::vector<uint32_t>{got.x0, got.y0, got.w, got.h})) << row.arg;
    }
}

TEST(Shell, ViewWindowStartsAtTheShipsWholeCellClampedAtZero)
{
    const float rows[][4] = {{10.5f, 3.9f, 0, 0}, {100.99f, 200.99f, 68, 176}, {1100, 1100, 1068, 1076}};
    for (const auto& row : rows) {
        const ViewWindow got = ComputeViewWindow(row[0], row[1], 1024, 768);
        EXPECT_EQ(row[2], got.x0) << row[0];
        EXPECT_EQ(row[3], got.y0) << row[1];
    }
}

}  // namespace
