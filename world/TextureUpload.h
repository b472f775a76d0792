#pragma once

#include <cstdint>

#include "world/TexRect.h"

struct SDL_Surface;

// The smallest power of two that is at least n, and at least 1.
// n must not exceed 2^30.
int32_t NextPowerOfTwo(int32_t n);

// Copies the surface into the top-left corner of a transparent RGBA
// texture with power-of-two sides, and writes where it lies into `rect`
// when `rect` is not null. Returns the texture name, left bound, or 0 after
// printing the failing SDL call.
uint32_t UploadSurfaceTexture(SDL_Surface* surface, TexRect* rect);
