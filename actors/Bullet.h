#pragma once

#include <cstdint>

// A shot as the flight model hands it to the bullet pool. kind 0 is a free
// slot; 1 to 4 pick the tint.
struct Bullet {
    float x;
    float y;
    float vx;
    float vy;
    int32_t kind;
};
