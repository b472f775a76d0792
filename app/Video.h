#pragma once

// Starts SDL, opens the full-screen OpenGL mode from the game state's
// screen size and colour depth, hides the cursor and sets the GL state.
// Prints the failing SDL call and its reason when it returns false.
bool InitVideo();

// Fixes the GL state and the one perspective projection of the run.
bool InitGL();
