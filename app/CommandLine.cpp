#include "app/CommandLine.h"

#include <cstdio>
#include <cstring>

#include "app/GameState.h"

namespace {

struct Resolution {
    const char* argument;
    int width;
    int height;
};

const Resolution kResolutions[] = {
    {"1280", 1280, 1024},
    {"1024", 1024, 768},
    {"800", 800, 600},
    {"640", 640, 480},
};

}  // namespace

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
    printf("Usage: %s <level> <resolution>\nExample: %s local.lvl 1024\n", program, program);
}
