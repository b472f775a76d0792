#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A square RGBA picture, rows top first, 4 bytes a pixel.
struct RgbaIcon {
    int size = 0;
    std::vector<uint8_t> rgba;
};

// Paints a sprite's shape description (square, sourceSize pixels a side) as
// an icon of size x size pixels. The sprite is drawn four times larger than
// the icon and each 4 x 4 block is averaged; black, the sprites' transparent
// colour, counts as clear. False, with a message, on a line it cannot read.
bool PaintIcon(const std::string& description, int sourceSize, int size, RgbaIcon* icon,
               std::string* problem);

// Writes the icon as an 8-bit RGBA PNG; false if it cannot.
bool SavePng(const RgbaIcon& icon, const std::string& path);
