#pragma once

// Checks the command line, sets the game state, opens the video mode and
// sets up the world objects in their order. Every failure it tests ends
// the process through Quit(1) after its message.
void StartUp(int argc, char** argv);
