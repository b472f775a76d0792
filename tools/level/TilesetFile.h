#pragma once

#include <string>

#include "MapGrid.h"

// Reads a tileset bitmap for a new level: a BMP that SDL reads, 304 x 160
// pixels, whose header's bfSize is the length of the file (so that records
// appended after it are found where the game looks for them).
bool ReadTileset(const std::string& path, std::string* bytes, InputError* error);
