#pragma once

#include <cstdint>
#include <string>

#include "LevelInspector.h"

// The files that open a level in Tiled: a fixed-size map of the used part
// of the level (one CSV tile layer; an empty level gives one empty cell),
// whose property "origin" says where its top-left cell lies as build's
// --origin takes it ("X,Y"), and its tileset naming its image, the level's
// own bitmap. Sets that origin. The tileset is the map's <tileset> element,
// one of the two below. Names are written as given, relative to the map.
std::string TmxForLevel(const LevelReport& report, const std::string& tileset, uint32_t* originX,
                        uint32_t* originY);
// The map's <tileset>: naming the tileset file, or holding the tileset.
std::string TilesetFileEntry(const std::string& tilesetName);
std::string EmbeddedTileset(const std::string& imageName);
// The tileset file.
std::string TsxForLevel(const std::string& imageName);
