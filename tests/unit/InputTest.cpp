#include <SDL.h>
#include <gtest/gtest.h>

#include "app/GameState.h"
#include "app/Input.h"

namespace {

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
