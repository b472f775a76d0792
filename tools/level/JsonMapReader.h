#pragma once

#include <string>

#include "InputFile.h"
#include "MapGrid.h"

// Reads a Tiled map saved as JSON (.tmj, .json), with what the TMX reader
// takes: one tileset embedded or in a file beside the map, tile layers at
// any depth of groups, data as an array of ids or base64 (raw, zlib, gzip
// or zstd), fixed-size or infinite.
bool ReadJsonMap(const std::string& path, MapGrid* grid, InputError* error);

// The same for a map already in memory; `file` names it in errors.
bool ReadJsonText(const std::string& text, const std::string& file, MapGrid* grid,
                  InputError* error);
