#include "app/CommandLine.h"

#include <cstdio>
#include <cstring>

#include "app/GameState.h"
#include "app/Resolutions.h"

bool ParseCommandLine(int argc, char** argv)
{
    if (argc != 3)
        return false;
    bool valid = false;
    for (const Resolution& row : kResolutions) {
        if (strcmp(argv[2], row.argument) == 0) {
            g_ScreenWidth = row.width;
            g_ScreenHeight = row.height;
            valid = true;
        }
    }
    return valid;
}

void PrintUsage(const char* program)
{
    printf("Usage: %s <level> <resolution>\nExample: %s local.lvl %s\n", program, program,
           kExampleResolution);
}
