#pragma once

#include <cstdint>
#include <string>

#include "InputFile.h"

// Reads a tileset bitmap for a new level: a BMP that SDL reads, 304 x 160
// pixels, whose header's bfSize is the length of the file (so that records
// appended after it are found where the game looks for them).
bool ReadTileset(const std::string& path, std::string* bytes, InputError* error);

// Reads a level's tileset part, its first `length` bytes (the header's
// bfSize), and checks it as ReadTileset checks a tileset, so that a level
// is rebuilt from what this gives.
bool ReadTilesetPart(const std::string& levelPath, uint32_t length, std::string* bytes,
                     InputError* error);
