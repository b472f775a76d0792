#include "actors/SpriteBitmap.h"

#include <SDL.h>

#include "world/BmpFile.h"

SDL_Surface* LoadSpriteBitmap(const char* path, int width, int height)
{
    SDL_Surface* bitmap = LoadCheckedBmp(path);
    if (bitmap == nullptr)
        return nullptr;
    if (bitmap->w != width || bitmap->h != height) {
        SDL_FreeSurface(bitmap);
        return nullptr;
    }
    SDL_SetColorKey(bitmap, SDL_SRCCOLORKEY, SDL_MapRGB(bitmap->format, 0, 0, 0));
    return bitmap;
}
