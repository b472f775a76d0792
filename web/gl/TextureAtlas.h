#pragma once

#include <cstdint>
#include <vector>

// Where the images lie in one large WebGL texture that holds many small
// ones, so that quads from different images can be drawn in one call.
// Images are placed on shelves, left to right, each shelf as high as its
// highest image; each has a border of kBorder texels that repeats its edge,
// so that sampling at an image's edge never picks up its neighbour. The
// texture itself is the renderer's.
class TextureAtlas {
public:
    static const int kSide = 1024;
    static const int kBorder = 1;

    // Finds a free place for a width x height image and gives the texel
    // where its top-left corner lies, inside its border. False when it does
    // not fit.
    bool Place(int width, int height, int* x, int* y);
    // The image with its border around it, to be copied in kBorder texels
    // up and left of the place.
    static std::vector<uint8_t> Bordered(int width, int height, const uint8_t* rgba);

private:
    int shelfX = 0;
    int shelfY = 0;
    int shelfHeight = 0;
};
