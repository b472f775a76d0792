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
// The ship's position in each frame, from the camera's and the player
// sprite's translations, which both follow the frame's flight step, and
// the sprite's angle, and the player's (blue) shots; frame n is entry n - 1.
struct View {
    double cameraX, cameraY, shipX, shipY, angle;
    int shots;
};

std::vector<View> Fly(unsigned stepMs, std::vector<ScriptedKey> keys, unsigned frames)
{
    XvfbServer server(640, 480);
    TempDir dir;
    WriteLevel(dir.File("l.lvl"), {});
    keys.push_back({frames, SDLK_ESCAPE, true});
    FlyerSetup setup{server.Display(), dir.Path(), keys, dir.File("t")};
    setup.stepMs = stepMs;
    EXPECT_EQ(0, StartFlyer(setup, {"l.lvl", "640"})->Wait(60));
    EXPECT_EQ("SDL_Quit " + std::to_string(frames) + "\n", ReadFile(dir.File("sdl-quit.log"))) << "SDL shut down after Esc";
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
// thrust, the turn at once; left Ctrl fires in frames 31 and 42. The
// frame in which Esc comes is still shown, and the loop ends before the next.
TEST(Flight, ThrustAndTurnFollowTheScriptExactly)
{
    ExpectViews(Fly(25, {{1, SDLK_UP, true}, {10, SDLK_RIGHT, true}, {14, SDLK_RIGHT, false}, {30, SDLK_LCTRL, true}, {40, SDLK_UP, false}}, 50),
                {{2, 512, 512, 0, 0}, {3, 512, 512, 0, 0}, {10, 512, 512.35, 0, 0}, {11, 512, 512.45, 6.75, 0},
                 {20, 512.1434, 513.8843, 27, 0}, {30, 512.8261, 516.5418, 27, 0}, {31, 512.9256, 516.8688, 27, 1},
                 {40, 514.0764, 520.3132, 27, 1}, {42, 514.3946, 521.2011, 27, 2}, {50, 515.69, 524.7973, 27, 2}});
}

}  // namespace
