#pragma once

#include <cstdint>

#include "actors/Bullet.h"
#include "world/TexRect.h"

// A ring of the last 1000 bullets fired. Bullets fly straight for ever and
// are drawn as tinted 0.5 x 0.5 squares from bullet.bmp.
class BulletPool {
public:
    static const uint32_t MaxBullets = 1000;

    virtual ~BulletPool() {}

    bool Reset();
    // Loads an 8 x 8 bitmap as the bullets' texture. False, changing
    // nothing, when it cannot be read or has another size.
    bool LoadTexture(const char* path);
    // Copies the bullet into the next slot, its kind clamped to 1..4.
    bool Add(const Bullet& bullet);
    bool IsFree(const Bullet& bullet) const;
    bool Update(uint32_t elapsedMs);
    bool Draw();

    uint32_t next = 0;
    uint32_t texture = 0;
    TexRect texRect = {0.0f, 0.0f, 0.0f, 0.0f};
    Bullet bullets[MaxBullets] = {};
};
