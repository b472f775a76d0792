#pragma once

#include <cstdint>

#include "actors/FleetShip.h"
#include "world/TexRect.h"

// Up to 100 further ship sprites, each drawn with one of the eight frames
// of ships.bmp.
class ShipFleet {
public:
    static const uint32_t MaxFleetShips = 100;
    static const uint32_t FleetFrames = 8;

    virtual ~ShipFleet() {}

    bool Reset();
    // Loads the 288 x 36 sheet and cuts it into eight frames. False,
    // changing nothing, when it cannot be read or has another size.
    bool LoadTexture(const char* path);
    // Copies the ship into the first free slot and writes its index; false
    // with index 0 when every slot is taken.
    bool Add(const FleetShip& ship, uint32_t& index);
    bool Remove(uint32_t index);
    bool Set(uint32_t index, const FleetShip& ship);
    bool IsFree(const FleetShip& ship) const;
    bool Update(uint32_t elapsedMs);
    bool Draw();

    uint32_t texture = 0;
    TexRect frames[FleetFrames] = {};
    FleetShip ships[MaxFleetShips] = {};
};
