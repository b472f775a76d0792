#pragma once

#include <cstdint>

// One slot of the emitter's ring.
struct Particle {
    float x, y, z;
    float vx, vy, vz;
    float size;
    float red, green, blue, alpha;
    uint32_t ageMs;
};
