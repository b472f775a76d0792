#include "flight/ExhaustVelocity.h"

#include <cmath>

#include "flight/Heading.h"

void ExhaustVelocity(float velX, float velY, float thrust, float heading, float* vx, float* vy)
{
    const float t = 0.5f * thrust;
    const double a = HeadingToRadians(heading);
    *vx = static_cast<float>(velX - std::sin(a) * t);
    *vy = static_cast<float>(velY - std::cos(a) * t);
}
