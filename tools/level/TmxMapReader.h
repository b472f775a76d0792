#pragma once

#include <string>

#include "InputFile.h"
#include "MapGrid.h"

// Reads a Tiled map: one orthogonal, finite map with one embedded tileset
// of 16 x 16 tiles in 19 columns starting at global id 1, and one tile
// layer encoded as CSV. Anything else is refused with a message.
bool ReadTmxMap(const std::string& path, MapGrid* grid, InputError* error);

// The same for a map already in memory; `file` names it in errors.
bool ReadTmxText(const std::string& text, const std::string& file, MapGrid* grid, InputError* error);
