#pragma once

#include <cstdint>
#include <string>

#include "world/LevelShape.h"

// How to lay out a BMP file for tests that feed the loaders every kind of
// bitmap, well-formed or not.
struct BmpLayout {
    int width = kTilesetWidth;
    int height = kTilesetHeight;
    int bitsPerPixel = 24;  // 1, 4, 8, 16, 24 or 32
    uint32_t compression = 0;  // 0 none, 1 RLE8, 2 RLE4, 3 bit fields
    bool coreHeader = false;   // the 12-byte OS/2 header instead of 40 bytes
    bool topDown = false;      // a negative height
    int claimedBitsPerPixel = 0;  // when not 0, the header's bit count instead
};

// The bytes of a BMP file with a repeating pattern of colours; the header's
// bfSize is the length of what it returns.
std::string MakeBmpBytes(const BmpLayout& layout);
