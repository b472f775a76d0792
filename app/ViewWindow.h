#pragma once

#include <cstdint>

// The window of map cells handed to the map's drawing each frame.
struct ViewWindow {
    uint32_t x0;
    uint32_t y0;
    uint32_t w;
    uint32_t h;
};

// The cells around the ship's whole-number position that the screen shows,
// with the low corner clamped at 0.
ViewWindow ComputeViewWindow(float shipX, float shipY, int32_t screenWidth, int32_t screenHeight);
