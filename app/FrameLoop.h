#pragma once

#include <cstdint>

// One pass of the loop after its quit test and clock read: the updates in
// their order, input, then the scene drawn back to front and swapped.
void RunFrame(uint32_t elapsedMs);

// Runs passes until Esc, then checks for a pending GL error. Ends the
// process through Quit(0) when there is none; otherwise reports it, shuts
// SDL down and returns 1 for main to return.
int RunFrameLoop();
