#include "TilesetPainter.h"

#include <cmath>
#include <cstdint>
#include <functional>
#include <map>
#include <sstream>

#include "world/LevelShape.h"

namespace {

// A tile being painted: a 16 x 16 window of the canvas.
struct Tile {
    Canvas* canvas;
    int left;
    int top;
    int variant;  // 0 to 18, the tile's column in its row
    uint32_t base;
    uint32_t accent;

    void Set(int x, int y, uint32_t rgb) const
    {
        if (x >= 0 && y >= 0 && x < kTileSide && y < kTileSide)
            canvas->Set(left + x, top + y, rgb);
    }
    uint32_t Get(int x, int y) const { return canvas->Get(left + x, top + y); }
    void Fill(int x, int y, int w, int h, uint32_t rgb) const
    {
        for (int j = y; j < y + h; ++j)
            for (int i = x; i < x + w; ++i)
                Set(i, j, rgb);
    }
};

// A repeatable noise value in [0, 1) for a tile pixel.
double Noise(int variant, int x, int y, int salt)
{
    uint32_t h = static_cast<uint32_t>(variant * 73856093) ^ static_cast<uint32_t>(x * 19349663) ^
                 static_cast<uint32_t>(y * 83492791) ^ static_cast<uint32_t>(salt * 2654435761u);
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    return (h & 0xFFFF) / 65536.0;
}

void Bevel(const Tile& t, uint32_t colour, bool top, bool right, bool bottom, bool left)
{
    for (int i = 0; i < kTileSide; ++i) {
        if (top)
            t.Set(i, 0, Shade(colour, 1.45));
        if (left)
            t.Set(0, i, Shade(colour, 1.3));
        if (bottom)
            t.Set(i, kTileSide - 1, Shade(colour, 0.55));
        if (right)
            t.Set(kTileSide - 1, i, Shade(colour, 0.65));
    }
}

void Plate(const Tile& t)
{
    const uint32_t base = Mix(t.base, t.accent, (t.variant % 5) / 6.0);
    for (int y = 0; y < kTileSide; ++y)
        for (int x = 0; x < kTileSide; ++x)
            t.Set(x, y, Shade(base, 0.92 + 0.12 * Noise(t.variant, x, y, 1)));
    Bevel(t, base, true, true, true, true);
    const int style = t.variant / 5;
    if (style == 0 || style == 2)
        for (int c : {2, 13})
            for (int r : {2, 13})
                t.Set(c, r, Shade(t.accent, 1.3));
    if (style == 1) {
        for (int i = 1; i < kTileSide - 1; ++i)
            t.Set(i, 7, Shade(base, 0.6));
    }
    if (style == 2)
        for (int i = 4; i < 12; i += 2)
            t.Fill(4, i, 8, 1, Shade(base, 0.5));
    if (style == 3)
        t.Fill(5, 5, 6, 6, Shade(t.accent, 0.8));
}

void Wall(const Tile& t)
{
    // Columns 0 to 15: which of the four sides are open edges (bits top,
    // right, bottom, left); 16 to 18: cracked, studded and dark blocks.
    const int mask = t.variant < 16 ? t.variant : 15;
    for (int y = 0; y < kTileSide; ++y)
        for (int x = 0; x < kTileSide; ++x)
            t.Set(x, y, Shade(t.base, 0.85 + 0.2 * Noise(t.variant, x / 2, y / 2, 2)));
    for (int i = 0; i < kTileSide; ++i) {
        if (mask & 1) {
            t.Set(i, 0, t.accent);
            t.Set(i, 1, Shade(t.accent, 0.7));
        }
        if (mask & 2) {
            t.Set(kTileSide - 1, i, Shade(t.accent, 0.6));
            t.Set(kTileSide - 2, i, Shade(t.accent, 0.45));
        }
        if (mask & 4) {
            t.Set(i, kTileSide - 1, Shade(t.base, 0.35));
            t.Set(i, kTileSide - 2, Shade(t.base, 0.5));
        }
        if (mask & 8) {
            t.Set(0, i, Shade(t.accent, 0.9));
            t.Set(1, i, Shade(t.accent, 0.65));
        }
    }
    if (t.variant == 16)
        for (int i = 3; i < 13; ++i)
            t.Set(i, 3 + (i * 7) % 10, Shade(t.base, 0.4));
    if (t.variant == 17)
        for (int c = 4; c < 13; c += 4)
            for (int r = 4; r < 13; r += 4)
                t.Set(c, r, t.accent);
    if (t.variant == 18)
        t.Fill(2, 2, 12, 12, Shade(t.base, 0.5));
}

void Pipe(const Tile& t)
{
    // Columns 1 to 15: which sides the pipe runs to (top, right, bottom,
    // left); 0 a lone valve; 16 to 18 junction boxes.
    for (int y = 0; y < kTileSide; ++y)
        for (int x = 0; x < kTileSide; ++x)
            t.Set(x, y, Shade(t.base, 0.35 + 0.06 * Noise(t.variant, x, y, 3)));
    const int mask = t.variant >= 1 && t.variant <= 15 ? t.variant : 0;
    auto band = [&](int x0, int y0, int w, int h, bool vertical) {
        for (int j = y0; j < y0 + h; ++j)
            for (int i = x0; i < x0 + w; ++i) {
                const int across = vertical ? i - 5 : j - 5;
                t.Set(i, j, Shade(t.accent, 0.6 + 0.5 * std::sin(3.14159 * (across + 0.5) / 6.0)));
            }
    };
    if (mask & 1)
        band(5, 0, 6, 8, true);
    if (mask & 4)
        band(5, 8, 6, 8, true);
    if (mask & 2)
        band(8, 5, 8, 6, false);
    if (mask & 8)
        band(0, 5, 8, 6, false);
    if (mask == 0 || t.variant >= 16) {
        const int r = t.variant >= 16 ? 5 : 4;
        t.Fill(8 - r, 8 - r, 2 * r, 2 * r, Shade(t.accent, 0.8));
        t.Fill(8 - r + 1, 8 - r + 1, 2 * r - 2, 2 * r - 2, Shade(t.accent, 1.1));
        t.Set(7, 7, Shade(t.base, 0.3));
        t.Set(8, 8, Shade(t.base, 0.3));
    } else {
        t.Fill(6, 6, 4, 4, Shade(t.accent, 0.9));
    }
}

void Light(const Tile& t)
{
    const double hue = t.variant / static_cast<double>(kTilesetColumns) * 6.28318;
    const uint32_t glow = (static_cast<uint32_t>(128 + 127 * std::sin(hue)) << 16) |
                          (static_cast<uint32_t>(128 + 127 * std::sin(hue + 2.094)) << 8) |
                          static_cast<uint32_t>(128 + 127 * std::sin(hue + 4.188));
    t.Fill(0, 0, kTileSide, kTileSide, t.base);
    Bevel(t, t.base, true, true, true, true);
    for (int y = 1; y < kTileSide - 1; ++y)
        for (int x = 1; x < kTileSide - 1; ++x) {
            const double d = std::hypot(x - 7.5, y - 7.5);
            if (d < 6.0)
                t.Set(x, y, Mix(glow, 0xFFFFFF, std::max(0.0, 1.0 - d / 3.0)));
            else if (d < 7.0)
                t.Set(x, y, Mix(t.base, glow, 0.4));
        }
}

void Rock(const Tile& t)
{
    for (int y = 0; y < kTileSide; ++y)
        for (int x = 0; x < kTileSide; ++x) {
            const double n = 0.5 * Noise(t.variant, x / 4, y / 4, 5) +
                             0.3 * Noise(t.variant, x / 2, y / 2, 6) +
                             0.2 * Noise(t.variant, x, y, 7);
            t.Set(x, y, Mix(Shade(t.base, 0.6), t.accent, n));
        }
    if (t.variant % 3 == 0)
        for (int i = 2; i < 14; ++i)
            t.Set(i, 4 + (i * t.variant) % 8, Shade(t.base, 0.35));
}

void Grate(const Tile& t)
{
    for (int y = 0; y < kTileSide; ++y)
        for (int x = 0; x < kTileSide; ++x)
            t.Set(x, y, Shade(t.base, 0.25 + 0.1 * Noise(t.variant, x, y, 16)));
    const int step = 2 + t.variant % 3;
    const bool vertical = (t.variant / 3) % 2 == 1;
    for (int a = 1; a < kTileSide - 1; a += step)
        for (int b = 1; b < kTileSide - 1; ++b)
            vertical ? t.Set(a, b, t.accent) : t.Set(b, a, t.accent);
    Bevel(t, t.base, true, true, true, true);
    if (t.variant >= 12)
        t.Fill(6, 6, 4, 4, Shade(t.base, 0.8));
}

void Hazard(const Tile& t)
{
    const int width = 2 + t.variant % 3;
    const int direction = (t.variant / 3) % 2 == 0 ? 1 : -1;
    for (int y = 0; y < kTileSide; ++y)
        for (int x = 0; x < kTileSide; ++x) {
            const int band = ((x + direction * y + 32) / width) % 2;
            t.Set(x, y,
                  Shade(band == 0 ? t.base : t.accent, 0.88 + 0.12 * Noise(t.variant, x, y, 17)));
        }
    if (t.variant >= 12)
        Bevel(t, 0x808080, true, true, true, true);
}

void Crate(const Tile& t)
{
    const uint32_t wood = Mix(t.base, t.accent, (t.variant % 4) / 5.0);
    for (int y = 0; y < kTileSide; ++y)
        for (int x = 0; x < kTileSide; ++x)
            t.Set(x, y,
                  Shade(wood, 0.85 + 0.25 * Noise(t.variant, 0, y, 8) * Noise(t.variant, x, 0, 9)));
    Bevel(t, wood, true, true, true, true);
    t.Fill(1, 1, 14, 2, Shade(wood, 0.7));
    t.Fill(1, 13, 14, 2, Shade(wood, 0.7));
    if (t.variant % 2 == 0)
        for (int i = 2; i < 14; ++i) {
            t.Set(i, i, Shade(wood, 0.6));
            t.Set(i, kTileSide - 1 - i, Shade(wood, 0.6));
        }
    else
        t.Fill(7, 3, 2, 10, Shade(wood, 0.6));
}

void Circuit(const Tile& t)
{
    t.Fill(0, 0, kTileSide, kTileSide, t.base);
    for (int k = 0; k < 5; ++k) {
        int x = static_cast<int>(Noise(t.variant, k, 0, 10) * 16);
        int y = static_cast<int>(Noise(t.variant, 0, k, 11) * 16);
        const bool across = Noise(t.variant, k, k, 12) < 0.5;
        for (int i = 0; i < 10; ++i) {
            t.Set(x, y, t.accent);
            across ? ++x : ++y;
        }
        t.Set(x, y, 0xF0E070);
    }
    if (t.variant % 4 == 0)
        t.Fill(5, 5, 6, 6, 0x202020);
}

void Crystal(const Tile& t)
{
    t.Fill(0, 0, kTileSide, kTileSide, Shade(t.base, 0.4));
    for (int k = 0; k < 3 + t.variant % 3; ++k) {
        const double cx = 2 + 12 * Noise(t.variant, k, 1, 13);
        const double cy = 2 + 12 * Noise(t.variant, 1, k, 14);
        const double r = 2 + 3 * Noise(t.variant, k, k, 15);
        for (int y = 0; y < kTileSide; ++y)
            for (int x = 0; x < kTileSide; ++x) {
                const double d = std::abs(x - cx) + std::abs(y - cy);
                if (d < r)
                    t.Set(x, y,
                          Mix(t.base, t.accent, 1.0 - d / r + ((x + y) % 3 == 0 ? 0.2 : 0.0)));
            }
    }
}

}  // namespace

bool PaintTileset(const std::string& description, Canvas* canvas, std::string* problem)
{
    const std::map<std::string, std::function<void(const Tile&)>> families = {
        {"plate", Plate},     {"wall", Wall},      {"pipe", Pipe},     {"light", Light},
        {"rock", Rock},       {"grate", Grate},    {"hazard", Hazard}, {"crate", Crate},
        {"circuit", Circuit}, {"crystal", Crystal}};
    std::istringstream lines(description);
    std::string line;
    int row = 0;
    int lineNumber = 0;
    while (std::getline(lines, line)) {
        ++lineNumber;
        const std::string content = line.empty() || line[0] == '#' ? "" : line;
        std::istringstream fields(content);
        std::string family, base, accent;
        if (!(fields >> family))
            continue;
        uint32_t baseRgb = 0, accentRgb = 0;
        if (!(fields >> base >> accent) || !ParseColour(base, &baseRgb) ||
            !ParseColour(accent, &accentRgb) || families.count(family) == 0 ||
            row >= kTilesetRows) {
            *problem = "line " + std::to_string(lineNumber) +
                       ": expected 'family #rrggbb #rrggbb' for row " + std::to_string(row);
            return false;
        }
        for (int column = 0; column < kTilesetColumns; ++column)
            families.at(family)(
                Tile{canvas, column * kTileSide, row * kTileSide, column, baseRgb, accentRgb});
        ++row;
    }
    if (row != kTilesetRows) {
        *problem = "the description has " + std::to_string(row) + " rows, not 10";
        return false;
    }
    return true;
}
