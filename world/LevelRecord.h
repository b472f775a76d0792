// The 4-byte cell records that follow the tileset bitmap in a level file.
#pragma once

#include <cstdint>

#include "world/LevelShape.h"

// One decoded record word: bits 0-11 x, bits 12-23 y (counted from the top
// row of the map), bits 24-31 the tile number, 0 meaning empty.
struct CellRecord {
    uint32_t x;
    uint32_t y;
    uint32_t tile;
};

inline CellRecord DecodeCellRecord(uint32_t word)
{
    return CellRecord{word & 0xFFFu, (word >> 12) & 0xFFFu, word >> 24};
}

inline uint32_t EncodeCellRecord(uint32_t x, uint32_t y, uint32_t tile)
{
    return (x & 0xFFFu) | ((y & 0xFFFu) << 12) | (tile << 24);
}

// A record the loader applies; any other is skipped.
inline bool IsAcceptedRecord(const CellRecord& record)
{
    return record.x < kMapSize && record.y < kMapSize && record.tile <= kTileCount;
}

inline uint32_t ReadLittleEndian32(const unsigned char* bytes)
{
    return static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
           (static_cast<uint32_t>(bytes[2]) << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

inline void WriteLittleEndian32(uint32_t value, unsigned char* bytes)
{
    bytes[0] = static_cast<unsigned char>(value);
    bytes[1] = static_cast<unsigned char>(value >> 8);
    bytes[2] = static_cast<unsigned char>(value >> 16);
    bytes[3] = static_cast<unsigned char>(value >> 24);
}
