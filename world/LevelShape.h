// The shape of a level: the map's side in cells and the tileset bitmap
// that holds the tile images, 19 columns by 10 rows of 16 x 16 pixels.
#pragma once

#include <cstdint>

const uint32_t kMapSize = 1024;
const uint32_t kTileCount = 190;

const int kTileSide = 16;
const int kTilesetColumns = 19;
const int kTilesetRows = 10;
const int kTilesetWidth = kTilesetColumns * kTileSide;
const int kTilesetHeight = kTilesetRows * kTileSide;

static_assert(kTilesetColumns * kTilesetRows == kTileCount, "the tileset holds every tile");
