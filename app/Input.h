#pragma once

// Empties SDL's event queue and turns key events into the key flags and
// the quit flag of the game state. Always true.
bool PollInput();
