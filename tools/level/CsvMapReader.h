#pragma once

#include <string>

#include "MapGrid.h"

// Reads a grid of tile numbers as CSV: one row per line, numbers separated
// by commas, an optional comma at the end of a line, blank lines ignored.
// Every row must have the same length. Without `tiledExport` the numbers
// are flyer's, 0 empty and 1 to 190 a tile; a negative number is refused
// with a pointer to --tiled-csv.
// `file` names the input in errors; `firstLine` is the line of the file on
// which `text` starts. With `tiledExport` they are in the form of Tiled's
// CSV export: tiles counted from 0, -1 empty, flip flags in the top bits
// (those are refused by name).
bool ReadCsvMap(const std::string& text, const std::string& file, unsigned firstLine, bool tiledExport,
                MapGrid* grid, InputError* error);
