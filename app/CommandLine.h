#pragma once

// Checks the command line (program, level, resolution) and, on a match,
// sets g_ScreenWidth and g_ScreenHeight from the resolution table.
// Returns false for any other argument count or resolution.
bool ParseCommandLine(int argc, char** argv);

// Prints the usage text with the program's name.
void PrintUsage(const char* program);
