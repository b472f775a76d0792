// The inputs that strangers hand the game and its tools, as fuzz targets:
// each takes any bytes and must neither crash, hang nor touch memory it
// does not own. libFuzzer drives them in the fuzz build; the regression
// test replays the seeds and every input a fuzzer found.
#pragma once

#include <cstddef>
#include <cstdint>

// The level loader's record part: the bytes as a whole level file, read
// from its record offset on.
int FuzzLevelRecords(const uint8_t* data, size_t size);
// The bitmap part: the checks and SDL's BMP reader on the bytes, then, for
// a 304 x 160 result, the cutting of all 190 tiles as the loader does.
int FuzzTilesetBitmap(const uint8_t* data, size_t size);
// flyer-level's map readers.
int FuzzCsvMap(const uint8_t* data, size_t size);
int FuzzTmxMap(const uint8_t* data, size_t size);
int FuzzJsonMap(const uint8_t* data, size_t size);
