// SDL 1.2's software surfaces, as far as the game uses them, in plain
// memory. Emscripten's SDL backs surfaces with canvases: it cannot blit a
// surface made after the GL video mode, keep a colour key or fill pixels,
// so the loaders and the texture upload would get empty images.
// Only 32-bit surfaces are made; blits follow SDL 1.2's rules for them.
#include <SDL.h>

#include <cstdlib>

namespace {

// The surface with its format and colour key in one block.
struct SoftSurface {
    SDL_Surface surface;
    SDL_PixelFormat format;
    Uint32 colorKey;
};

SoftSurface* Soft(SDL_Surface* surface)
{
    return reinterpret_cast<SoftSurface*>(surface);
}

Uint32* Row(SDL_Surface* surface, int y)
{
    return reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface->pixels) + y * surface->pitch);
}

// Fills in a format from its four masks.
void DescribeFormat(SDL_PixelFormat* format, Uint32 r, Uint32 g, Uint32 b, Uint32 a)
{
    format->BitsPerPixel = 32;
    format->BytesPerPixel = 4;
    const Uint32 masks[4] = {r, g, b, a};
    Uint32* maskFields[4] = {&format->Rmask, &format->Gmask, &format->Bmask, &format->Amask};
    Uint8* shifts[4] = {&format->Rshift, &format->Gshift, &format->Bshift, &format->Ashift};
    Uint8* losses[4] = {&format->Rloss, &format->Gloss, &format->Bloss, &format->Aloss};
    for (int i = 0; i < 4; ++i) {
        *maskFields[i] = masks[i];
        *shifts[i] = masks[i] == 0 ? 0 : static_cast<Uint8>(__builtin_ctz(masks[i]));
        *losses[i] = static_cast<Uint8>(8 - __builtin_popcount(masks[i] & (0xFFu << *shifts[i])));
    }
}

Uint8 Channel(Uint32 value, Uint32 mask, Uint8 shift, Uint8 loss)
{
    return static_cast<Uint8>(((value & mask) >> shift) << loss);
}

// A pixel's colour; opaque when the format has no alpha channel.
void SplitPixel(const SDL_PixelFormat& f, Uint32 value, Uint8* r, Uint8* g, Uint8* b, Uint8* a)
{
    *r = Channel(value, f.Rmask, f.Rshift, f.Rloss);
    *g = Channel(value, f.Gmask, f.Gshift, f.Gloss);
    *b = Channel(value, f.Bmask, f.Bshift, f.Bloss);
    *a = f.Amask != 0 ? Channel(value, f.Amask, f.Ashift, f.Aloss) : SDL_ALPHA_OPAQUE;
}

Uint32 JoinPixel(const SDL_PixelFormat& f, Uint8 r, Uint8 g, Uint8 b, Uint8 a)
{
    return ((r >> f.Rloss) << f.Rshift) | ((g >> f.Gloss) << f.Gshift) |
           ((b >> f.Bloss) << f.Bshift) | (((a >> f.Aloss) << f.Ashift) & f.Amask);
}

// Cuts `rect` down to the surface, as SDL does; false when nothing is left.
bool ClipToSurface(const SDL_Surface* surface, SDL_Rect* rect)
{
    int x0 = rect->x < 0 ? 0 : rect->x;
    int y0 = rect->y < 0 ? 0 : rect->y;
    int x1 = rect->x + rect->w > surface->w ? surface->w : rect->x + rect->w;
    int y1 = rect->y + rect->h > surface->h ? surface->h : rect->y + rect->h;
    *rect = SDL_Rect{x0, y0, x1 > x0 ? x1 - x0 : 0, y1 > y0 ? y1 - y0 : 0};
    return rect->w > 0 && rect->h > 0;
}

// A blit's clipping along one axis: a start before 0 moves to 0, the
// length shrinks by as much and the other rectangle's start moves with it.
void ClipStart(int* start, int* other, int* length)
{
    if (*start < 0) {
        *length += *start;
        *other -= *start;
        *start = 0;
    }
}

// One pixel of a blit: skipped when it is the source's colour key,
// blended over the destination's colour when the source has per-pixel
// alpha switched on (the destination keeps its alpha), copied otherwise.
void BlitPixel(SDL_Surface* src, Uint32 value, const SDL_PixelFormat& to, Uint32* target)
{
    const SDL_PixelFormat& from = *src->format;
    const bool alphaBlend = (src->flags & SDL_SRCALPHA) && from.Amask != 0;
    if (!alphaBlend && (src->flags & SDL_SRCCOLORKEY) &&
        (value & ~from.Amask) == (Soft(src)->colorKey & ~from.Amask))
        return;
    Uint8 r, g, b, a;
    SplitPixel(from, value, &r, &g, &b, &a);
    if (!alphaBlend) {
        *target = JoinPixel(to, r, g, b, a);
        return;
    }
    Uint8 dr, dg, db, da;
    SplitPixel(to, *target, &dr, &dg, &db, &da);
    // SDL 1.2's weights: a / 256, and an opaque pixel's colour as it is.
    const auto mix = [a](int s, int d) {
        return static_cast<Uint8>(a == SDL_ALPHA_OPAQUE ? s : d + ((s - d) * a >> 8));
    };
    *target = JoinPixel(to, mix(r, dr), mix(g, dg), mix(b, db), 0) | (*target & to.Amask);
}

}  // namespace

extern "C" {

SDL_Surface* SDL_CreateRGBSurface(Uint32 flags, int width, int height, int depth, Uint32 Rmask,
                                  Uint32 Gmask, Uint32 Bmask, Uint32 Amask)
{
    if (depth != 32 || width < 0 || height < 0) {
        SDL_SetError("Only 32-bit surfaces are made on the web");
        return nullptr;
    }
    SoftSurface* soft = static_cast<SoftSurface*>(calloc(1, sizeof(SoftSurface)));
    void* pixels = calloc(static_cast<size_t>(width) * height + 1, 4);
    if (soft == nullptr || pixels == nullptr) {
        free(soft);
        free(pixels);
        SDL_SetError("Out of memory");
        return nullptr;
    }
    DescribeFormat(&soft->format, Rmask, Gmask, Bmask, Amask);
    SDL_Surface& surface = soft->surface;
    // As in SDL 1.2, a surface with an alpha channel blends with it.
    surface.flags = (flags & ~SDL_SRCALPHA) | (Amask != 0 ? SDL_SRCALPHA : 0);
    surface.format = &soft->format;
    surface.w = width;
    surface.h = height;
    surface.pitch = width * 4;
    surface.pixels = pixels;
    surface.clip_rect = SDL_Rect{0, 0, width, height};
    surface.refcount = 1;
    return &surface;
}

void SDL_FreeSurface(SDL_Surface* surface)
{
    if (surface == nullptr)
        return;
    free(surface->pixels);
    free(Soft(surface));
}

Uint32 SDL_MapRGB(const SDL_PixelFormat* format, Uint8 r, Uint8 g, Uint8 b)
{
    return JoinPixel(*format, r, g, b, SDL_ALPHA_OPAQUE);
}

Uint32 SDL_MapRGBA(const SDL_PixelFormat* format, Uint8 r, Uint8 g, Uint8 b, Uint8 a)
{
    return JoinPixel(*format, r, g, b, a);
}

int SDL_SetColorKey(SDL_Surface* surface, int flag, Uint32 key)
{
    if (flag & SDL_SRCCOLORKEY) {
        surface->flags |= SDL_SRCCOLORKEY;
        Soft(surface)->colorKey = key;
    } else {
        surface->flags &= ~SDL_SRCCOLORKEY;
    }
    return 0;
}

int SDL_SetAlpha(SDL_Surface* surface, Uint32 flag, Uint8)
{
    if (flag & SDL_SRCALPHA)
        surface->flags |= SDL_SRCALPHA;
    else
        surface->flags &= ~SDL_SRCALPHA;
    return 0;
}

int SDL_FillRect(SDL_Surface* dst, const SDL_Rect* rect, Uint32 color)
{
    SDL_Rect area = rect != nullptr ? *rect : dst->clip_rect;
    if (!ClipToSurface(dst, &area))
        return 0;
    for (int y = area.y; y < area.y + area.h; ++y) {
        Uint32* row = Row(dst, y);
        for (int x = area.x; x < area.x + area.w; ++x)
            row[x] = color;
    }
    return 0;
}

int SDL_UpperBlit(SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst, SDL_Rect* dstrect)
{
    if (src == nullptr || dst == nullptr) {
        SDL_SetError("SDL_UpperBlit: passed a NULL surface");
        return -1;
    }
    // As SDL does: the source rectangle cut to the source, then the
    // destination rectangle at its position cut to the destination.
    int sx = 0, sy = 0, w = src->w, h = src->h;
    if (srcrect != nullptr) {
        sx = srcrect->x;
        sy = srcrect->y;
        w = srcrect->w;
        h = srcrect->h;
    }
    int dx = dstrect != nullptr ? dstrect->x : 0;
    int dy = dstrect != nullptr ? dstrect->y : 0;
    ClipStart(&sx, &dx, &w);
    ClipStart(&sy, &dy, &h);
    w = sx + w > src->w ? src->w - sx : w;
    h = sy + h > src->h ? src->h - sy : h;
    ClipStart(&dx, &sx, &w);
    ClipStart(&dy, &sy, &h);
    w = dx + w > dst->w ? dst->w - dx : w;
    h = dy + h > dst->h ? dst->h - dy : h;
    for (int y = 0; y < h; ++y) {
        const Uint32* in = Row(src, sy + y) + sx;
        Uint32* out = Row(dst, dy + y) + dx;
        for (int x = 0; x < w; ++x)
            BlitPixel(src, in[x], *dst->format, out + x);
    }
    const bool drawn = w > 0 && h > 0;
    if (dstrect != nullptr)
        *dstrect = SDL_Rect{dx, dy, drawn ? w : 0, drawn ? h : 0};
    return 0;
}

}  // extern "C"
