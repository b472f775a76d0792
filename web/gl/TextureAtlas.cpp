#include "gl/TextureAtlas.h"

#include <webgl/webgl1.h>

#include <vector>

void TextureAtlas::Create()
{
    emscripten_glGenTextures(1, &texture);
    emscripten_glBindTexture(GL_TEXTURE_2D, texture);
    emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    emscripten_glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, kSide, kSide, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                            nullptr);
}

bool TextureAtlas::Place(int width, int height, const uint8_t* rgba, int* x, int* y)
{
    const int w = width + 2;
    const int h = height + 2;
    if (shelfX + w > kSide) {
        shelfY += shelfHeight;
        shelfX = 0;
        shelfHeight = 0;
    }
    if (w > kSide || shelfY + h > kSide)
        return false;

    std::vector<uint8_t> bordered(static_cast<size_t>(w) * h * 4);
    for (int row = 0; row < h; ++row) {
        const int sourceRow = row == 0 ? 0 : (row > height ? height - 1 : row - 1);
        for (int column = 0; column < w; ++column) {
            const int sourceColumn = column == 0 ? 0 : (column > width ? width - 1 : column - 1);
            const uint8_t* texel = rgba + (sourceRow * width + sourceColumn) * 4;
            uint8_t* out = &bordered[(row * w + column) * 4];
            for (int i = 0; i < 4; ++i)
                out[i] = texel[i];
        }
    }
    emscripten_glBindTexture(GL_TEXTURE_2D, texture);
    emscripten_glTexSubImage2D(GL_TEXTURE_2D, 0, shelfX, shelfY, w, h, GL_RGBA, GL_UNSIGNED_BYTE,
                               bordered.data());
    *x = shelfX + 1;
    *y = shelfY + 1;
    shelfX += w;
    shelfHeight = h > shelfHeight ? h : shelfHeight;
    return true;
}
