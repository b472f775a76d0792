#include "BmpBytes.h"

#include <vector>

namespace {

void Put16(std::string& out, uint32_t value)
{
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void Put32(std::string& out, uint32_t value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

// Run-length rows of 8- or 4-bit indexes: a run of the whole row, then
// end of line; end of bitmap after the last row.
std::string RunLengthPixels(const BmpLayout& layout)
{
    std::string out;
    for (int y = 0; y < layout.height; ++y) {
        int x = 0;
        while (x < layout.width) {
            const int run = std::min(255, layout.width - x);
            const int index = (y / 4) % 2 + 1;
            out += static_cast<char>(run);
            out += static_cast<char>(layout.bitsPerPixel == 4 ? (index << 4) | index : index);
            x += run;
        }
        out += '\0';
        out += y + 1 == layout.height ? '\1' : '\0';
    }
    return out;
}

std::string PlainPixels(const BmpLayout& layout)
{
    const int rowBits = layout.width * layout.bitsPerPixel;
    const size_t rowBytes = static_cast<size_t>((rowBits + 31) / 32 * 4);
    std::string out;
    for (int y = 0; y < layout.height; ++y) {
        std::vector<uint8_t> row(rowBytes, 0);
        for (int x = 0; x < layout.width; ++x) {
            const uint32_t pattern = static_cast<uint32_t>(x / 16 + y / 16);
            switch (layout.bitsPerPixel) {
            case 1:
                row[x / 8] |= static_cast<uint8_t>((pattern & 1) << (7 - x % 8));
                break;
            case 4:
                row[x / 2] |= static_cast<uint8_t>((pattern % 16) << (x % 2 == 0 ? 4 : 0));
                break;
            case 8:
                row[x] = static_cast<uint8_t>(pattern % 256);
                break;
            case 16:  // 5-5-5
                row[x * 2] = static_cast<uint8_t>(pattern * 7);
                row[x * 2 + 1] = static_cast<uint8_t>((pattern * 3) & 0x7F);
                break;
            default: {
                const int bytes = layout.bitsPerPixel / 8;
                for (int b = 0; b < bytes; ++b)
                    row[x * bytes + b] = static_cast<uint8_t>(pattern * 40 + b * 70);
            }
            }
        }
        out.append(row.begin(), row.end());
    }
    return out;
}

}  // namespace

std::string MakeBmpBytes(const BmpLayout& layout)
{
    const bool palette = layout.bitsPerPixel <= 8;
    const int colours = palette ? 1 << layout.bitsPerPixel : 0;
    const bool masks = layout.compression == 3;
    const uint32_t headerBits =
        static_cast<uint32_t>(layout.claimedBitsPerPixel != 0 ? layout.claimedBitsPerPixel : layout.bitsPerPixel);
    std::string info;
    if (layout.coreHeader) {
        Put32(info, 12);
        Put16(info, static_cast<uint32_t>(layout.width));
        Put16(info, static_cast<uint32_t>(layout.height));
        Put16(info, 1);
        Put16(info, headerBits);
    } else {
        Put32(info, 40);
        Put32(info, static_cast<uint32_t>(layout.width));
        Put32(info, static_cast<uint32_t>(layout.topDown ? -layout.height : layout.height));
        Put16(info, 1);
        Put16(info, headerBits);
        Put32(info, layout.compression);
        Put32(info, 0);
        Put32(info, 2835);
        Put32(info, 2835);
        Put32(info, static_cast<uint32_t>(colours));
        Put32(info, 0);
    }
    if (masks) {
        if (layout.bitsPerPixel == 16) {
            Put32(info, 0xF800);
            Put32(info, 0x07E0);
            Put32(info, 0x001F);
        } else {
            Put32(info, 0x00FF0000);
            Put32(info, 0x0000FF00);
            Put32(info, 0x000000FF);
        }
    }
    for (int i = 0; i < colours; ++i) {
        info += static_cast<char>(i * 37);
        info += static_cast<char>(i * 91);
        info += static_cast<char>(255 - i);
        if (!layout.coreHeader)
            info += '\0';
    }
    const std::string pixels =
        layout.compression == 1 || layout.compression == 2 ? RunLengthPixels(layout) : PlainPixels(layout);
    std::string out = "BM";
    Put32(out, static_cast<uint32_t>(14 + info.size() + pixels.size()));
    Put32(out, 0);
    Put32(out, static_cast<uint32_t>(14 + info.size()));
    return out + info + pixels;
}
