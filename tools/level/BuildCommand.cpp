// flyer-level build: a level from a tileset and a map.
#include <cstdio>
#include <string>

#include "CommandLine.h"
#include "Commands.h"
#include "CsvMapReader.h"
#include "JsonMapReader.h"
#include "LevelBuilder.h"
#include "OutputFiles.h"
#include "PathNames.h"
#include "TilesetFile.h"
#include "TmxMapReader.h"

namespace {

const char kBuildUsage[] =
    "Usage: flyer-level build --tileset T.bmp --map M -o L.lvl [--origin X,Y] [--tiled-csv]\n"
    "                         [--map-name NAME]\n"
    "Writes a level: the tileset bitmap unchanged, then one record per non-empty cell.\n"
    "\n"
    "  --tileset T.bmp  a 304 x 160 BMP of 190 tiles of 16 x 16 (19 per row),\n"
    "                   at most 4 MiB\n"
    "  --map M          the map: a Tiled map as Tiled saves it (M.tmx, M.tmj or\n"
    "                   M.json) with one tileset of 16 x 16 tiles in 19 columns,\n"
    "                   or CSV (M.csv): one row a line, 0 empty, 1 to 190 a tile;\n"
    "                   at most 32 MiB\n"
    "  --tiled-csv      the CSV is Tiled's export of a layer: tiles from 0, -1 empty\n"
    "  -o L.lvl         the level to write, a regular file or a new one; nothing\n"
    "                   is written on any error. A symbolic link writes the file\n"
    "                   it names; an existing file keeps its mode and owner.\n"
    "  --origin X,Y     the map column and row (from the top) of the grid's\n"
    "                   top-left cell; by default a Tiled map's property origin\n"
    "                   (X,Y as here), else 0,0\n"
    "  --map-name NAME  call the map NAME in messages, without line numbers (for\n"
    "                   a map saved only to be built, as Tiled's extension does)\n";

enum BuildOption { kTileset = kFirstLongOnly, kMap, kOrigin, kTiledCsv, kMapName };

const option kBuildOptions[] = {{"tileset", required_argument, nullptr, kTileset},
                                {"map", required_argument, nullptr, kMap},
                                {"origin", required_argument, nullptr, kOrigin},
                                {"tiled-csv", no_argument, nullptr, kTiledCsv},
                                {"map-name", required_argument, nullptr, kMapName},
                                {"help", no_argument, nullptr, kHelp},
                                {nullptr, 0, nullptr, 0}};

bool ReadMap(const std::string& path, CsvForm csvForm, MapGrid* grid, InputError* error)
{
    if (HasExtension(path, ".tmx"))
        return ReadTmxMap(path, grid, error);
    if (HasExtension(path, ".tmj") || HasExtension(path, ".json"))
        return ReadJsonMap(path, grid, error);
    std::string text;
    return ReadWholeFile(path, kMaxMapBytes, &text, error) &&
           ReadCsvMap(text, path, csvForm, grid, error);
}

// What is wrong with an origin that ParseOrigin refuses, given as `what`.
std::string OriginProblem(const std::string& what, const std::string& text)
{
    return what + " takes two cells 0 to 1023 as X,Y, not " + Quoted(text);
}

bool ParseOrigin(const std::string& text, uint32_t* x, uint32_t* y)
{
    unsigned long a = 0, b = 0;
    char rest = 0;
    if (sscanf(text.c_str(), "%lu,%lu%c", &a, &b, &rest) != 2 ||
        text.find('-') != std::string::npos || a > 1023 || b > 1023)
        return false;
    *x = static_cast<uint32_t>(a);
    *y = static_cast<uint32_t>(b);
    return true;
}

}  // namespace

int RunBuild(int argc, char** argv)
{
    const Arguments arguments = ParseArguments(argc, argv, ":ho:", kBuildOptions);
    if (const std::optional<int> status = HelpOrOptionProblem(arguments, kBuildUsage))
        return *status;
    if (!arguments.plain.empty())
        return UsageError(kBuildUsage, "unexpected argument " + Quoted(arguments.plain[0]));
    const std::string tilesetPath = arguments.Value(kTileset), mapPath = arguments.Value(kMap);
    const std::string output = arguments.Value(kOutput);
    if (tilesetPath.empty() || mapPath.empty() || output.empty())
        return UsageError(kBuildUsage, "--tileset, --map and -o are required");
    uint32_t originX = 0, originY = 0;
    if (arguments.Has(kOrigin) && !ParseOrigin(arguments.Value(kOrigin), &originX, &originY))
        return UsageError(kBuildUsage, OriginProblem("--origin", arguments.Value(kOrigin)));

    const bool tiledCsv = arguments.Has(kTiledCsv);
    if (tiledCsv && (HasExtension(mapPath, ".tmx") || HasExtension(mapPath, ".tmj") ||
                     HasExtension(mapPath, ".json")))
        return UsageError(kBuildUsage, "--tiled-csv is for a CSV map, not a Tiled map");

    const std::string mapName = arguments.Has(kMapName) ? arguments.Value(kMapName) : mapPath;
    auto fault = [&](InputError error) {
        if (error.file == mapPath && arguments.Has(kMapName))
            error = InputError{mapName, 0, 0, error.message};
        return InputFault(error);
    };
    InputError error;
    std::string tileset;
    if (!ReadTileset(tilesetPath, &tileset, &error))
        return InputFault(error);
    MapGrid grid;
    if (!ReadMap(mapPath, tiledCsv ? CsvForm::kTiledExport : CsvForm::kFlyer, &grid, &error))
        return fault(error);
    if (!arguments.Has(kOrigin) && grid.origin && !ParseOrigin(*grid.origin, &originX, &originY))
        return fault(InputError{mapPath, grid.originLine, 0,
                                OriginProblem("the map's property origin", *grid.origin)});
    std::string level;
    error = InputError{mapPath, 0, 0, ""};
    if (!BuildLevelBytes(tileset, grid, originX, originY, &level, &error))
        return fault(error);
    if (!WriteFileAtomically(output, level, &error))
        return InputFault(error);
    for (const std::string& note : grid.notes)
        printf("%s: %s\n", mapName.c_str(), note.c_str());
    return 0;
}
