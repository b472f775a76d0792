#include "gl/TextureAtlas.h"

#include <algorithm>

bool TextureAtlas::Place(int width, int height, int* x, int* y)
{
    const int w = width + 2 * kBorder;
    const int h = height + 2 * kBorder;
    if (shelfX + w > kSide) {
        shelfY += shelfHeight;
        shelfX = 0;
        shelfHeight = 0;
    }
    if (w > kSide || shelfY + h > kSide)
        return false;
    *x = shelfX + kBorder;
    *y = shelfY + kBorder;
    shelfX += w;
    shelfHeight = std::max(h, shelfHeight);
    return true;
}

std::vector<uint8_t> TextureAtlas::Bordered(int width, int height, const uint8_t* rgba)
{
    const int w = width + 2 * kBorder;
    const int h = height + 2 * kBorder;
    std::vector<uint8_t> bordered(static_cast<size_t>(w) * h * 4);
    for (int row = 0; row < h; ++row) {
        const int sourceRow = std::clamp(row - kBorder, 0, height - 1);
        for (int column = 0; column < w; ++column) {
            const int sourceColumn = std::clamp(column - kBorder, 0, width - 1);
            std::copy_n(rgba + (sourceRow * width + sourceColumn) * 4, 4,
                        &bordered[(row * w + column) * 4]);
        }
    }
    return bordered;
}
