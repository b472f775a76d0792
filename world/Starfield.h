#pragma once

#include <cstdint>

// A fixed cloud of pale points behind the map, filled once from a seeded
// sequence of rand() and drawn as one batch of points every frame.
class Starfield {
public:
    static const int kStarCount = 20000;

    virtual ~Starfield() {}

    // Fills every star for mode 1 and returns true; any other mode changes
    // nothing and returns false.
    bool Init(int32_t mode, uint32_t seed);
    bool Draw();

    float colours[kStarCount][3];
    float positions[kStarCount][3];
};
