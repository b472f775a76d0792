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
};

TEST_F(Input, KeyStaysHeldUntilItsReleaseIsPolled)
{
    const struct { SDLKey key; bool* flag; } rows[] = {
        {SDLK_UP, &g_KeyUp}, {SDLK_DOWN, &g_KeyDown}, {SDLK_LEFT, &g_KeyLeft}, {SDLK_RIGHT, &g_KeyRight}, {SDLK_LCTRL, &g_KeyFire}};
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
    PollInput();
    EXPECT_TRUE(g_KeyDown) << "the flag follows the state field, not the event type";
    EXPECT_FALSE(g_KeyFire) << "pressed and released between two polls";
}

TEST_F(Input, OnlyAnEscapePressQuits)
{
    Push(SDL_KEYUP, SDLK_ESCAPE, SDL_RELEASED);
    Push(SDL_QUIT, SDLK_UNKNOWN, 0);
    Push(SDL_KEYDOWN, SDLK_RCTRL, SDL_PRESSED);
    PollInput();
    EXPECT_FALSE(g_Quit);
    EXPECT_FALSE(g_KeyFire) << "right Ctrl does not fire";
    Push(SDL_KEYDOWN, SDLK_ESCAPE, SDL_PRESSED);
    Push(SDL_KEYUP, SDLK_ESCAPE, SDL_RELEASED);
    PollInput();
    EXPECT_TRUE(g_Quit) << "releasing Esc does not take the quit back";
}

}  // namespace
