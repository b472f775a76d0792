#pragma once

// The screen sizes the game runs at, each picked by its command-line
// argument. The page, the tests, the benchmarks, the Tiled extension and
// the scripts read this table through the build's tables.json.
struct Resolution {
    const char* argument;
    int width;
    int height;
};

extern const Resolution kResolutions[4];

// The resolution the usage text gives as its example, and the one the
// page and the scripts fly at unless told otherwise.
extern const char kExampleResolution[];
