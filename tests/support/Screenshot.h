#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Rgb {
    uint8_t r, g, b;
};

// An 8-bit RGB picture of a whole X screen.
struct Screenshot {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;

    Rgb At(int x, int y) const;
    // Writes the picture as PNG (through ImageMagick), for people to look at.
    bool SavePng(const std::string& path) const;
};

// Takes the root window of the display with xwd and ImageMagick. Empty
// (width 0) when that fails.
Screenshot TakeScreenshot(const std::string& display);
