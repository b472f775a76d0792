#pragma once

#include <cstdint>
#include <string>

#include "LevelInspector.h"

// The files that open a level in Tiled: a fixed-size map of the used part
// of the level (one CSV tile layer; an empty level gives one empty cell)
// naming its tileset file, and the tileset naming its image, the level's
// own bitmap. Names are written as given, relative to the map. Sets where
// the map's top-left cell lies, for build's --origin.
std::string TmxForLevel(const LevelReport& report, const std::string& tilesetName,
                        uint32_t* originX, uint32_t* originY);
std::string TsxForLevel(const std::string& imageName);
