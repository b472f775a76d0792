// What strangers hand the game and its tools, as fuzz targets: on any bytes, no crash, hang or
// stray access.
#pragma once

#include <cstddef>
#include <cstdint>

// The level loader's record part: the bytes as a whole level file, read from its record offset on.
int FuzzLevelRecords(const uint8_t* data, size_t size);
// The bitmap part: the checks and SDL's BMP reader, then for 304 x 160 the cutting of the 190
// tiles.
int FuzzTilesetBitmap(const uint8_t* data, size_t size);
// flyer-level's map readers, and its export of a level (CSV and tileset).
int FuzzCsvMap(const uint8_t* data, size_t size);
int FuzzTmxMap(const uint8_t* data, size_t size);
int FuzzLevelExport(const uint8_t* data, size_t size);
int FuzzJsonMap(const uint8_t* data, size_t size);
