#include "app/Resolutions.h"

const Resolution kResolutions[4] = {
    {"1280", 1280, 1024},
    {"1024", 1024, 768},
    {"800", 800, 600},
    {"640", 640, 480},
};

const char kExampleResolution[] = "1024";
