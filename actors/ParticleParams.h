#pragma once

#include <cstdint>

// An emitter's configuration: where and how fast particles start, how they
// accelerate, how their size and colour change per second, how long they
// live and how often one is emitted.
struct ParticleParams {
    float posX, posY, posZ;
    float velX, velY, velZ;
    float accelX, accelY, accelZ;
    float reserved0;
    float size;
    float sizeRate;
    float red, green, blue, alpha;
    float redRate, greenRate, blueRate, alphaRate;
    float posSpread;
    float velSpread;
    float reserved1;
    uint32_t lifeMs;
    uint32_t intervalMs;
};

// The engine exhaust: translucent blue squares that redden, fade and grow,
// one every 20 ms, each living about a second.
ParticleParams ExhaustParams();
