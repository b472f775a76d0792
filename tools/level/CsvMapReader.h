#pragma once

#include <string>

#include "MapGrid.h"

// Reads a grid of tile numbers in the CSV form Tiled exports for a tile
// layer: one row per line, numbers separated by commas, an optional comma
// at the end of a line, blank lines ignored. Every row must have the same
// length and every number must be a tile number 0 to 190.
// `file` names the input in errors; `firstLine` is the line of the file on
// which `text` starts, for text taken from inside another file. With
// `tiledIds` the numbers are Tiled's global tile ids, whose top bits are
// flip flags: those are refused by name.
bool ReadCsvMap(const std::string& text, const std::string& file, unsigned firstLine, bool tiledIds,
                MapGrid* grid, InputError* error);
