#include "IconPainter.h"

#include <png.h>

#include <cstdio>

#include "Canvas.h"
#include "ShapeFile.h"

namespace {

const int kSamples = 4;  // painted pixels per icon pixel, along each side

}  // namespace

bool PaintIcon(const std::string& description, int sourceSize, int size, RgbaIcon* icon,
               std::string* problem)
{
    Canvas canvas(size * kSamples, size * kSamples, 0x000000);
    if (!PaintShapes(description, static_cast<double>(size * kSamples) / sourceSize, &canvas,
                     problem))
        return false;
    icon->size = size;
    icon->rgba.assign(static_cast<size_t>(size) * size * 4, 0);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            unsigned sum[3] = {0, 0, 0};
            unsigned painted = 0;
            for (int j = 0; j < kSamples; ++j) {
                for (int i = 0; i < kSamples; ++i) {
                    const uint32_t c = canvas.Get(x * kSamples + i, y * kSamples + j);
                    if (c == 0)
                        continue;
                    ++painted;
                    sum[0] += (c >> 16) & 0xFF;
                    sum[1] += (c >> 8) & 0xFF;
                    sum[2] += c & 0xFF;
                }
            }
            uint8_t* out = &icon->rgba[(static_cast<size_t>(y) * size + x) * 4];
            for (int k = 0; k < 3 && painted > 0; ++k)
                out[k] = static_cast<uint8_t>((sum[k] + painted / 2) / painted);
            out[3] = static_cast<uint8_t>((painted * 255 + kSamples * kSamples / 2) /
                                          (kSamples * kSamples));
        }
    }
    return true;
}

bool SavePng(const RgbaIcon& icon, const std::string& path)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(icon.size);
    image.height = static_cast<png_uint_32>(icon.size);
    image.format = PNG_FORMAT_RGBA;
    return png_image_write_to_file(&image, path.c_str(), 0, icon.rgba.data(), 0, nullptr) != 0;
}
