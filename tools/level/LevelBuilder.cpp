#include "LevelBuilder.h"

#include "world/LevelRecord.h"

bool BuildLevelBytes(const std::string& tileset, const MapGrid& grid, uint32_t originX,
                     uint32_t originY, std::string* level, InputError* error)
{
    if (static_cast<uint64_t>(originX) + grid.width > kMapSize ||
        static_cast<uint64_t>(originY) + grid.height > kMapSize) {
        error->message = "the " + Size(grid.width, grid.height) + " grid at origin " +
                         std::to_string(originX) + "," + std::to_string(originY) +
                         " reaches beyond the " + Size(kMapSize, kMapSize) + " map";
        return false;
    }
    *level = tileset;
    for (uint32_t row = 0; row < grid.height; ++row) {
        for (uint32_t column = 0; column < grid.width; ++column) {
            const uint32_t tile = grid.At(column, row);
            if (tile == 0)
                continue;
            unsigned char word[4];
            WriteLittleEndian32(EncodeCellRecord(originX + column, originY + row, tile), word);
            level->append(reinterpret_cast<const char*>(word), 4);
        }
    }
    return true;
}
