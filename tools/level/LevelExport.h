#pragma once

#include <cstdint>
#include <string>

#include "LevelInspector.h"

// The used part of the map as Tiled's CSV: rows separated by ",\n", the
// cells of a row by ",". Writes where its top-left cell lies, for build's
// --origin. An empty map gives empty text at origin 0,0.
std::string ExportCsv(const LevelReport& report, uint32_t* originX, uint32_t* originY);
