#include <SDL.h>
#include <gtest/gtest.h>

#include "app/GameState.h"
#include "app/Input.h"

namespace {

// SDL's dummy video driver gives a real event queue without a display.
class Input : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        ASSERT_EQ(0, SDL_Init(SDL_INIT_VIDEO));
        g_KeyUp = g_KeyDown = g_KeyLeft = g_KeyRight = g_KeyFire = g_Quit = false;
    }
    void TearDown() override { SDL_Quit(); }

    static void Push(Uint8 type, SDLKey key, Uint8 state)
    {
        SDL_Event event = {};
        event.type = event.key.type = type;
        event.key.state = state;
        event.key.keysym.sym = key;
        ASSERT_EQ(0, SDL_PushEvent(&event));
    }
    static void Press(SDLKey key) { Push(SDL_KEYDOWN, key, SDL_PRESSED); }
    static void Release(SDLKey key) { Push(SDL_KEYUP, key, SDL_RELEASED); }
};

TEST_F(Input, KeyStaysHeldUntilItsReleaseIsPolled)
{
    const struct { SDLKey key; bool* flag; } rows[] = {
        {SDLK_UP, &g_KeyUp}, {SDLK_DOWN, &g_KeyDown}, {SDLK_LEFT, &g_KeyLeft},
        {SDLK_RIGHT, &g_KeyRight}, {SDLK_LCTRL, &g_KeyFire}};
    for (const auto& row : rows) {
        Press(row.key);
        PollInput();
        PollInput();
        EXPECT_TRUE(*row.flag) << "held across a poll with no event: key " << row.key;
        Release(row.key);
        PollInput();
        EXPECT_FALSE(*row.flag) << row.key;
    }
    EXPECT_FALSE(g_Quit);
}

TEST_F(Input, PressAndReleaseWithinOnePollLeaveTheFlagFalse)
{
    Press(SDLK_LCTRL);
    Release(SDLK_LCTRL);
    PollInput();
    EXPECT_FALSE(g_KeyFire);
}

TEST_F(Input, FlagFollowsTheStateFieldNotTheEventType)
{
    Push(SDL_KEYUP, SDLK_UP, SDL_PRESSED);
    PollInput();
    EXPECT_TRUE(g_KeyUp);
}

TEST_F(Input, OnlyAnEscapePressQuits)
{
    Release(SDLK_ESCAPE);
    SDL_Event quit = {};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    Press(SDLK_RCTRL);
    PollInput();
    EXPECT_FALSE(g_Quit);
    EXPECT_FALSE(g_KeyFire) << "right Ctrl does not fire";
    Press(SDLK_ESCAPE);
    Release(SDLK_ESCAPE);
    PollInput();
    EXPECT_TRUE(g_Quit) << "releasing Esc does not take the quit back";
}

}  // namespace
