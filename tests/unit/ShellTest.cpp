#include <SDL.h>
#include <gtest/gtest.h>

#include "app/CommandLine.h"
#include "app/GameState.h"
#include "app/Input.h"
#include "app/ViewWindow.h"

namespace {

TEST(Shell, ResolutionSetsTheScreenTheCameraDistanceAndTheViewWindow)
{
    const struct {
        const char* arg;
        float x, y;
        std::vector<float> want;
    } rows[] = {// screen, distance, window
                {"1280", 512, 512, {1280, 1024, 40, 472, 480, 80, 64}},
                {"1024", 512, 512, {1024, 768, 32, 480, 488, 64, 48}},
                {"800", 512, 512, {800, 600, 25, 487, 494, 50, 37}},
                {"640", 512, 512, {640, 480, 20, 492, 497, 40, 30}},
                {"1024", 10.5f, 3.9f, {1024, 768, 32, 0, 0, 64, 48}},
                {"1024", 100.99f, 200.99f, {1024, 768, 32, 68, 176, 64, 48}},
                {"1024", 1100, 1100, {1024, 768, 32, 1068, 1076, 64, 48}}};
    for (const auto& row : rows) {
        const char* argv[] = {"flyer", "a.lvl", row.arg};
        EXPECT_TRUE(ParseCommandLine(3, const_cast<char**>(argv))) << row.arg;
        ResetGameState();
        const ViewWindow w = ComputeViewWindow(row.x, row.y, g_ScreenWidth, g_ScreenHeight);
        EXPECT_EQ(row.want,
                  (std::vector<float>{float(g_ScreenWidth), float(g_ScreenHeight), g_CameraDistance,
                                      float(w.x0), float(w.y0), float(w.w), float(w.h)}))
            << row.arg << " at " << row.x << "," << row.y;
    }
}

void Push(Uint8 type, SDLKey key, Uint8 state)
{
    SDL_Event event = {};
    event.type = event.key.type = type;
    event.key.state = state;
    event.key.keysym.sym = key;
    ASSERT_EQ(0, SDL_PushEvent(&event));
}

TEST(Input, KeysHoldTheirFlagFromPressToReleaseAndOnlyAnEscPressQuits)
{
    setenv("SDL_VIDEODRIVER", "dummy", 1);  // a real event queue without a display
    ASSERT_EQ(0, SDL_Init(SDL_INIT_VIDEO));
    const struct {
        SDLKey key;
        bool* flag;
    } rows[] = {{SDLK_UP, &g_KeyUp},
                {SDLK_DOWN, &g_KeyDown},
                {SDLK_LEFT, &g_KeyLeft},
                {SDLK_RIGHT, &g_KeyRight},
                {SDLK_LCTRL, &g_KeyFire}};
    for (const auto& row : rows) {
        Push(SDL_KEYDOWN, row.key, SDL_PRESSED);
        PollInput();
        PollInput();
        EXPECT_TRUE(*row.flag) << "held across a poll with no event: key " << row.key;
        Push(SDL_KEYUP, row.key, SDL_RELEASED);
        PollInput();
        EXPECT_FALSE(*row.flag) << row.key;
    }
    Push(SDL_KEYUP, SDLK_DOWN, SDL_PRESSED);
    Push(SDL_KEYDOWN, SDLK_LCTRL, SDL_PRESSED);
    Push(SDL_KEYUP, SDLK_LCTRL, SDL_RELEASED);
    Push(SDL_KEYUP, SDLK_ESCAPE, SDL_RELEASED);
    PollInput();
    EXPECT_TRUE(g_KeyDown) << "the flag follows the state field, not the event type";
    EXPECT_FALSE(g_KeyFire) << "pressed and released between two polls";
    EXPECT_FALSE(g_Quit) << "an Esc release alone";
    Push(SDL_KEYDOWN, SDLK_ESCAPE, SDL_PRESSED);
    Push(SDL_KEYUP, SDLK_ESCAPE, SDL_RELEASED);
    PollInput();
    EXPECT_TRUE(g_Quit) << "releasing Esc does not take the quit back";
    SDL_Quit();
}

}  // namespace
