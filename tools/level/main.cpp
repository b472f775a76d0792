// flyer-level: builds level files from a tileset and a map, and inspects
// and exports them.
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "AtomicFile.h"
#include "CsvMapReader.h"
#include "JsonMapReader.h"
#include "LevelBuilder.h"
#include "LevelExport.h"
#include "LevelInspector.h"
#include "LevelPicture.h"
#include "PathNames.h"
#include "TiledMapWriter.h"
#include "TilesetFile.h"
#include "TmxMapReader.h"

namespace {

const char kProgram[] = "flyer-level";

const char kUsage[] =
    "Usage: flyer-level <command> [options]\n"
    "Builds, inspects and exports level files for flyer.\n"
    "\n"
    "Commands:\n"
    "  build    make a level from a tileset and a map\n"
    "  info     report what a level holds and whether the game loads it\n"
    "  export   write a level's map as CSV or as a Tiled map\n"
    "  render   draw a level's map as a PNG picture\n"
    "\n"
    "Run 'flyer-level <command> --help' for the options of a command.\n";

const char kBuildUsage[] =
    "Usage: flyer-level build --tileset T.bmp --map M -o L.lvl [--origin X,Y] [--tiled-csv]\n"
    "Writes a level: the tileset bitmap unchanged, then one record per non-empty cell.\n"
    "\n"
    "  --tileset T.bmp  a 304 x 160 BMP of 190 tiles of 16 x 16 (19 per row)\n"
    "  --map M          the map: a Tiled map as Tiled saves it (M.tmx, M.tmj or\n"
    "                   M.json) with one tileset of 16 x 16 tiles in 19 columns,\n"
    "                   or CSV (M.csv): one row a line, 0 empty, 1 to 190 a tile\n"
    "  --tiled-csv      the CSV is Tiled's export of a layer: tiles from 0, -1 empty\n"
    "  -o L.lvl         the level to write; nothing is written on any error\n"
    "  --origin X,Y     the map column and row (from the top) of the grid's\n"
    "                   top-left cell; 0,0 by default\n";

const char kInfoUsage[] =
    "Usage: flyer-level info L.lvl\n"
    "Reads a level as the game does and reports its tileset, its records, the\n"
    "records skipped and why, the cells used and a histogram of tiles.\n"
    "Exits with status 1 when the game would refuse the level.\n";

const char kExportUsage[] =
    "Usage: flyer-level export L.lvl -o M.csv [--tileset-out T.bmp]\n"
    "       flyer-level export L.lvl -o M.tmx\n"
    "Writes the used part of a level's map and prints the origin to give\n"
    "'flyer-level build --origin' to make the same level again.\n"
    "\n"
    "  -o M.csv            the map as CSV\n"
    "  -o M.tmx            the map for Tiled, with its tileset M.tsx and the\n"
    "                      level's tileset bitmap M.bmp beside it\n"
    "  --tileset-out T.bmp with CSV, also write the level's tileset bitmap\n";

const char kRenderUsage[] =
    "Usage: flyer-level render L.lvl -o P.png [--scale N] [--whole]\n"
    "Draws a level's map as a PNG: its tiles from the level's own tileset, empty\n"
    "cells dark, the ship's start cell (column 512, row 511 from the top) yellow\n"
    "in a yellow frame.\n"
    "\n"
    "  -o P.png     the picture to write\n"
    "  --scale N    pixels a cell, 1 to 16; 4 by default\n"
    "  --whole      the whole 1024 x 1024 map, not only the cells that hold\n"
    "               tiles and the start with a margin of 8\n";

int UsageError(const char* usage, const std::string& message)
{
    fprintf(stderr, "%s: %s\n%s", kProgram, message.c_str(), usage);
    return 2;
}

int InputFault(const InputError& error)
{
    fprintf(stderr, "%s: %s\n", kProgram, error.Text().c_str());
    return 1;
}

bool WantsHelp(const std::vector<std::string>& args)
{
    for (const std::string& arg : args)
        if (arg == "--help" || arg == "-h")
            return true;
    return false;
}

// Removes a flag that takes no value from the arguments; whether it was
// there.
bool TakeFlag(std::vector<std::string>* args, const std::string& flag)
{
    const size_t before = args->size();
    args->erase(std::remove(args->begin(), args->end(), flag), args->end());
    return args->size() != before;
}

bool ReadMap(const std::string& path, bool tiledCsv, MapGrid* grid, InputError* error)
{
    if (HasExtension(path, ".tmx"))
        return ReadTmxMap(path, grid, error);
    if (HasExtension(path, ".tmj") || HasExtension(path, ".json"))
        return ReadJsonMap(path, grid, error);
    std::string text;
    return ReadWholeFile(path, &text, error) && ReadCsvMap(text, path, 1, tiledCsv, grid, error);
}

bool ParseOrigin(const std::string& text, uint32_t* x, uint32_t* y)
{
    unsigned long a = 0, b = 0;
    char rest = 0;
    if (sscanf(text.c_str(), "%lu,%lu%c", &a, &b, &rest) != 2 || text.find('-') != std::string::npos ||
        a > 1023 || b > 1023)
        return false;
    *x = static_cast<uint32_t>(a);
    *y = static_cast<uint32_t>(b);
    return true;
}

// Takes "--name value" pairs and plain arguments; false on an unknown
// option or a missing value.
bool SplitArguments(const std::vector<std::string>& args, const std::vector<std::string>& names,
                    std::vector<std::string>* values, std::vector<std::string>* plain, std::string* problem)
{
    values->assign(names.size(), "");
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i].size() > 1 && args[i][0] == '-') {
            size_t k = 0;
            while (k < names.size() && names[k] != args[i])
                ++k;
            if (k == names.size()) {
                *problem = "unknown option '" + args[i] + "'";
                return false;
            }
            if (i + 1 >= args.size()) {
                *problem = "option '" + args[i] + "' needs a value";
                return false;
            }
            (*values)[k] = args[++i];
        } else {
            plain->push_back(args[i]);
        }
    }
    return true;
}

int Build(const std::vector<std::string>& arguments)
{
    std::vector<std::string> args = arguments, values, plain;
    const bool tiledCsv = TakeFlag(&args, "--tiled-csv");
    std::string problem;
    if (!SplitArguments(args, {"--tileset", "--map", "-o", "--origin"}, &values, &plain, &problem))
        return UsageError(kBuildUsage, problem);
    if (!plain.empty())
        return UsageError(kBuildUsage, "unexpected argument '" + plain[0] + "'");
    if (values[0].empty() || values[1].empty() || values[2].empty())
        return UsageError(kBuildUsage, "--tileset, --map and -o are required");
    uint32_t originX = 0, originY = 0;
    if (!values[3].empty() && !ParseOrigin(values[3], &originX, &originY))
        return UsageError(kBuildUsage, "--origin takes two cells 0 to 1023 as X,Y, not '" + values[3] + "'");
    if (tiledCsv && (HasExtension(values[1], ".tmx") || HasExtension(values[1], ".tmj") || HasExtension(values[1], ".json")))
        return UsageError(kBuildUsage, "--tiled-csv is for a CSV map, not a Tiled map");

    InputError error;
    std::string tileset;
    if (!ReadTileset(values[0], &tileset, &error))
        return InputFault(error);
    MapGrid grid;
    if (!ReadMap(values[1], tiledCsv, &grid, &error))
        return InputFault(error);
    std::string level;
    error = InputError{values[1], 0, 0, ""};
    if (!BuildLevelBytes(tileset, grid, originX, originY, &level, &error) ||
        !WriteFileAtomically(values[2], level, &error))
        return InputFault(error);
    for (const std::string& note : grid.notes)
        printf("%s: %s\n", values[1].c_str(), note.c_str());
    return 0;
}

int Info(const std::vector<std::string>& args)
{
    if (args.size() != 1 || args[0].empty() || args[0][0] == '-')
        return UsageError(kInfoUsage, "info takes one level file");
    LevelReport report;
    InspectLevel(args[0], &report);
    fputs(DescribeLevel(args[0], report).c_str(), stdout);
    return report.loadable ? 0 : 1;
}

// The bitmap part of a level file, which is its tileset.
bool ReadLevelTileset(const std::string& path, const LevelReport& report, std::string* bitmap, InputError* error)
{
    if (!ReadWholeFile(path, bitmap, error))
        return false;
    if (report.recordOffset > bitmap->size()) {
        *error = InputError{path, 0, 0, "bfSize lies past the end of the file"};
        return false;
    }
    bitmap->resize(report.recordOffset);
    return true;
}

// Whether two paths name one existing file.
bool SameFile(const std::string& a, const std::string& b)
{
    struct stat first, second;
    return stat(a.c_str(), &first) == 0 && stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

int ExportTiled(const std::string& level, const LevelReport& report, const std::string& out)
{
    const std::string tsx = WithExtension(out, ".tsx"), bmp = WithExtension(out, ".bmp");
    for (const std::string& path : {out, tsx, bmp})
        if (SameFile(path, level))
            return InputFault(InputError{path, 0, 0, "would replace the level itself; export the map under another name"});
    std::string bitmap;
    InputError error;
    if (!ReadLevelTileset(level, report, &bitmap, &error))
        return InputFault(error);
    uint32_t originX = 0, originY = 0;
    const std::string map = TmxForLevel(report, BaseName(tsx), &originX, &originY);
    if (!WriteFileAtomically(bmp, bitmap, &error) || !WriteFileAtomically(tsx, TsxForLevel(BaseName(bmp)), &error) ||
        !WriteFileAtomically(out, map, &error))
        return InputFault(error);
    printf("wrote %s, %s and %s; build it again with --tileset %s --origin %u,%u\n", out.c_str(), tsx.c_str(),
           bmp.c_str(), bmp.c_str(), originX, originY);
    return 0;
}

int Export(const std::vector<std::string>& args)
{
    std::vector<std::string> values, plain;
    std::string problem;
    if (!SplitArguments(args, {"-o", "--tileset-out"}, &values, &plain, &problem))
        return UsageError(kExportUsage, problem);
    if (plain.size() != 1 || values[0].empty())
        return UsageError(kExportUsage, "export takes one level file and -o");
    const bool tiled = HasExtension(values[0], ".tmx");
    if (HasExtension(values[0], ".tmj") || HasExtension(values[0], ".json"))
        return UsageError(kExportUsage, "export writes Tiled maps as .tmx (Tiled saves them as .tmj too)");
    if (tiled && !values[1].empty())
        return UsageError(kExportUsage, "a .tmx export writes its tileset bitmap beside the map; no --tileset-out");
    LevelReport report;
    InspectLevel(plain[0], &report);
    if (!report.loadable)
        return InputFault(InputError{plain[0], 0, 0, "the game would refuse this level: " + report.refusal});
    if (tiled)
        return ExportTiled(plain[0], report, values[0]);
    uint32_t originX = 0, originY = 0;
    const std::string csv = ExportCsv(report, &originX, &originY);
    InputError error;
    if (!WriteFileAtomically(values[0], csv, &error))
        return InputFault(error);
    if (!values[1].empty()) {
        std::string bitmap;
        if (!ReadLevelTileset(plain[0], report, &bitmap, &error) || !WriteFileAtomically(values[1], bitmap, &error))
            return InputFault(error);
    }
    printf("wrote %s; build it again with --origin %u,%u\n", values[0].c_str(), originX, originY);
    return 0;
}

int Render(const std::vector<std::string>& arguments)
{
    std::vector<std::string> args = arguments, values, plain;
    const bool whole = TakeFlag(&args, "--whole");
    std::string problem;
    if (!SplitArguments(args, {"-o", "--scale"}, &values, &plain, &problem))
        return UsageError(kRenderUsage, problem);
    if (plain.size() != 1 || values[0].empty())
        return UsageError(kRenderUsage, "render takes one level file and -o");
    unsigned scale = 4;
    char rest = 0;
    if (!values[1].empty() && (sscanf(values[1].c_str(), "%u%c", &scale, &rest) != 1 || values[1][0] == '-' ||
                               scale < 1 || scale > 16))
        return UsageError(kRenderUsage, "--scale takes a number of pixels 1 to 16, not '" + values[1] + "'");
    LevelReport report;
    InspectLevel(plain[0], &report);
    if (!report.loadable)
        return InputFault(InputError{plain[0], 0, 0, "the game would refuse this level: " + report.refusal});
    std::string bitmap, png;
    InputError error;
    if (!ReadLevelTileset(plain[0], report, &bitmap, &error))
        return InputFault(error);
    const PictureArea area = whole ? PictureArea() : UsedPictureArea(report, 8);
    if (!RenderLevelPng(report, bitmap, area, scale, &png, &problem))
        return InputFault(InputError{plain[0], 0, 0, problem});
    if (!WriteFileAtomically(values[0], png, &error))
        return InputFault(error);
    printf("wrote %s: columns %u..%u, rows %u..%u (from the top), %u pixels a cell\n", values[0].c_str(), area.column,
           area.column + area.width - 1, area.row, area.row + area.height - 1, scale);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return UsageError(kUsage, "no command given");
    const std::string command = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    if (command == "--help" || command == "-h") {
        fputs(kUsage, stdout);
        return 0;
    }
    const struct {
        const char* name;
        const char* usage;
        int (*run)(const std::vector<std::string>&);
    } commands[] = {{"build", kBuildUsage, Build}, {"info", kInfoUsage, Info}, {"export", kExportUsage, Export},
                  {"render", kRenderUsage, Render}};
    for (const auto& entry : commands) {
        if (command != entry.name)
            continue;
        if (WantsHelp(args)) {
            fputs(entry.usage, stdout);
            return 0;
        }
        return entry.run(args);
    }
    return UsageError(kUsage, "unknown command '" + command + "'");
}
