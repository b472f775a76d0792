#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "FlyerRun.h"
#include "GlTrace.h"
#include "world/LevelRecord.h"

namespace {

// Scripted flights are exact: every frame steps the clock by the same
// milliseconds, and the keys come at given frames. Their expected values
// come from this python3 script, which steps the flight (collision, then
// the flight model) as the game's description has it, evaluating in double
// and storing each result as a float; it prints them with 7 digits, as
// apitrace does:
//   import math, struct
//   f = lambda v: struct.unpack('f', struct.pack('f', v))[0]   # store as float32
//   def fly(step, keys, frames, wall=()):   # keys: {frame: {key: held}}, polled after that frame's updates
//       x, y, vx, vy, h, thrust, count, held, out = f(512), f(512), 0.0, 0.0, 0.0, 0.0, 0, {}, []
//       solid = lambda i, j: (i, j) in wall or not (0 <= i < 1024 and 0 <= j < 1024)
//       for n in range(1, frames + 1):
//           x, y = f(vx * f(0.01) + x), f(vy * f(0.01) + y)       # collision: look ahead
//           l, r, b, t = int(x - f(0.9)), int(x + f(0.9)), int(y - f(0.9)), int(y + f(0.9))
//           mid = lambda lo, hi, probe: any(probe(k) for k in range(lo + 1, hi))
//           top, bottom = mid(l, r, lambda i: solid(i, t)), mid(l, r, lambda i: solid(i, b))
//           right, left = mid(b, t, lambda j: solid(r, j)), mid(b, t, lambda j: solid(l, j))
//           x, y = f(x - vx * f(0.01)), f(y - vy * f(0.01))
//           hitx = (right or solid(r, t if vy < 0 else b)) if vx >= 0 else (left or solid(l, t if vy < 0 else b))
//           hity = (bottom or solid(l if vx >= 0 else r, b)) if vy < 0 else (top or solid(l if vx >= 0 else r, t))
//           for face in ('xy' if vy >= 0 else 'yx'):
//               if face == 'x' and hitx: vx, vy = f(-vx * 0.5), f(vy * 0.5)
//               if face == 'y' and hity: vy, vx = f(-vy * 0.5), f(vx * 0.5)
//           a = h * f(6.282) / 360                                # flight, from the values on entry
//           count, shot = (0, True) if held.get('ctrl') and count + 1 > 10 else (count + 1, False)
//           x, y = f(step * vx / 1000 + x), f(step * vy / 1000 + y)
//           vx, vy = f(math.sin(a) * thrust * step / 1000 + vx), f(math.cos(a) * thrust * step / 1000 + vy)
//           thrust = 20.0 * (bool(held.get('up')) - bool(held.get('down')))
//           h = f(h - step * 270 / 1000) if held.get('left') else h
//           h = f(step * 270 / 1000 + h) if held.get('right') else h
//           out.append((n, x, y, h, shot))
//           held.update(keys.get(n, {}))
//       return out
//   for n, x, y, h, shot in fly(25, {1: {'up': 1}, 10: {'right': 1}, 14: {'right': 0}, 30: {'ctrl': 1}, 40: {'up': 0}}, 50):
//       print('open', n, '%.7g %.7g %.7g' % (x, y, h), 'shot' if shot else '') if n % 10 == 0 or n in (2, 3, 11) or shot else 0
//   for n, x, y, h, shot in fly(20, {1: {'up': 1}, 30: {'up': 0}}, 70, {(i, 520) for i in range(490, 512)}):
//       print('wall', n, '%.7g %.7g' % (x, y)) if n % 10 == 0 or 46 <= n <= 50 else 0
// Its output is the tables of expected values below, digit for digit.

// One frame of a traced run: the camera's translation (the ship's position
// after this frame's flight step), the player sprite's, its angle, the
// exhaust particles and the player's shots drawn.
struct View {
    double cameraX, cameraY, shipX, shipY, angle;
    int exhaust, shots;
};

// Flies the script on a level with the given records and ends with Esc in
// the last frame; views[n - 1] is frame n.
std::vector<View> Fly(const std::vector<uint32_t>& records, unsigned stepMs, std::vector<ScriptedKey> keys,
                      unsigned frames)
{
    XvfbServer server(640, 480);
    TempDir dir;
    WriteLevel(dir.File("l.lvl"), records);
    keys.push_back({frames, SDLK_ESCAPE, true});
    FlyerSetup setup(server.Display(), dir.Path(), keys, dir.File("t"));
    setup.stepMs = stepMs;
    FlyerRun run(setup, {"l.lvl", "640"});
    EXPECT_EQ(0, run.Wait());
    std::vector<View> views;
    for (const auto& frame : DumpTrace(dir.File("t"), {"--grep=^(glTranslatef|glRotatef|glColor[34]f|glXSwapBuffers)$"})) {
        View view{};
        int moves = 0;
        for (const GlCall& call : frame) {
            if (call.name == "glTranslatef" && moves++ == 0)
                view.cameraX = -call.Arg("x"), view.cameraY = -call.Arg("y");
            else if (call.name == "glTranslatef")
                view.shipX = call.Arg("x"), view.shipY = call.Arg("y");
            else if (call.name == "glRotatef")
                view.angle = call.Arg("angle");
            view.exhaust += call.name == "glColor4f";
            view.shots += call.args == "red = 0, green = 0, blue = 1";
        }
        if (moves > 0)
            views.push_back(view);
    }
    EXPECT_EQ(frames, views.size());
    return views;
}

struct Expected {
    unsigned frame;
    double x, y, angle;
};

TEST(Flight, ThrustTurnAndFireFollowTheScriptExactly)
{
    const std::vector<View> views = Fly({}, 25, {{1, SDLK_UP, true}, {10, SDLK_RIGHT, true}, {14, SDLK_RIGHT, false},
                                              {30, SDLK_LCTRL, true}, {40, SDLK_UP, false}}, 50);
    ASSERT_EQ(50u, views.size());
    for (const Expected& e : {Expected{2, 512, 512, 0}, {3, 512, 512, 0}, {10, 512, 512.35, 0},
                              {11, 512, 512.45, 6.75}, {20, 512.1434, 513.8843, 27},
                              {30, 512.8261, 516.5418, 27}, {31, 512.9256, 516.8688, 27},
                              {40, 514.0764, 520.3132, 27}, {50, 515.69, 524.7973, 27}}) {
        const View& view = views[e.frame - 1];
        EXPECT_EQ(e.x, view.cameraX) << e.frame;
        EXPECT_EQ(e.y, view.cameraY) << e.frame;
        // The sprite takes the same position, after the flight step, and
        // the heading.
        EXPECT_EQ(e.x, view.shipX) << e.frame;
        EXPECT_EQ(e.y, view.shipY) << e.frame;
        EXPECT_EQ(e.angle, view.angle) << e.frame;
    }
    // The exhaust streams only while the ship thrusts; the shots of frames
    // 31 and 42 are drawn blue from their frame on.
    EXPECT_EQ(0, views[0].exhaust);
    EXPECT_GT(views[9].exhaust, 0);
    EXPECT_EQ(0, views[29].shots);
    EXPECT_EQ(1, views[30].shots);
    EXPECT_EQ(1, views[40].shots);
    EXPECT_EQ(2, views[41].shots);
}

TEST(Flight, WallSendsTheShipBackAtHalfItsSpeed)
{
    // A wall in row 520 from column 490 to 511: the ship flies straight up
    // at x = 512.0, so only its top-left probe meets the wall.
    std::vector<uint32_t> wall;
    for (uint32_t x = 490; x <= 511; ++x)
        wall.push_back(EncodeCellRecord(x, 1023 - 520, 20));
    const std::vector<View> views = Fly(wall, 20, {{1, SDLK_UP, true}, {30, SDLK_UP, false}}, 70);
    ASSERT_EQ(70u, views.size());
    for (const Expected& e : {Expected{10, 512, 512.2239, 0}, {20, 512, 513.224, 0}, {30, 512, 515.024, 0},
                              {40, 512, 517.336, 0}, {46, 512, 518.728, 0}, {47, 512, 518.96, 0},
                              {48, 512, 519.192, 0}, {49, 512, 519.0759, 0}, {50, 512, 518.9599, 0},
                              {60, 512, 517.7996, 0}, {70, 512, 516.6393, 0}}) {
        EXPECT_EQ(e.x, views[e.frame - 1].cameraX) << e.frame;
        EXPECT_EQ(e.y, views[e.frame - 1].cameraY) << e.frame;
    }
}

// Real key events from the X server reach the game: Up thrusts, left Ctrl
// fires.
TEST(Flight, RealKeysArrive)
{
    XvfbServer server(640, 480);
    TempDir dir;
    WriteLevel(dir.File("l.lvl"), {});
    {
        FlyerRun run({server.Display(), dir.Path(), {}, dir.File("t")}, {"l.lvl", "640"});
        ASSERT_TRUE(run.WaitForFrames());
        run.Xdotool("keydown Up keydown Control_L");
        Sleep(1.5);
        run.Xdotool("keyup Up keyup Control_L key Escape");
        ASSERT_EQ(0, run.Wait());
    }
    const auto frames = DumpTrace(dir.File("t"), {"--grep=^(glTranslatef|glColor3f|glXSwapBuffers)$"});
    ASSERT_GE(frames.size(), 2u);
    const std::vector<GlCall>& last = frames[frames.size() - 2];
    EXPECT_EQ(512, -last[0].Arg("x"));
    EXPECT_GT(-last[0].Arg("y"), 512);
    EXPECT_GE(std::count_if(last.begin(), last.end(), [](const GlCall& c) { return c.args == "red = 0, green = 0, blue = 1"; }), 1);
}

}  // namespace
