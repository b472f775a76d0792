#pragma once

#include <cstdint>

// The frame's updates in their order: collision, flight, bullets, fleet,
// camera, exhaust, then the sprite. Needs no GL context.
void UpdateWorld(uint32_t elapsedMs);

// Clears the screen and draws the scene back to front: stars, the map's
// window around the ship, exhaust, bullets, fleet, player ship.
void DrawScene();

// One pass of the loop after its quit test and clock read: the updates,
// input, the scene, then the swap.
void RunFrame(uint32_t elapsedMs);

// Runs passes until Esc, then checks for a pending GL error. Ends the
// process through Quit(0) when there is none; otherwise reports it, shuts
// SDL down and returns 1 for main to return.
int RunFrameLoop();
