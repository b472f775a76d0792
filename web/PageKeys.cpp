// The page's ways of playing (the keyboard, the touch controls, a gamepad)
// reach the game as SDL key events in SDL's own queue, where the game's
// input reads them as it reads a key on the desktop.
#include <SDL.h>
#include <emscripten.h>

#include <iterator>

#include "app/GameState.h"

namespace {

// The game's keys, in the order web/page/keys.js names them: up, down,
// left, right, fire, end.
const SDL_Keycode kGameKeys[] = {SDLK_UP,    SDLK_DOWN,  SDLK_LEFT,
                                 SDLK_RIGHT, SDLK_LCTRL, SDLK_ESCAPE};

}  // namespace

// Pushes a press (down non-zero) or a release of the game's key `key` (its
// place in kGameKeys); any other number is ignored.
extern "C" EMSCRIPTEN_KEEPALIVE void flyer_key(int key, int down)
{
    if (key < 0 || key >= static_cast<int>(std::size(kGameKeys)))
        return;
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = kGameKeys[key];
    SDL_PushEvent(&event);
}

// The keys the game holds down now, as its input has read them: up 1,
// down 2, left 4, right 8, fire 16. For the tests and the benchmark.
extern "C" EMSCRIPTEN_KEEPALIVE int flyer_keys_held()
{
    return g_KeyUp | g_KeyDown << 1 | g_KeyLeft << 2 | g_KeyRight << 3 | g_KeyFire << 4;
}
