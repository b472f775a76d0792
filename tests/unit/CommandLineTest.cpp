#include <gtest/gtest.h>

#include "app/CommandLine.h"
#include "app/GameState.h"

namespace {

bool Parse(std::vector<const char*> args)
{
    return ParseCommandLine(static_cast<int>(args.size()), const_cast<char**>(args.data()));
}

TEST(CommandLine, AcceptsEachResolutionRow)
{
    const struct { const char* arg; int w, h; } rows[] = {
        {"1280", 1280, 1024}, {"1024", 1024, 768}, {"800", 800, 600}, {"640", 640, 480}};
    for (const auto& row : rows) {
        g_ScreenWidth = g_ScreenHeight = 0;
        EXPECT_TRUE(Parse({"flyer", "a.lvl", row.arg})) << row.arg;
        EXPECT_EQ(row.w, g_ScreenWidth);
        EXPECT_EQ(row.h, g_ScreenHeight);
    }
}

TEST(CommandLine, RefusesOtherCountsAndSpellings)
{
    EXPECT_FALSE(Parse({"flyer"}));
    EXPECT_FALSE(Parse({"flyer", "a.lvl"}));
    EXPECT_FALSE(Parse({"flyer", "a.lvl", "1024", "x"}));
    for (const char* bad : {"1024x768", " 1024", "1024 ", "", "0640", "1280\n"})
        EXPECT_FALSE(Parse({"flyer", "a.lvl", bad})) << '"' << bad << '"';
}

TEST(GameState, StartValuesFollowTheWidth)
{
    g_ScreenWidth = 800;
    ResetGameState();
    EXPECT_EQ(25.0f, g_CameraDistance);
    g_ScreenWidth = 640;
    ResetGameState();
    EXPECT_EQ(20.0f, g_CameraDistance);
    EXPECT_EQ(512.0f, g_ShipX);
    EXPECT_EQ(512.0f, g_ShipY);
    EXPECT_EQ(0.5f, g_BounceFactor);
    EXPECT_EQ(0.9f, g_ShipHalfSize);
    EXPECT_EQ(32, g_BitsPerPixel);
    EXPECT_FALSE(g_KeyFire);
}

}  // namespace
