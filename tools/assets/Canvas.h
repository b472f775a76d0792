#pragma once

#include <cstdint>
#include <string>
#include <vector>

// An RGB picture to paint assets on, saved as a 24-bit BMP.
class Canvas {
public:
    Canvas(int width, int height, uint32_t background);

    int Width() const { return width_; }
    int Height() const { return height_; }
    uint32_t Get(int x, int y) const;
    // Ignores pixels outside the picture.
    void Set(int x, int y, uint32_t rgb);
    void FillRect(int x, int y, int w, int h, uint32_t rgb);
    // Fills the polygon (even-odd rule, tested at pixel centres).
    void FillPolygon(const std::vector<double>& xy, uint32_t rgb);
    void FillCircle(double cx, double cy, double radius, uint32_t rgb);
    bool SaveBmp(const std::string& path) const;

private:
    int width_;
    int height_;
    std::vector<uint32_t> pixels_;
};

// Mixes two colours: t = 0 gives a, 1 gives b.
uint32_t Mix(uint32_t a, uint32_t b, double t);
// Scales each channel, clamped to 255.
uint32_t Shade(uint32_t rgb, double factor);
// Reads a colour written "#rrggbb"; false for anything else.
bool ParseColour(const std::string& text, uint32_t* rgb);
