#pragma once

#include <cstdint>
#include <string>

#include "InputFile.h"
#include "MapGrid.h"

// The level bytes: the tileset unchanged, then one record per non-empty
// cell of the grid, row by row from the top, the grid's top-left cell at
// map column originX and row originY (rows counted from the map's top).
// False when the grid does not fit in the map at that origin.
bool BuildLevelBytes(const std::string& tileset, const MapGrid& grid, uint32_t originX,
                     uint32_t originY, std::string* level, InputError* error);
