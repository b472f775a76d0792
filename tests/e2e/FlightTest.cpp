#include <SDL.h>
#include <gtest/gtest.h>

#include "FlyerRun.h"

namespace {

// Scripted flights are exact: the clock steps the same milliseconds every
// frame and the keys come at given frames. The expected positions are
// what this python3 script printed; it steps the flight as the game's
// description has it (the collision, then the flight model), in double,
// storing each result as a float, and prints 7 digits as apitrace does:
//   import math, struct
//   f = lambda v: struct.unpack('f', struct.pack('f', v))[0]  # a float32 store
//   def fly(step, keys, frames):  # keys: {frame: {key: held}}, polled after its updates
//       x, y, vx, vy, h, thrust, count, held = f(512), f(512), 0.0, 0.0, 0.0, 0.0, 0, {}
//       for n in range(1, frames + 1):
//           x, y = f(vx * f(0.01) + x), f(vy * f(0.01) + y)  # collision probes 0.01 s ahead, in open space
//           x, y = f(x - vx * f(0.01)), f(y - vy * f(0.01))
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
// Each frame's camera and player sprite translations, which both follow
// its flight step, the sprite's angle and the player's (blue) shots drawn.
// The thrust comes a frame after the key, the move a frame after the
// thrust, the turn at once; left Ctrl fires in frames 31 and 42. The
// frame in which Esc comes is still shown, and the loop ends before the next.
TEST(Flight, ThrustAndTurnFollowTheScriptExactly)
{
    XvfbServer server(640, 480);
    TempDir dir;
    WriteLevel(dir.File("l.lvl"), {});
    FlyerSetup setup{server.Display(), dir.Path(), {{1, SDLK_UP, true}, {10, SDLK_RIGHT, true}, {14, SDLK_RIGHT, false},
                     {30, SDLK_LCTRL, true}, {40, SDLK_UP, false}, {50, SDLK_ESCAPE, true}}, dir.File("t")};
    setup.stepMs = 25;
    EXPECT_EQ(0, StartFlyer(setup, {"l.lvl", "640"})->Wait(60));
    EXPECT_EQ("SDL_Quit 50\n", ReadFile(dir.File("sdl-quit.log"))) << "SDL shut down after Esc";
    std::vector<std::vector<double>> views;  // camera x, y, sprite x, y, angle, shots; frame n is entry n - 1
    for (const auto& frame : DumpTrace(setup.trace, "--grep=^(glTranslatef|glRotatef|glColor3f|glXSwapBuffers)$")) {
        std::vector<double> view;
        double angle = 0, shots = 0;
        for (const GlCall& call : frame) {
            if (call.name == "glTranslatef")
                view.insert(view.end(), {(view.empty() ? -1 : 1) * call.Arg("x"), (view.empty() ? -1 : 1) * call.Arg("y")});
            angle = call.name == "glRotatef" ? call.Arg("angle") : angle;
            shots += call.args == "red = 0, green = 0, blue = 1";
        }
        if (view.size() == 4)
            views.push_back({view[0], view[1], view[2], view[3], angle, shots});
    }
    ASSERT_EQ(50u, views.size());
    const double rows[][5] = {{2, 512, 512, 0, 0}, {3, 512, 512, 0, 0}, {10, 512, 512.35, 0, 0}, {11, 512, 512.45, 6.75, 0},
                              {20, 512.1434, 513.8843, 27, 0}, {30, 512.8261, 516.5418, 27, 0}, {31, 512.9256, 516.8688, 27, 1},
                              {40, 514.0764, 520.3132, 27, 1}, {42, 514.3946, 521.2011, 27, 2}, {50, 515.69, 524.7973, 27, 2}};
    for (const auto& row : rows)
        EXPECT_EQ((std::vector<double>{row[1], row[2], row[1], row[2], row[3], row[4]}), views[size_t(row[0]) - 1]) << row[0];
}

}  // namespace
