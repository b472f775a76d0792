#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "InputFile.h"
#include "world/LevelRecord.h"

// What a level file holds, read the way the game reads it.
struct LevelReport {
    bool loadable = false;  // the game would accept it
    std::string refusal;    // why it would not

    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    uint64_t fileLength = 0;
    uint32_t recordOffset = 0;

    uint64_t records = 0;
    uint64_t applied = 0;
    uint64_t skippedX = 0;  // skipped for x, the first field out of range
    uint64_t skippedY = 0;
    uint64_t skippedTile = 0;
    uint64_t replaced = 0;  // applied to a cell an earlier record wrote
    uint64_t emptying = 0;  // applied with tile 0
    size_t fragment = 0;

    // The map after every record: tile numbers, row by row from the top.
    std::vector<uint8_t> tiles = std::vector<uint8_t>(kMapSize * kMapSize, 0);

    uint8_t TileAt(uint32_t x, uint32_t rowFromTop) const
    {
        return tiles[rowFromTop * kMapSize + x];
    }
};

void InspectLevel(const std::string& path, LevelReport* report);

// Inspects a level that the game must load: false, with the error saying
// why the game would refuse it, when it does not.
bool InspectLoadable(const std::string& path, LevelReport* report, InputError* error);

// The report as `info` prints it.
std::string DescribeLevel(const std::string& path, const LevelReport& report);

// The smallest rectangle holding every non-empty cell; false for an empty
// map.
bool UsedBounds(const LevelReport& report, uint32_t* x0, uint32_t* y0, uint32_t* x1, uint32_t* y1);
