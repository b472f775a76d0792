#include "actors/SpriteBitmap.h"

#include <SDL.h>

SDL_Surface* LoadSpriteBitmap(const char* path, int width, int height)
{
    SDL_Surface* bitmap = SDL_LoadBMP_RW(SDL_RWFromFile(path, "rb"), 1);
    if (bitmap == nullptr)
        return nullptr;
    if (bitmap->w != width || bitmap->h != height) {
        SDL_FreeSurface(bitmap);
        return nullptr;
    }
    SDL_SetColorKey(bitmap, SDL_SRCCOLORKEY, SDL_MapRGB(bitmap->format, 0, 0, 0));
    return bitmap;
}
