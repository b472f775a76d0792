#pragma once

#include <string>

#include "InputFile.h"
#include "MapGrid.h"

// What the numbers of a CSV map mean.
enum class CsvForm {
    kFlyer,       // tile numbers 1 to 190, 0 for an empty cell
    kTiledLayer,  // a Tiled layer's global tile ids, whose top bits are flip flags
};

// Reads a grid of tile numbers in the CSV form Tiled uses for a tile
// layer: one row per line, numbers separated by commas, an optional comma
// at the end of a line, blank lines ignored, a UTF-8 byte order mark at
// the start skipped. Every row must have the same length and every number
// must be a tile number 0 to 190; flipped tiles are refused by name.
// `file` names the input in errors; `firstLine` is the line of the file on
// which `text` starts, for text taken from inside another file.
bool ReadCsvMap(const std::string& text, const std::string& file, CsvForm form, MapGrid* grid, InputError* error,
                unsigned firstLine = 1);
