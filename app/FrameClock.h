#pragma once

#include <cstdint>

// Milliseconds between two SDL_GetTicks readings, as an unsigned 32-bit
// difference: right across the counter's wrap after 49.7 days.
inline uint32_t ElapsedMs(uint32_t previous, uint32_t current)
{
    return current - previous;
}
