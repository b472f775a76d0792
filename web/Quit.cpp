#include "app/Quit.h"

#include <SDL.h>
#include <emscripten.h>

// As on the desktop: SDL goes down, then the process ends with the status.
// On the web "the process" is this module: a forced exit ends it even from
// inside the frame loop, and the page hears the status through onExit.
void Quit(int status)
{
    SDL_Quit();
    emscripten_force_exit(status);
    __builtin_unreachable();
}

// Emscripten's SDL has nothing to shut down and would only print that it
// was called, among the game's own lines on the page.
extern "C" void SDL_Quit(void)
{
}
