// The scenes of SdlScene.h, compiled against either SDL's headers.
#include "SdlScene.h"

#include <SDL.h>

#include <cstring>

namespace {

const int kSourceSide[2] = {6, 5};
const int kTargetSide[2] = {8, 7};

SDL_Surface* MakeRgba(int width, int height)
{
    return SDL_CreateRGBSurface(0, width, height, 32, 0xFF, 0xFF00, 0xFF0000, 0xFF000000);
}

// Every pixel different, some black, with alphas 0, 128 and 255 among them.
void Paint(SDL_Surface* surface, uint32_t seed)
{
    uint32_t* pixels = static_cast<uint32_t*>(surface->pixels);
    for (int i = 0; i < surface->w * surface->h; ++i) {
        const uint32_t alpha = (i % 3 == 0 ? 0 : i % 3 == 1 ? 128 : 255) << 24;
        pixels[i] = i % 4 == 1 ? alpha : (alpha | (seed * (i + 1) * 2654435761u >> 8));
    }
}

SDL_Rect Rect(const int* r)
{
    SDL_Rect rect;
    rect.x = r[0];
    rect.y = r[1];
    rect.w = r[2];
    rect.h = r[3];
    return rect;
}

void Keep(SDL_Surface* surface, int status, const SDL_Rect& rect, Picture* out)
{
    const uint32_t* pixels = static_cast<const uint32_t*>(surface->pixels);
    out->pixels.assign(pixels, pixels + surface->w * surface->h);
    out->status = status;
    const int kept[4] = {rect.x, rect.y, rect.w, rect.h};
    memcpy(out->rect, kept, sizeof kept);
}

}  // namespace

extern "C" void RunBlitScene(const BlitScene& scene, Picture* out)
{
    SDL_Surface* source = scene.rgbaSource ? MakeRgba(kSourceSide[0], kSourceSide[1])
                                           : SDL_CreateRGBSurface(0, kSourceSide[0], kSourceSide[1],
                                                                  32, 0xFF, 0xFF00, 0xFF0000, 0);
    SDL_Surface* target = MakeRgba(kTargetSide[0], kTargetSide[1]);
    Paint(source, 3);
    Paint(target, 7);
    if (scene.colourKey)
        SDL_SetColorKey(source, SDL_SRCCOLORKEY, SDL_MapRGB(source->format, 0, 0, 0));
    if (scene.alphaFlag >= 0)
        SDL_SetAlpha(source, scene.alphaFlag ? SDL_SRCALPHA : 0, 255);
    SDL_Rect from = Rect(scene.source);
    const int at[4] = {scene.target[0], scene.target[1], 0, 0};
    SDL_Rect to = Rect(at);
    const bool noTarget = scene.target[0] == kNoRect;
    const int status = SDL_BlitSurface(source, scene.source[2] < 0 ? nullptr : &from, target,
                                       noTarget ? nullptr : &to);
    Keep(target, status, to, out);
    SDL_FreeSurface(source);
    SDL_FreeSurface(target);
}

extern "C" void RunFillScene(const FillScene& scene, Picture* out)
{
    SDL_Surface* target = MakeRgba(kTargetSide[0], kTargetSide[1]);
    Paint(target, 5);
    SDL_Rect rect = Rect(scene.rect);
    const uint8_t* c = scene.rgba;
    const int status = SDL_FillRect(target, scene.rect[2] < 0 ? nullptr : &rect,
                                    SDL_MapRGBA(target->format, c[0], c[1], c[2], c[3]));
    Keep(target, status, SDL_Rect(), out);
    SDL_FreeSurface(target);
}

extern "C" void RunBmpScene(const char* path, bool keyed, Picture* out)
{
    *out = Picture();
    SDL_Surface* bitmap = SDL_LoadBMP(path);
    if (bitmap == nullptr)
        return;
    if (keyed)
        SDL_SetColorKey(bitmap, SDL_SRCCOLORKEY, SDL_MapRGB(bitmap->format, 0, 0, 0));
    SDL_Surface* target = MakeRgba(bitmap->w, bitmap->h);
    SDL_FillRect(target, nullptr, SDL_MapRGBA(target->format, 0, 0, 0, 0));
    const int status = SDL_BlitSurface(bitmap, nullptr, target, nullptr);
    Keep(target, status, SDL_Rect(), out);
    SDL_FreeSurface(target);
    SDL_FreeSurface(bitmap);
}
