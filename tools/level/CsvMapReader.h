#pragma once

#include <string>

#include "InputFile.h"
#include "MapGrid.h"

// What the numbers of a CSV map mean.
enum class CsvForm {
    kFlyer,        // tile numbers 1 to 190, 0 for an empty cell
    kTiledExport,  // Tiled's CSV export of a layer: tiles from 0, -1 empty
};

// Reads a grid of tile numbers as CSV: one row per line, numbers separated
// by commas, an optional comma at the end of a line, blank lines ignored,
// a UTF-8 byte order mark at the start skipped. Every row must have the
// same length. In flyer's form a negative number is refused with a pointer
// to --tiled-csv; in Tiled's export form flip flags in the top bits are
// refused by name. `file` names the input in errors; `firstLine` is the
// line of the file on which `text` starts.
bool ReadCsvMap(const std::string& text, const std::string& file, CsvForm form, MapGrid* grid,
                InputError* error, unsigned firstLine = 1);
