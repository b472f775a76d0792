#pragma once

#include <cstdint>

#include "actors/Particle.h"
#include "actors/ParticleParams.h"

// Emits particles at a steady rate from one point with random spread, moves
// and fades them, and draws the live ones as tinted soft spots. All storage
// is one ring of 1000 slots.
class ParticleEmitter {
public:
    static const uint32_t MaxParticles = 1000;

    virtual ~ParticleEmitter() {}

    // Stores the configuration with its colours, sizes and spreads clamped,
    // and restarts emission from slot 0 with an empty bank.
    bool SetParams(const ParticleParams& block);
    // Builds the 16 x 16 spot texture.
    bool MakeTexture();
    bool SetEmitting(bool on);
    bool SetPosition(float x, float y);
    bool SetVelocity(float vx, float vy);
    // Emits what the banked time pays for, then moves every live particle.
    bool Update(uint32_t elapsedMs);
    bool Draw();
    bool IsDead(const Particle& particle) const;

    // The spot's alpha at texel (x, y): 255 at (8, 8), falling by 32 per
    // texel of distance.
    static uint8_t SpotAlpha(int x, int y);

    uint32_t texture = 0;
    uint32_t accumulatorMs = 0;
    ParticleParams params = {};
    Particle particles[MaxParticles] = {};
    uint32_t next = 0;
    bool emitting = false;

private:
    struct Step {
        float dt;
        uint32_t ms;
        float red, green, blue, alpha;
        float vx, vy, vz;
        float size;
    };

    void Emit();
    void Advance(Particle& particle, const Step& step) const;
};
