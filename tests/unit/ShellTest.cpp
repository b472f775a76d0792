#include <gtest/gtest.h>

#include <vector>

#include "app/CommandLine.h"
#include "app/GameState.h"
#include "app/ViewWindow.h"

namespace {

bool Parse(std::vector<const char*> args)
{
    return ParseCommandLine(static_cast<int>(args.size()), const_cast<char**>(args.data()));
}

TEST(CommandLine, EachResolutionSetsItsScreenAndTheDistanceFollows)
{
    const struct { const char* arg; int w, h; float distance; } rows[] = {
        {"1280", 1280, 1024, 40}, {"1024", 1024, 768, 32}, {"800", 800, 600, 25}, {"640", 640, 480, 20}};
    for (const auto& row : rows) {
        g_ScreenWidth = g_ScreenHeight = 0;
        EXPECT_TRUE(Parse({"flyer", "a.lvl", row.arg})) << row.arg;
        ResetGameState();
        EXPECT_EQ(row.w, g_ScreenWidth);
        EXPECT_EQ(row.h, g_ScreenHeight);
        EXPECT_EQ(row.distance, g_CameraDistance);
    }
}

TEST(CommandLine, RefusesOtherCountsAndSpellings)
{
    EXPECT_FALSE(Parse({"flyer"}));
    EXPECT_FALSE(Parse({"flyer", "a.lvl"}));
    EXPECT_FALSE(Parse({"flyer", "a.lvl", "1024", "x"}));
    for (const char* bad : {"1024x768", " 1024", "1024 ", "", "0640"})
        EXPECT_FALSE(Parse({"flyer", "a.lvl", bad})) << '"' << bad << '"';
}

TEST(ViewWindow, ShipsWholeCellLessHalfTheScreenClampedAtZero)
{
    const struct { float x, y; int32_t w, h; ViewWindow want; } rows[] = {
        {512, 512, 1280, 1024, {472, 480, 80, 64}}, {512, 512, 1024, 768, {480, 488, 64, 48}},
        {512, 512, 800, 600, {487, 494, 50, 37}},   {512, 512, 640, 480, {492, 497, 40, 30}},
        {10.5f, 3.9f, 1024, 768, {0, 0, 64, 48}},   {100.99f, 200.99f, 1024, 768, {68, 176, 64, 48}},
        {1100, 1100, 1024, 768, {1068, 1076, 64, 48}}};
    for (const auto& row : rows) {
        const ViewWindow got = ComputeViewWindow(row.x, row.y, row.w, row.h);
        EXPECT_EQ(row.want.x0, got.x0) << row.x << " at " << row.w;
        EXPECT_EQ(row.want.y0, got.y0) << row.y << " at " << row.w;
        EXPECT_EQ(row.want.w, got.w) << row.w;
        EXPECT_EQ(row.want.h, got.h) << row.h;
    }
}

}  // namespace
