#include "world/TextureUpload.h"

#include <SDL.h>
#include <GL/gl.h>
#include <cstdio>

#include "world/RgbaSurface.h"

int32_t NextPowerOfTwo(int32_t n)
{
    int32_t p = 1;
    while (p < n)
        p *= 2;
    return p;
}

uint32_t UploadSurfaceTexture(SDL_Surface* surface, TexRect* rect)
{
    const int32_t pw = NextPowerOfTwo(surface->w);
    const int32_t ph = NextPowerOfTwo(surface->h);
    if (rect != nullptr) {
        rect->right = static_cast<float>(surface->w) / static_cast<float>(pw);
        rect->bottom = static_cast<float>(surface->h) / static_cast<float>(ph);
        rect->top = 0.0f;
        rect->left = 0.0f;
    }

    SDL_Surface* staging = CreateRgbaSurface(pw, ph);
    if (staging == nullptr) {
        printf("SDL_CreateRGBSurface(): %s\n", SDL_GetError());
        return 0;
    }
    if (SDL_FillRect(staging, nullptr, SDL_MapRGBA(staging->format, 0, 0, 0, 0)) == -1) {
        printf("SDL_FillRect(): %s\n", SDL_GetError());
        SDL_FreeSurface(staging);
        return 0;
    }
    SDL_Rect area;
    area.x = 0;
    area.y = 0;
    area.w = static_cast<Uint16>(surface->w);
    area.h = static_cast<Uint16>(surface->h);
    if (SDL_BlitSurface(surface, &area, staging, &area) == -1) {
        printf("SDL_BlitSurface(): %s\n", SDL_GetError());
        SDL_FreeSurface(staging);
        return 0;
    }

    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, pw, ph, 0, GL_RGBA, GL_UNSIGNED_BYTE, staging->pixels);
    SDL_FreeSurface(staging);
    return texture;
}
