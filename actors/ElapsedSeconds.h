#pragma once

#include <cstdint>

// A frame's whole milliseconds as seconds, the quotient stored as a float.
inline float ElapsedSeconds(uint32_t elapsedMs)
{
    return static_cast<float>(elapsedMs / 1000.0);
}
