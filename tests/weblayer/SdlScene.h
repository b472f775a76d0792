#pragma once

#include <cstdint>
#include <vector>

// Surface work described without SDL's types, so that SdlScene.cpp runs it
// on either SDL: the real SDL 1.2 in the test program, web/sdl in the
// module beside it.
struct BlitScene {
    bool rgbaSource;  // the game's RGBA format; else 32 bits without alpha, as the web loads a BMP
    bool colourKey;   // black is the source's colour key
    int alphaFlag;    // SDL_SetAlpha(source, alphaFlag ? SDL_SRCALPHA : 0, 255); -1: not called
    int source[4];    // the source rectangle x, y, w, h; w < 0: none
    int target[2];    // the destination rectangle's x, y; x == kNoRect: none
};

struct FillScene {
    int rect[4];  // w < 0: none
    uint8_t rgba[4];
};

const int kNoRect = -9999;

// The destination's pixels afterwards and what the call gave back.
struct Picture {
    std::vector<uint32_t> pixels;
    int status;
    int rect[4];  // the destination rectangle as a blit leaves it; 0 for the rest
};

using BlitRunner = void (*)(const BlitScene&, Picture*);
using FillRunner = void (*)(const FillScene&, Picture*);
// A BMP loaded, keyed on black or not, and blitted into a transparent RGBA
// surface as the game uploads its sprites; an empty picture when refused.
using BmpRunner = void (*)(const char* path, bool keyed, Picture*);
