#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "InputFile.h"
#include "MapGrid.h"

// A Tiled map as its TMX and JSON readers find it, before it becomes a
// grid. Numbers are kept as the file gives them, to be judged in one place.
struct TiledTileset {
    unsigned line = 0;  // where the map names it
    std::string name;
    int64_t firstGid = 0;
    int64_t tileWidth = 0;
    int64_t tileHeight = 0;
    int64_t columns = -1;     // -1: not given
    int64_t imageWidth = -1;  // -1: not given
    int64_t margin = 0;
    int64_t spacing = 0;
};

// A rectangle of global tile ids: the whole layer of a fixed-size map, or
// one chunk of an infinite one (x and y in the map's cells).
struct TiledChunk {
    int64_t x = 0;
    int64_t y = 0;
    int64_t width = 0;
    int64_t height = 0;
    std::vector<uint32_t> gids;
};

// A tile layer; a layer inside a hidden group is hidden too.
struct TiledLayer {
    unsigned line = 0;
    std::string name;
    bool visible = true;
    int64_t width = 0;
    int64_t height = 0;
    std::vector<TiledChunk> chunks;
};

struct TiledMap {
    unsigned line = 0;
    std::string orientation = "orthogonal";
    bool infinite = false;
    int64_t width = 0;
    int64_t height = 0;
    int64_t tileWidth = 16;
    int64_t tileHeight = 16;
    std::vector<TiledTileset> tilesets;
    std::vector<TiledLayer> layers;     // bottom to top, groups flattened
    uint64_t cells = 0;                 // gids held by all chunks, kept within kMaxTiledCells
    std::optional<std::string> origin;  // the map's property "origin" as given, if any
    unsigned originLine = 0;
};

// The most cells a map's layers may hold in all: 16 layers of the whole
// 1024 x 1024 map.
const uint64_t kMaxTiledCells = 16u << 20;

// Checks a rectangle of `width` x `height` cells against what a level can
// hold and against the map's cell budget, and counts it. False, with the
// message set, when it does not fit.
bool ReserveTiledCells(int64_t width, int64_t height, TiledMap* map, std::string* message);

// The refusal of a layer or group drawn off the grid by an offset.
std::string OffsetMessage(const char* layerName);

// The grid a level is built from, as Tiled shows the map: the topmost
// non-empty cell of the visible tile layers wins. A fixed-size map gives
// its whole declared size; an infinite one the bounding box of the cells
// that hold a tile. Hidden layers are left out and named in grid->notes;
// the property "origin" is passed on.
// What the game cannot show is refused by name.
bool FlattenTiledMap(const TiledMap& map, const std::string& file, MapGrid* grid,
                     InputError* error);
