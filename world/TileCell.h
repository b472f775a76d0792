#pragma once

#include <cstdint>

// One cell of the map. textureIndex is the tile number minus 1 as the
// level record set it; assigned marks a cell that a record wrote.
struct TileCell {
    uint32_t tile;
    int32_t textureIndex;
    uint8_t assigned;
};
