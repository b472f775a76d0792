#pragma once

// Looks 0.01 s ahead along the ship's velocity and, for each face of its
// collision square that runs into a solid cell, reverses the velocity
// across that face and damps both components. Always true.
bool CollideShip();
