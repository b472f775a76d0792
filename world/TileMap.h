#pragma once

#include <cstdint>
#include <cstdio>

#include "world/LevelRecord.h"
#include "world/TileCell.h"

struct SDL_Surface;

// Copies tile `index` (0 to 189) of a 304 x 160 tileset into a new 16 x 16
// RGBA surface. Null after printing the failing SDL call.
SDL_Surface* CutTile(SDL_Surface* tileset, uint32_t index);

// The 1024 x 1024 grid of cells with its 190 tile textures, loaded from one
// level file: a 304 x 160 tileset bitmap with cell records appended.
class TileMap {
public:
    TileMap();
    virtual ~TileMap() {}

    // Loads the tileset and the records. Prints the failing call, if any,
    // and returns false.
    bool Load(const char* path);
    // Draws every non-empty cell from (x0, y0) to (x0 + w, y0 + h), both
    // ends included, skipping cells beyond the map.
    bool DrawWindow(uint32_t x0, uint32_t y0, uint32_t w, uint32_t h);
    // Draws one tile as a unit square with its lower left corner at (x, y).
    // False, drawing nothing, for an index of 190 or more.
    bool DrawTile(float x, float y, uint32_t index);
    // True outside the grid and on every non-empty cell.
    bool IsSolid(int32_t x, int32_t y) const;
    // Reads the record offset and the records from an open level file, as
    // Load does after the tileset. Prints "fread()" and returns false when
    // the offset cannot be read.
    bool ReadRecords(FILE* file);
    // Applies one record word as the loader does: an accepted record writes
    // cell (x, 1023 - y), any other is skipped. True when applied.
    bool ApplyRecord(uint32_t word);

    TileCell cells[kMapSize][kMapSize];
    uint32_t textures[kTileCount];

private:
    bool LoadTiles(SDL_Surface* tileset);
    bool LoadRecords(const char* path);
};
