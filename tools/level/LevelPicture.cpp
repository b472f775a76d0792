#include "LevelPicture.h"

#include <SDL.h>
#include <png.h>

#include <algorithm>
#include <vector>

#include "world/LevelShape.h"

namespace {

const uint8_t kEmpty[3] = {0x14, 0x16, 0x20};
const uint8_t kMarker[3] = {0xFF, 0xE0, 0x20};
const uint32_t kSide = kTileSide;
const uint32_t kColumns = kTilesetColumns;
// The frame around the start cell lies this many cells out.
const uint32_t kFrameCells = 3;

// The 190 tiles at `scale` pixels a side, RGB, each pixel the average of
// the tileset pixels it covers.
bool ShrinkTiles(const std::string& tilesetBmp, uint32_t scale, std::vector<uint8_t>* tiles,
                 std::string* problem)
{
    SDL_Surface* bitmap = SDL_LoadBMP_RW(
        SDL_RWFromConstMem(tilesetBmp.data(), static_cast<int>(tilesetBmp.size())), 1);
    SDL_Surface* rgb = bitmap != nullptr ? SDL_CreateRGBSurface(0, kTilesetWidth, kTilesetHeight,
                                                                32, 0xFF, 0xFF00, 0xFF0000, 0)
                                         : nullptr;
    if (rgb == nullptr || SDL_BlitSurface(bitmap, nullptr, rgb, nullptr) != 0) {
        *problem = std::string("SDL cannot read the tileset: ") + SDL_GetError();
        SDL_FreeSurface(rgb);
        SDL_FreeSurface(bitmap);
        return false;
    }
    const auto* pixels = static_cast<const uint8_t*>(rgb->pixels);
    tiles->assign(kTileCount * scale * scale * 3, 0);
    for (uint32_t n = 0; n < kTileCount; ++n) {
        for (uint32_t py = 0; py < scale; ++py) {
            for (uint32_t px = 0; px < scale; ++px) {
                uint32_t sum[3] = {0, 0, 0}, count = 0;
                for (uint32_t y = py * kSide / scale; y < (py + 1) * kSide / scale; ++y)
                    for (uint32_t x = px * kSide / scale; x < (px + 1) * kSide / scale;
                         ++x, ++count)
                        for (int c = 0; c < 3; ++c)
                            sum[c] += pixels[((n / kColumns) * kSide + y) *
                                                 static_cast<uint32_t>(rgb->pitch) +
                                             ((n % kColumns) * kSide + x) * 4 + c];
                for (int c = 0; c < 3; ++c)
                    (*tiles)[((n * scale + py) * scale + px) * 3 + c] =
                        static_cast<uint8_t>(sum[c] / count);
            }
        }
    }
    SDL_FreeSurface(rgb);
    SDL_FreeSurface(bitmap);
    return true;
}

void AppendPng(png_structp writer, png_bytep data, png_size_t length)
{
    static_cast<std::string*>(png_get_io_ptr(writer))
        ->append(reinterpret_cast<const char*>(data), length);
}

// Whether the pixel at (x, y) of the picture, in pixels from the map's
// top-left corner, draws the start marker.
bool IsMarker(uint64_t x, uint64_t y, uint32_t scale)
{
    const uint64_t inner0x = kStartColumn * scale, inner0y = kStartRow * scale;
    if (x >= inner0x && x < inner0x + scale && y >= inner0y && y < inner0y + scale)
        return true;
    const uint64_t x0 = (kStartColumn - kFrameCells) * scale,
                   y0 = (kStartRow - kFrameCells) * scale;
    const uint64_t x1 = (kStartColumn + kFrameCells + 1) * scale,
                   y1 = (kStartRow + kFrameCells + 1) * scale;
    const uint64_t width = std::max<uint32_t>(1, scale / 4);
    const bool inside = x >= x0 && x < x1 && y >= y0 && y < y1;
    return inside && (x < x0 + width || x >= x1 - width || y < y0 + width || y >= y1 - width);
}

}  // namespace

PictureArea UsedPictureArea(const LevelReport& report, uint32_t margin)
{
    uint32_t x0 = kStartColumn, y0 = kStartRow, x1 = kStartColumn, y1 = kStartRow;
    uint32_t ux0 = 0, uy0 = 0, ux1 = 0, uy1 = 0;
    if (UsedBounds(report, &ux0, &uy0, &ux1, &uy1)) {
        x0 = std::min(x0, ux0);
        y0 = std::min(y0, uy0);
        x1 = std::max(x1, ux1);
        y1 = std::max(y1, uy1);
    }
    PictureArea area;
    area.column = x0 > margin ? x0 - margin : 0;
    area.row = y0 > margin ? y0 - margin : 0;
    area.width = std::min(kMapSize - 1, x1 + margin) - area.column + 1;
    area.height = std::min(kMapSize - 1, y1 + margin) - area.row + 1;
    return area;
}

bool RenderLevelPng(const LevelReport& report, const std::string& tilesetBmp,
                    const PictureArea& area, uint32_t scale, std::string* png, std::string* problem)
{
    const uint64_t width = static_cast<uint64_t>(area.width) * scale,
                   height = static_cast<uint64_t>(area.height) * scale;
    if (width > kMaxPictureSide || height > kMaxPictureSide) {
        *problem = "the picture would be " + std::to_string(width) + " x " +
                   std::to_string(height) + " pixels, more than " +
                   std::to_string(kMaxPictureSide) + " a side; choose a smaller --scale";
        return false;
    }
    std::vector<uint8_t> tiles;
    if (!ShrinkTiles(tilesetBmp, scale, &tiles, problem))
        return false;
    png_structp writer = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = writer != nullptr ? png_create_info_struct(writer) : nullptr;
    std::vector<uint8_t> row(width * 3);
    png->clear();
    if (info == nullptr || setjmp(png_jmpbuf(writer))) {
        png_destroy_write_struct(&writer, &info);
        *problem = "libpng cannot write the picture";
        return false;
    }
    png_set_write_fn(writer, png, AppendPng, nullptr);
    png_set_IHDR(writer, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(writer, info);
    for (uint64_t y = 0; y < height; ++y) {
        const uint32_t cellRow = area.row + static_cast<uint32_t>(y / scale),
                       py = static_cast<uint32_t>(y % scale);
        for (uint64_t x = 0; x < width; ++x) {
            const uint32_t cellColumn = area.column + static_cast<uint32_t>(x / scale),
                           px = static_cast<uint32_t>(x % scale);
            const uint32_t tile = report.TileAt(cellColumn, cellRow);
            const uint8_t* colour =
                tile == 0 ? kEmpty : &tiles[(((tile - 1) * scale + py) * scale + px) * 3];
            if (IsMarker(static_cast<uint64_t>(area.column) * scale + x,
                         static_cast<uint64_t>(area.row) * scale + y, scale))
                colour = kMarker;
            std::copy(colour, colour + 3, &row[x * 3]);
        }
        png_write_row(writer, row.data());
    }
    png_write_end(writer, nullptr);
    png_destroy_write_struct(&writer, &info);
    return true;
}
