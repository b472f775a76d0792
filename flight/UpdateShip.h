#pragma once

#include <cstdint>

// Moves the player's ship on by one frame: fires while left Ctrl is held
// and the counter allows, moves along the velocity, accelerates along the
// heading, then reads the arrows into thrust and heading and switches the
// exhaust. Always true.
bool UpdateShip(uint32_t elapsedMs);
