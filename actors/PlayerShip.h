#pragma once

#include <cstdint>

#include "world/TexRect.h"

// The player's ship as drawn: a rotated 2 x 2 square from ship.bmp.
class PlayerShip {
public:
    virtual ~PlayerShip() {}

    bool Reset();
    // Loads a 36 x 36 bitmap as the ship's texture. False, changing
    // nothing, when it cannot be read or has another size.
    bool LoadTexture(const char* path);
    bool SetPosition(float newX, float newY);
    // Stores the angle in degrees, wrapped into 0..360.
    bool SetAngle(float newAngle);
    bool Draw();

    float x = 0.0f;
    float y = 0.0f;
    float angle = 0.0f;
    uint32_t texture = 0;
    TexRect texRect = {0.0f, 0.0f, 0.0f, 0.0f};
};
