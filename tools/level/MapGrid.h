#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A rectangle of tile numbers as a map source gives it: row 0 is the top
// row, 0 is an empty cell.
struct MapGrid {
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint32_t> tiles;        // row by row
    std::vector<std::string> notes;     // what the reader left out, for the user
    std::optional<std::string> origin;  // the map's property "origin" as given, if any
    unsigned originLine = 0;            // where the map gives it; 0 when unknown

    uint32_t At(uint32_t column, uint32_t row) const { return tiles[row * width + column]; }
};
