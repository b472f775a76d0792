#pragma once

#include <cstdint>
#include <string>

#include "LevelInspector.h"

// A rectangle of map cells, rows counted from the top.
struct PictureArea {
    uint32_t column = 0;
    uint32_t row = 0;
    uint32_t width = kMapSize;
    uint32_t height = kMapSize;
};

// The cell where the ship starts: (512.0, 512.0) with y up lies in column
// 512, row 1023 - 512 from the top.
const uint32_t kStartColumn = 512;
const uint32_t kStartRow = 511;

// The widest picture render makes, in pixels a side.
const uint32_t kMaxPictureSide = 8192;

// The cells that hold tiles and the start cell, with a margin of cells
// around them, within the map.
PictureArea UsedPictureArea(const LevelReport& report, uint32_t margin);

// Draws the area of the level as a PNG, `scale` pixels (1 to 16) to a
// cell: each tile from the level's own tileset (`tilesetBmp`, the bitmap
// part of the level file), shrunk by averaging; empty cells dark; the
// start cell yellow inside a yellow frame. False, with the problem set,
// when the tileset cannot be read or the picture would be too large.
bool RenderLevelPng(const LevelReport& report, const std::string& tilesetBmp,
                    const PictureArea& area, uint32_t scale, std::string* png,
                    std::string* problem);
