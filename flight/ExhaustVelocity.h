#pragma once

// The exhaust's base velocity: the ship's velocity less half the thrust
// along the heading.
void ExhaustVelocity(float velX, float velY, float thrust, float heading, float* vx, float* vy);
