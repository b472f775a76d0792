#pragma once

// A heading in degrees as the angle handed to sin and cos.
// Kept on purpose: the factor is 6.282 / 360, not 2 pi / 360, everywhere the heading is turned.
inline double HeadingToRadians(float heading)
{
    return static_cast<double>(6.282f) * static_cast<double>(heading) / static_cast<double>(360.0f);
}
