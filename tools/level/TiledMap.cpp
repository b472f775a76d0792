#include "TiledMap.h"

#include <algorithm>

#include "world/LevelShape.h"

namespace {

// Tiled keeps horizontal, vertical, diagonal and hexagonal flips in the
// top four bits of a global tile id.
const uint32_t kFlipFlags = 0xF0000000u;

// Chunks farther out than this are refused before their cells are counted.
const int64_t kFarthest = int64_t(1) << 40;

bool CheckTileset(const TiledMap& map, std::string* message, unsigned* line)
{
    if (map.tilesets.empty()) {
        *message = "the map has no tileset; draw it with the level's " +
                   std::to_string(kTileCount) + "-tile tileset";
        return false;
    }
    if (map.tilesets.size() > 1) {
        *line = map.tilesets[1].line;
        *message = "a second tileset '" + map.tilesets[1].name +
                   "': a level has one tileset, the " + std::to_string(kTileCount) +
                   " tiles of its bitmap";
        return false;
    }
    const TiledTileset& tileset = map.tilesets[0];
    *line = tileset.line;
    if (tileset.firstGid != 1) {
        *message = "the tileset must start at global tile id 1";
        return false;
    }
    const bool columnsFit = tileset.columns >= 0
                                ? tileset.columns == kTilesetColumns
                                : tileset.imageWidth < 0 || tileset.imageWidth == kTilesetWidth;
    if (tileset.tileWidth != kTileSide || tileset.tileHeight != kTileSide || !columnsFit ||
        tileset.margin != 0 || tileset.spacing != 0) {
        *message = "the tileset's tiles must be " + Size(kTileSide, kTileSide) + " in " +
                   std::to_string(kTilesetColumns) + " columns, with no margin or spacing";
        return false;
    }
    return true;
}

}  // namespace

std::string OffsetMessage(const char* layerName)
{
    return "layer '" + std::string(layerName != nullptr ? layerName : "") +
           "' has an offset; a level's tiles lie on the map's grid (Layer Properties, Offset: 0, "
           "0)";
}

bool ReserveTiledCells(int64_t width, int64_t height, TiledMap* map, std::string* message)
{
    if (width < 0 || height < 0 || width > kMapSize || height > kMapSize) {
        *message = "a layer or chunk of " + Size(width, height) + " cells; a level holds at most " +
                   Size(kMapSize, kMapSize);
        return false;
    }
    map->cells += static_cast<uint64_t>(width * height);
    if (map->cells > kMaxTiledCells) {
        *message =
            "the map's layers hold more than " + std::to_string(kMaxTiledCells) + " cells in all";
        return false;
    }
    return true;
}

bool FlattenTiledMap(const TiledMap& map, const std::string& file, MapGrid* grid, InputError* error)
{
    *grid = MapGrid();
    grid->origin = map.origin;
    grid->originLine = map.originLine;
    *error = InputError{file, map.line, 0, ""};
    auto fail = [&](unsigned line, const std::string& message) {
        error->line = line;
        error->message = message;
        return false;
    };
    if (map.orientation != "orthogonal")
        return fail(map.line, "orientation '" + map.orientation +
                                  "' is not orthogonal; a level is a square grid");
    if (map.tileWidth != kTileSide || map.tileHeight != kTileSide)
        return fail(map.line, "the map's grid is " + Size(map.tileWidth, map.tileHeight) +
                                  " pixels, not the " + Size(kTileSide, kTileSide) +
                                  " of a level's tiles");
    unsigned line = map.line;
    std::string message;
    if (!CheckTileset(map, &message, &line))
        return fail(line, message);

    // Where the grid's top-left cell lies in the map, and its size.
    int64_t left = 0, top = 0, right = map.width, bottom = map.height;
    if (map.infinite) {
        left = top = INT64_MAX;
        right = bottom = INT64_MIN;
    } else if (map.width > kMapSize || map.height > kMapSize) {
        return fail(map.line, "the map is " + Size(map.width, map.height) +
                                  " cells; a level holds at most " + Size(kMapSize, kMapSize));
    }
    for (const TiledLayer& layer : map.layers) {
        if (!layer.visible) {
            grid->notes.push_back("hidden layer '" + layer.name + "' left out");
            continue;
        }
        if (!map.infinite && (layer.width != map.width || layer.height != map.height))
            return fail(layer.line, "layer '" + layer.name + "' is " +
                                        Size(layer.width, layer.height) + " cells, the map " +
                                        Size(map.width, map.height));
        for (const TiledChunk& chunk : layer.chunks) {
            if (chunk.x < -kFarthest || chunk.x > kFarthest || chunk.y < -kFarthest ||
                chunk.y > kFarthest)
                return fail(layer.line,
                            "layer '" + layer.name + "' has a chunk at " + std::to_string(chunk.x) +
                                "," + std::to_string(chunk.y) + ", beyond any map Tiled makes");
            for (int64_t i = 0; i < chunk.width * chunk.height; ++i) {
                const uint32_t gid = chunk.gids[static_cast<size_t>(i)];
                if (gid == 0)
                    continue;
                const int64_t x = chunk.x + i % chunk.width, y = chunk.y + i / chunk.width;
                const std::string where = "layer '" + layer.name + "', column " +
                                          std::to_string(x) + ", row " + std::to_string(y) + ": ";
                if ((gid & kFlipFlags) != 0)
                    return fail(layer.line,
                                where + "tile " + std::to_string(gid & ~kFlipFlags) +
                                    " is flipped or rotated; flyer draws tiles only as they are");
                if (gid > kTileCount)
                    return fail(layer.line, where + "global tile id " + std::to_string(gid) +
                                                " is not in the one " + std::to_string(kTileCount) +
                                                "-tile tileset");
                if (map.infinite) {
                    left = std::min(left, x);
                    top = std::min(top, y);
                    right = std::max(right, x + 1);
                    bottom = std::max(bottom, y + 1);
                }
            }
        }
    }
    if (right <= left || bottom <= top)
        return true;  // nothing to place
    if (right - left > kMapSize || bottom - top > kMapSize)
        return fail(map.line, "the map's tiles span " + Size(right - left, bottom - top) +
                                  " cells; a level holds at most " + Size(kMapSize, kMapSize));

    grid->width = static_cast<uint32_t>(right - left);
    grid->height = static_cast<uint32_t>(bottom - top);
    grid->tiles.assign(static_cast<size_t>(grid->width) * grid->height, 0);
    for (const TiledLayer& layer : map.layers) {
        if (!layer.visible)
            continue;
        for (const TiledChunk& chunk : layer.chunks) {
            for (int64_t i = 0; i < chunk.width * chunk.height; ++i) {
                const uint32_t gid = chunk.gids[static_cast<size_t>(i)];
                const int64_t x = chunk.x + i % chunk.width - left,
                              y = chunk.y + i / chunk.width - top;
                if (gid != 0 && x >= 0 && y >= 0 && x < grid->width && y < grid->height)
                    grid->tiles[static_cast<size_t>(y * grid->width + x)] = gid;
            }
        }
    }
    return true;
}
