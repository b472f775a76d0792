// The surface scenes that OracleTest runs on both SDLs: built against the
// real SDL 1.2 into the test program, and against Emscripten's SDL headers
// with web/sdl into the module beside it. Each scene is told as lines of
// text: what the call gave back, then the destination's pixels row by row.
#include <SDL.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

const int kNoRect = -9999;

struct Blit {
    bool rgbaSource;  // the game's RGBA format; else 32 bits without alpha, as the web loads a BMP
    bool colourKey;   // black is the source's colour key
    int alphaFlag;    // SDL_SetAlpha(source, alphaFlag ? SDL_SRCALPHA : 0, 255); -1: not called
    int source[4];    // the source rectangle x, y, w, h; w < 0: none
    int target[2];    // the destination rectangle's x, y; x == kNoRect: none
};

struct Fill {
    int rect[4];  // w < 0: none
    uint8_t rgba[4];
};

const bool kRgba = true, kNoAlpha = false, kKey = true, kNoKey = false;

// The source is 6 x 5, the destination 8 x 7.
// clang-format off
const Blit kBlits[] = {
    {kNoAlpha, kNoKey, -1, {0, 0, -1, 0}, {kNoRect, 0}},    // whole onto whole
    {kNoAlpha, kKey,   -1, {0, 0, -1, 0}, {1, 1}},          // the sprites: keyed on black
    {kRgba,    kKey,   -1, {0, 0, 6, 5},  {2, 1}},          // keyed, but per-pixel alpha wins
    {kRgba,    kNoKey, -1, {1, 1, 4, 3},  {0, 0}},          // per-pixel alpha blending
    {kRgba,    kNoKey,  0, {0, 0, 6, 5},  {0, 0}},          // alpha off: a copy, alpha and all
    {kRgba,    kKey,    0, {0, 0, 6, 5},  {0, 0}},          // alpha off, keyed on black
    {kNoAlpha, kNoKey,  1, {0, 0, 6, 5},  {1, 0}},          // alpha on without a channel: a copy
    {kNoAlpha, kNoKey, -1, {2, 1, 3, 3},  {5, 5}},          // cut at the right and bottom edges
    {kNoAlpha, kNoKey, -1, {0, 0, 6, 5},  {-2, -3}},        // negative position
    {kNoAlpha, kNoKey, -1, {-2, -1, 6, 5}, {3, 3}},         // source rectangle before the source
    {kNoAlpha, kNoKey, -1, {3, 2, 9, 9},  {0, 0}},          // source rectangle past the source
    {kNoAlpha, kNoKey, -1, {-3, 0, 5, 5}, {-2, 1}},         // both before: the cuts add up
    {kNoAlpha, kNoKey, -1, {0, 0, 6, 5},  {8, 0}},          // just past the right edge
    {kNoAlpha, kNoKey, -1, {0, 0, 6, 5},  {-6, 2}},         // just before the left edge
    {kNoAlpha, kNoKey, -1, {6, 0, 2, 2},  {0, 0}},          // source rectangle outside the source
};
const Fill kFills[] = {
    {{0, 0, -1, 0}, {0, 0, 0, 0}},          // the whole surface, transparent
    {{2, 1, 3, 4},  {10, 20, 30, 255}},     // inside
    {{-2, -1, 4, 3}, {255, 0, 0, 128}},     // over the top-left corner
    {{6, 5, 9, 9},  {1, 2, 3, 4}},          // over the bottom-right corner
    {{8, 0, 2, 2},  {9, 9, 9, 9}},          // outside
    {{0, 0, 0, 3},  {9, 9, 9, 9}},          // empty
};
// clang-format on

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
    SDL_Rect rect = {Sint16(r[0]), Sint16(r[1]), Uint16(r[2]), Uint16(r[3])};
    return rect;
}

// Adds `head`, then `surface`'s rows under it, and frees the surface.
void Tell(const std::string& head, SDL_Surface* surface, std::vector<std::string>* lines)
{
    const uint32_t* pixels = static_cast<const uint32_t*>(surface->pixels);
    for (int y = 0; y < surface->h; ++y) {
        std::string row = head + ", row " + std::to_string(y) + ":";
        for (int x = 0; x < surface->w; ++x) {
            char pixel[10];
            snprintf(pixel, sizeof pixel, " %08x", pixels[y * surface->w + x]);
            row += pixel;
        }
        lines->push_back(row);
    }
    SDL_FreeSurface(surface);
}

void RunBlit(int number, const Blit& scene, std::vector<std::string>* lines)
{
    const uint32_t alphaMask = scene.rgbaSource ? 0xFF000000 : 0;
    SDL_Surface* source = SDL_CreateRGBSurface(0, 6, 5, 32, 0xFF, 0xFF00, 0xFF0000, alphaMask);
    SDL_Surface* target = MakeRgba(8, 7);
    Paint(source, 3);
    Paint(target, 7);
    if (scene.colourKey)
        SDL_SetColorKey(source, SDL_SRCCOLORKEY, SDL_MapRGB(source->format, 0, 0, 0));
    if (scene.alphaFlag >= 0)
        SDL_SetAlpha(source, scene.alphaFlag ? SDL_SRCALPHA : 0, 255);
    SDL_Rect from = Rect(scene.source);
    SDL_Rect to = {Sint16(scene.target[0]), Sint16(scene.target[1]), 0, 0};
    const int status = SDL_BlitSurface(source, scene.source[2] < 0 ? nullptr : &from, target,
                                       scene.target[0] == kNoRect ? nullptr : &to);
    SDL_FreeSurface(source);
    char head[80];
    snprintf(head, sizeof head, "blit %d gave %d and %d %d %d %d", number, status, to.x, to.y, to.w,
             to.h);
    Tell(head, target, lines);
}

void RunFill(int number, const Fill& scene, std::vector<std::string>* lines)
{
    SDL_Surface* target = MakeRgba(8, 7);
    Paint(target, 5);
    SDL_Rect rect = Rect(scene.rect);
    const uint8_t* c = scene.rgba;
    const int status = SDL_FillRect(target, scene.rect[2] < 0 ? nullptr : &rect,
                                    SDL_MapRGBA(target->format, c[0], c[1], c[2], c[3]));
    Tell("fill " + std::to_string(number) + " gave " + std::to_string(status), target, lines);
}

}  // namespace

// Every scene's lines.
extern "C" void RunSdlScenes(std::vector<std::string>* lines)
{
    for (size_t i = 0; i < std::size(kBlits); ++i)
        RunBlit(i + 1, kBlits[i], lines);
    for (size_t i = 0; i < std::size(kFills); ++i)
        RunFill(i + 1, kFills[i], lines);
}
