#include "Canvas.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

Canvas::Canvas(int width, int height, uint32_t background)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, background)
{
}

uint32_t Canvas::Get(int x, int y) const
{
    return pixels_[static_cast<size_t>(y) * width_ + x];
}

void Canvas::Set(int x, int y, uint32_t rgb)
{
    if (x >= 0 && y >= 0 && x < width_ && y < height_)
        pixels_[static_cast<size_t>(y) * width_ + x] = rgb;
}

void Canvas::FillRect(int x, int y, int w, int h, uint32_t rgb)
{
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i)
            Set(i, j, rgb);
}

void Canvas::FillPolygon(const std::vector<double>& xy, uint32_t rgb)
{
    const size_t n = xy.size() / 2;
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const double px = x + 0.5, py = y + 0.5;
            bool inside = false;
            for (size_t i = 0, j = n - 1; i < n; j = i++) {
                const double xi = xy[2 * i], yi = xy[2 * i + 1], xj = xy[2 * j], yj = xy[2 * j + 1];
                if ((yi > py) != (yj > py) && px < (xj - xi) * (py - yi) / (yj - yi) + xi)
                    inside = !inside;
            }
            if (inside)
                Set(x, y, rgb);
        }
    }
}

void Canvas::FillCircle(double cx, double cy, double radius, uint32_t rgb)
{
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            if (std::hypot(x + 0.5 - cx, y + 0.5 - cy) <= radius)
                Set(x, y, rgb);
}

bool Canvas::SaveBmp(const std::string& path) const
{
    SDL_Surface* surface =
        SDL_CreateRGBSurface(0, width_, height_, 24, 0xFF0000, 0x00FF00, 0x0000FF, 0);
    if (surface == nullptr)
        return false;
    for (int y = 0; y < height_; ++y) {
        Uint8* row = static_cast<Uint8*>(surface->pixels) + y * surface->pitch;
        for (int x = 0; x < width_; ++x) {
            const uint32_t c = Get(x, y);
            row[x * 3 + 0] = static_cast<Uint8>(c);
            row[x * 3 + 1] = static_cast<Uint8>(c >> 8);
            row[x * 3 + 2] = static_cast<Uint8>(c >> 16);
        }
    }
    const bool saved = SDL_SaveBMP(surface, path.c_str()) == 0;
    SDL_FreeSurface(surface);
    return saved;
}

uint32_t Mix(uint32_t a, uint32_t b, double t)
{
    uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const double ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
        out |= static_cast<uint32_t>(std::lround(ca + (cb - ca) * t)) << shift;
    }
    return out;
}

uint32_t Shade(uint32_t rgb, double factor)
{
    uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const double c = ((rgb >> shift) & 0xFF) * factor;
        out |= static_cast<uint32_t>(std::min(255.0, std::max(0.0, std::round(c)))) << shift;
    }
    return out;
}

bool ParseColour(const std::string& text, uint32_t* rgb)
{
    if (text.size() != 7 || text[0] != '#')
        return false;
    char* end = nullptr;
    const unsigned long value = strtoul(text.c_str() + 1, &end, 16);
    if (*end != '\0')
        return false;
    *rgb = static_cast<uint32_t>(value);
    return true;
}
