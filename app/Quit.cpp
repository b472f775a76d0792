#include "app/Quit.h"

#include <SDL.h>
#include <cstdlib>

void Quit(int status)
{
    SDL_Quit();
    exit(status);
}
