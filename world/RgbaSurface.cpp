#include "world/RgbaSurface.h"

#include <SDL.h>

SDL_Surface* CreateRgbaSurface(int width, int height)
{
#if SDL_BYTEORDER == SDL_BIG_ENDIAN
    const Uint32 red = 0xFF000000, green = 0x00FF0000, blue = 0x0000FF00, alpha = 0x000000FF;
#else
    const Uint32 red = 0x000000FF, green = 0x0000FF00, blue = 0x00FF0000, alpha = 0xFF000000;
#endif
    return SDL_CreateRGBSurface(0, width, height, 32, red, green, blue, alpha);
}
