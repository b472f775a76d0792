#pragma once

#include <cstdint>

// One large WebGL texture that holds many small images, so that quads from
// different images can be drawn in one call. Images are placed on shelves,
// each with a one-texel border that repeats its edge, so that sampling at
// an image's edge never picks up its neighbour.
class TextureAtlas {
public:
    static const int kSide = 1024;

    // Makes the texture; needs the WebGL context.
    void Create();
    // Copies a width x height RGBA image into a free place and gives the
    // texel where its top-left corner lies. False when it does not fit.
    bool Place(int width, int height, const uint8_t* rgba, int* x, int* y);
    uint32_t Texture() const { return texture; }

private:
    uint32_t texture = 0;
    int shelfX = 0;
    int shelfY = 0;
    int shelfHeight = 0;
};
