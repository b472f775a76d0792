#include <SDL.h>
#include <gtest/gtest.h>

#include "FlyerRun.h"

namespace {

// Scripted flights are exact: the clock steps the same milliseconds every
// frame and the keys come at given frames. The expected rows are what
// scripted_flight.py, beside this file, prints for this script.
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
    FlyerSetup setup{server.Display(),
                     dir.Path(),
                     {{1, SDLK_UP, true},
                      {10, SDLK_RIGHT, true},
                      {14, SDLK_RIGHT, false},
                      {30, SDLK_LCTRL, true},
                      {40, SDLK_UP, false},
                      {50, SDLK_ESCAPE, true}},
                     dir.File("t")};
    setup.stepMs = 25;
    EXPECT_EQ(0, StartFlyer(setup, {"l.lvl", "640"})->Wait(60));
    EXPECT_EQ("SDL_Quit 50\n", ReadFile(dir.File("sdl-quit.log"))) << "SDL shut down after Esc";
    std::vector<std::vector<double>>
        views;  // camera x, y, sprite x, y, angle, shots; frame n is entry n - 1
    for (const auto& frame :
         DumpTrace(setup.trace, "--grep=^(glTranslatef|glRotatef|glColor3f|glXSwapBuffers)$")) {
        std::vector<double> view;
        double angle = 0, shots = 0;
        for (const GlCall& call : frame) {
            if (call.name == "glTranslatef")
                view.insert(view.end(), {(view.empty() ? -1 : 1) * call.Arg("x"),
                                         (view.empty() ? -1 : 1) * call.Arg("y")});
            angle = call.name == "glRotatef" ? call.Arg("angle") : angle;
            shots += call.args == "red = 0, green = 0, blue = 1";
        }
        if (view.size() == 4)
            views.push_back({view[0], view[1], view[2], view[3], angle, shots});
    }
    ASSERT_EQ(50u, views.size());
    const double rows[][5] = {{2, 512, 512, 0, 0},
                              {3, 512, 512, 0, 0},
                              {10, 512, 512.35, 0, 0},
                              {11, 512, 512.45, 6.75, 0},
                              {20, 512.1434, 513.8843, 27, 0},
                              {30, 512.8261, 516.5418, 27, 0},
                              {31, 512.9256, 516.8688, 27, 1},
                              {40, 514.0764, 520.3132, 27, 1},
                              {42, 514.3946, 521.2011, 27, 2},
                              {50, 515.69, 524.7973, 27, 2}};
    for (const auto& row : rows)
        EXPECT_EQ((std::vector<double>{row[1], row[2], row[1], row[2], row[3], row[4]}),
                  views[size_t(row[0]) - 1])
            << row[0];
}

}  // namespace
