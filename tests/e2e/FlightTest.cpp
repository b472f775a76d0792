#include <SDL.h>
#include <gtest/gtest.h>

#include "FlyerRun.h"
#include "world/LevelRecord.h"

namespace {

// Scripted flights are exact: the clock steps the same milliseconds every
// frame and the keys come at given frames. The expected positions are
// what this python3 script printed; it steps the flight as the game's
// description has it (the collision, then the flight model), in double,
// storing each result as a float, and prints 7 digits as apitrace does:
//   import math, struct
//   f = lambda v: struct.unpack('f', struct.pack('f', v))[0]  # a float32 store
//   def fly(step, keys, frames, wall=()):  # keys: {frame: {key: held}}, polled after its updates
//       x, y, vx, vy, h, thrust, count, held = f(512), f(512), 0.0, 0.0, 0.0, 0.0, 0, {}
//       solid = lambda i, j: (i, j) in wall or not (0 <= i < 1024 and 0 <= j < 1024)
//       for n in range(1, frames + 1):
//           x, y = f(vx * f(0.01) + x), f(vy * f(0.01) + y)  # collision probes 0.01 s ahead
//           l, r, b, t = int(x - f(0.9)), int(x + f(0.9)), int(y - f(0.9)), int(y + f(0.9))
//           edge = lambda cells: any(solid(i, j) for i, j in cells)
//           top, bottom = edge((i, t) for i in range(l + 1, r)), edge((i, b) for i in range(l + 1, r))
//           right, left = edge((r, j) for j in range(b + 1, t)), edge((l, j) for j in range(b + 1, t))
//           x, y = f(x - vx * f(0.01)), f(y - vy * f(0.01))
//           near, far = (r, l) if vx >= 0 else (l, r)
//           hitx = (right if vx >= 0 else left) or solid(near, t if vy < 0 else b)
//           hity = (bottom if vy < 0 else top) or solid(far, b if vy < 0 else t)
//           for face in ('xy' if vy >= 0 else 'yx'):
//               if face == 'x' and hitx: vx, vy = f(-vx * 0.5), f(vy * 0.5)
//               if face == 'y' and hity: vy, vx = f(-vy * 0.5), f(vx * 0.5)
//           a, count = h * f(6.282) / 360, count + 1  # the flight model, from the values on entry
//           shot, count = (True, 0) if held.get('ctrl') and count > 10 else (False, count)
//           x, y = f(step * vx / 1000 + x), f(step * vy / 1000 + y)
//           vx, vy = f(math.sin(a) * thrust * step / 1000 + vx), f(math.cos(a) * thrust * step / 1000 + vy)
//           thrust = 20.0 * (bool(held.get('up')) - bool(held.get('down')))
//           h = f(h - step * 270 / 1000) if held.get('left') else h
//           h = f(step * 270 / 1000 + h) if held.get('right') else h
//           print('%d %.7g %.7g %.7g %s' % (n, x, y, h, 'shot' if shot else ''))
//           held.update(keys.get(n, {}))
//   fly(25, {1: {'up': 1}, 10: {'right': 1}, 14: {'right': 0}, 30: {'ctrl': 1}, 40: {'up': 0}}, 50)
//   fly(20, {1: {'up': 1}, 30: {'up': 0}}, 70, {(i, 520) for i in range(490, 512)})
// The ship's position in each frame, from the camera's and the player
// sprite's translations, which both follow the frame's flight step, and
// the sprite's angle, and the player's (blue) shots; frame n is entry n - 1.
struct View {
    double cameraX, cameraY, shipX, shipY, angle;
    int shots;
};

std::vector<View> Fly(const std::vector<uint32_t>& records, unsigned stepMs, std::vector<ScriptedKey> keys, unsigned frames)
{
    XvfbServer server(640, 480);
    TempDir dir;
    WriteLevel(dir.File("l.lvl"), records);
    keys.push_back({frames, SDLK_ESCAPE, true});
    FlyerSetup setup(server.Display(), dir.Path(), keys, dir.File("t"));
    setup.stepMs = stepMs;
    EXPECT_EQ(0, StartFlyer(setup, {"l.lvl", "640"})->Wait(60));
    std::vector<View> views;
    for (const auto& frame : DumpTrace(setup.trace, "--grep=^(glTranslatef|glRotatef|glColor3f|glXSwapBuffers)$")) {
        std::vector<GlCall> moves;
        View view{};
        for (const GlCall& call : frame) {
            if (call.name == "glTranslatef")
                moves.push_back(call);
            view.angle = call.name == "glRotatef" ? call.Arg("angle") : view.angle;
            view.shots += call.args == "red = 0, green = 0, blue = 1";
        }
        if (moves.size() == 2)
            views.push_back(View{-moves[0].Arg("x"), -moves[0].Arg("y"), moves[1].Arg("x"), moves[1].Arg("y"), view.angle, view.shots});
    }
    EXPECT_EQ(frames, views.size());
    return views;
}

struct Expected {
    unsigned frame;
    double x, y, angle, shots;
};

void ExpectViews(const std::vector<View>& views, const std::vector<Expected>& expected)
{
    for (const Expected& e : expected) {
        ASSERT_LT(e.frame, views.size() + 1);
        const View& view = views[e.frame - 1];
        EXPECT_EQ(std::vector<double>({e.x, e.y, e.x, e.y, e.angle, e.shots}),
                  std::vector<double>({view.cameraX, view.cameraY, view.shipX, view.shipY, view.angle, double(view.shots)}))
            << e.frame;
    }
}

// The thrust comes a frame after the key, the move a frame after the
// thrust, the turn at once; left Ctrl fires in frames 31 and 42.
TEST(Flight, ThrustAndTurnFollowTheScriptExactly)
{
    ExpectViews(Fly({}, 25, {{1, SDLK_UP, true}, {10, SDLK_RIGHT, true}, {14, SDLK_RIGHT, false}, {30, SDLK_LCTRL, true}, {40, SDLK_UP, false}}, 50),
                {{2, 512, 512, 0, 0}, {3, 512, 512, 0, 0}, {10, 512, 512.35, 0, 0}, {11, 512, 512.45, 6.75, 0},
                 {20, 512.1434, 513.8843, 27, 0}, {30, 512.8261, 516.5418, 27, 0}, {31, 512.9256, 516.8688, 27, 1},
                 {40, 514.0764, 520.3132, 27, 1}, {42, 514.3946, 521.2011, 27, 2}, {50, 515.69, 524.7973, 27, 2}});
}

// A wall in row 520 from column 490 to 511: flying straight up at x = 512,
// only the ship's top-left probe meets it; it comes back at half speed.
TEST(Flight, WallSendsTheShipBackAtHalfItsSpeed)
{
    std::vector<uint32_t> wall;
    for (uint32_t x = 490; x <= 511; ++x)
        wall.push_back(EncodeCellRecord(x, 1023 - 520, 20));
    ExpectViews(Fly(wall, 20, {{1, SDLK_UP, true}, {30, SDLK_UP, false}}, 70),
                {{10, 512, 512.2239, 0, 0}, {20, 512, 513.224, 0, 0}, {30, 512, 515.024, 0, 0}, {40, 512, 517.336, 0, 0},
                 {46, 512, 518.728, 0, 0}, {47, 512, 518.96, 0, 0}, {48, 512, 519.192, 0, 0}, {49, 512, 519.0759, 0, 0},
                 {50, 512, 518.9599, 0, 0}, {60, 512, 517.7996, 0, 0}, {70, 512, 516.6393, 0, 0}});
}

}  // namespace
