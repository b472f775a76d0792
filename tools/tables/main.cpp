// flyer-tables: writes the game's own tables (its resolutions and its
// sprite bitmaps) as JSON, or with --script as a script that sets
// `flyerTables`, for what lives outside the game: the page, the tests, the
// benchmarks, the Tiled extension and the scripts.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <nlohmann/json.hpp>

#include "app/Resolutions.h"
#include "app/SpriteFiles.h"

int main(int argc, char** argv)
{
    const bool script = argc == 3 && strcmp(argv[1], "--script") == 0;
    if (argc != 2 && !script) {
        fprintf(stderr, "Usage: %s [--script] OUT\n", argv[0]);
        return 2;
    }
    nlohmann::ordered_json tables;
    for (const Resolution& row : kResolutions)
        tables["resolutions"].push_back(
            {{"argument", row.argument}, {"width", row.width}, {"height", row.height}});
    tables["exampleResolution"] = std::string(kExampleResolution);
    tables["sprites"] = kSpriteBitmaps;
    std::ofstream out(argv[argc - 1]);
    out << (script ? "const flyerTables = " : "") << tables.dump(4) << (script ? ";\n" : "\n");
    out.close();
    if (!out) {
        fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[argc - 1]);
        return 1;
    }
    return 0;
}
