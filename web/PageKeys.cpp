// The page's ways of playing (the keyboard, the touch controls, a gamepad)
// reach the game as SDL key events in SDL's own queue, where the game's
// input reads them as it reads a key on the desktop.
#include <SDL.h>
#include <emscripten.h>

#include "app/GameState.h"

// Pushes a press (down non-zero) or a release of the key `sym` (an SDLK_
// value of Emscripten's SDL).
extern "C" EMSCRIPTEN_KEEPALIVE void flyer_key(int sym, int down)
{
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = static_cast<SDL_Keycode>(sym);
    SDL_PushEvent(&event);
}

// The keys the game holds down now, as its input has read them: up 1,
// down 2, left 4, right 8, fire 16. For the tests and the benchmark.
extern "C" EMSCRIPTEN_KEEPALIVE int flyer_keys_held()
{
    return g_KeyUp | g_KeyDown << 1 | g_KeyLeft << 2 | g_KeyRight << 3 | g_KeyFire << 4;
}
