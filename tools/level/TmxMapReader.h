#pragma once

#include <string>

#include "InputFile.h"
#include "MapGrid.h"

// Reads a Tiled map saved as TMX: its one tileset embedded or in a .tsx
// (or .tsj) file beside the map, its tile layers at any depth of groups in
// any layer format Tiled writes, fixed-size or infinite. The grid is what
// Tiled shows (see FlattenTiledMap); anything a level cannot hold is
// refused with a message.
bool ReadTmxMap(const std::string& path, MapGrid* grid, InputError* error);

// The same for a map already in memory; `file` names it in errors and
// external tilesets are found beside it.
bool ReadTmxText(const std::string& text, const std::string& file, MapGrid* grid,
                 InputError* error);
