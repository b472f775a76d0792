#include <gtest/gtest.h>

#include <algorithm>

#include "FlyerRun.h"
#include "GlTrace.h"
#include "TestFiles.h"
#include "world/LevelRecord.h"

namespace {

// What one traced frame shows of the flight.
struct FrameView {
    double cameraX = 0, cameraY = 0;  // the ship's position, from the camera
    double shipAngle = 0;
    int exhaust = 0;      // live particles drawn
    int blueBullets = 0;  // bullet slots tinted as the player's shots
};

std::vector<FrameView> ReadFlight(const std::string& trace)
{
    const GlTrace dump =
        DumpTrace(trace, {"--grep=^(glTranslatef|glRotatef|glColor3f|glColor4f|glXSwapBuffers)$"});
    std::vector<FrameView> views;
    for (const std::vector<GlCall>& frame : dump.frames) {
        FrameView view;
        bool camera = false;
        for (const GlCall& call : frame) {
            if (call.name == "glTranslatef" && !camera) {
                view.cameraX = -call.Arg("x");
                view.cameraY = -call.Arg("y");
                camera = true;
            } else if (call.name == "glRotatef") {
                view.shipAngle = call.Arg("angle");
            } else if (call.name == "glColor4f") {
                ++view.exhaust;
            } else if (call.name == "glColor3f" && call.args == "red = 0, green = 0, blue = 1") {
                ++view.blueBullets;
            }
        }
        if (camera)
            views.push_back(view);
    }
    return views;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

TEST(Flight, ArrowsThrustAndTurnAndCtrlFiresBlueShots)
{
    XvfbServer server;
    TempDir dir;
    ASSERT_TRUE(WriteLevel(dir.File("open.lvl"), {}));
    const std::string trace = dir.File("fly.trace");
    {
        FlyerRun run(server, {"open.lvl", "640"}, FlyerRun::Options{dir.Path(), trace});
        ASSERT_TRUE(run.WaitForFrames(60));
        run.Hold("Up", 1.0);
        run.Hold("Right", 0.3);
        run.Hold("Control_L", 1.5);
        ASSERT_EQ(0, run.Quit(60));
    }
    const std::vector<FrameView> views = ReadFlight(trace);
    ASSERT_GT(views.size(), 30u);

    // Up at heading 0: straight along +y, x untouched, exhaust streaming.
    size_t turnStart = 0;
    while (turnStart < views.size() && views[turnStart].shipAngle == 0)
        ++turnStart;
    ASSERT_LT(turnStart, views.size()) << "the ship turned";
    int maxExhaust = 0;
    for (size_t i = 1; i < turnStart; ++i) {
        EXPECT_EQ(512.0, views[i].cameraX);
        EXPECT_GE(views[i].cameraY, views[i - 1].cameraY);
        maxExhaust = std::max(maxExhaust, views[i].exhaust);
    }
    EXPECT_GT(views[turnStart].cameraY, 513.0) << "a second of thrust moves about 10 units";
    EXPECT_GT(maxExhaust, 10);
    EXPECT_LE(maxExhaust, 80);
    EXPECT_EQ(0, views.front().exhaust);

    // Right turns clockwise: the sprite's angle grows, and the ship now
    // drifts toward +x as well.
    double lastAngle = 0;
    for (size_t i = turnStart; i < views.size(); ++i) {
        EXPECT_GE(views[i].shipAngle, lastAngle);
        lastAngle = views[i].shipAngle;
    }
    EXPECT_GT(lastAngle, 40.0);
    EXPECT_LT(lastAngle, 180.0);

    // Left Ctrl: shots tinted blue, one every 11 frames while held.
    const int shots = views.back().blueBullets;
    EXPECT_GE(shots, 2);
    EXPECT_LE(static_cast<size_t>(shots), views.size() / 11 + 1);
    EXPECT_EQ(0, views[turnStart].blueBullets);
}

TEST(Flight, WallSendsTheShipBackAtHalfItsSpeed)
{
    XvfbServer server;
    TempDir dir;
    // A wall at row y = 530 reaching from the left up to column 511. The
    // ship flies straight up at x = 512.0, so its left half meets the wall
    // through the top-left probe, and after the bounce no probe of its
    // right half can find the wall again.
    std::vector<uint32_t> wall;
    for (uint32_t x = 490; x <= 511; ++x)
        wall.push_back(EncodeCellRecord(x, 1023 - 530, 20));
    ASSERT_TRUE(WriteLevel(dir.File("wall.lvl"), wall));
    const std::string trace = dir.File("wall.trace");
    {
        FlyerRun run(server, {"wall.lvl", "640"}, FlyerRun::Options{dir.Path(), trace});
        ASSERT_TRUE(run.WaitForFrames(60));
        run.Hold("Up", 0.6);
        Sleep(3.5);  // coast to the wall and back for a while
        ASSERT_EQ(0, run.Quit(60));
    }
    const std::vector<FrameView> views = ReadFlight(trace);
    size_t bounce = 1;
    while (bounce < views.size() && views[bounce].cameraY >= views[bounce - 1].cameraY)
        ++bounce;
    ASSERT_LT(bounce + 12, views.size()) << "the ship came back from the wall";
    EXPECT_LT(views[bounce - 1].cameraY, 530.0 - 0.9 + 0.5);
    EXPECT_GT(views[bounce - 1].cameraY, 528.0);

    // Per-frame steps while coasting up, and after the bounce down; the
    // frames cost the same, so the medians compare the speeds.
    std::vector<double> up, down;
    for (size_t i = std::max<size_t>(bounce, 12) - 10; i < bounce - 1; ++i)
        up.push_back(views[i].cameraY - views[i - 1].cameraY);
    for (size_t i = bounce + 1; i < bounce + 12; ++i)
        down.push_back(views[i - 1].cameraY - views[i].cameraY);
    const double ratio = Median(down) / Median(up);
    EXPECT_NEAR(0.5, ratio, 0.15) << "up " << Median(up) << " down " << Median(down);
    RecordProperty("speed_ratio", std::to_string(ratio));
    for (const FrameView& view : views)
        EXPECT_EQ(512.0, view.cameraX);
}

}  // namespace
