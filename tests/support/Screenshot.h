#pragma once

#include <cstdint>
#include <string>
#include <vector>

// An 8-bit RGB picture of a whole X screen, taken with xwd and ImageMagick;
// width 0 when that fails.
struct Screenshot {
    explicit Screenshot(const std::string& display);

    // 0xRRGGBB of the pixel at (x, y), y counted from the top row.
    uint32_t At(int x, int y) const;

    int width = 0;
    int height = 0;
    std::string rgb;
};
