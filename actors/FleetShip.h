#pragma once

#include <cstdint>

// One slot of the fleet. kind 0 is free; 1 to 8 draw frame kind - 1; any
// other kind is occupied but never drawn.
struct FleetShip {
    float x;
    float y;
    float vx;
    float vy;
    float angle;
    int32_t kind;
};
