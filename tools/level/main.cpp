// flyer-level: builds level files from a tileset and a map, and inspects
// and exports them.
#include <getopt.h>
#include <sys/stat.h>

#include <cstdio>
#include <map>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "CsvMapReader.h"
#include "InputFile.h"
#include "JsonMapReader.h"
#include "LevelBuilder.h"
#include "LevelExport.h"
#include "LevelInspector.h"
#include "LevelPicture.h"
#include "OutputFiles.h"
#include "PathNames.h"
#include "TiledExtensionCommand.h"
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
    "  tiled-extension  let Tiled open, save and play levels\n"
    "\n"
    "Run 'flyer-level <command> --help' for the options of a command,\n"
    "'flyer-level --version' for the version.\n";

const char kBuildUsage[] =
    "Usage: flyer-level build --tileset T.bmp --map M -o L.lvl [--origin X,Y] [--tiled-csv]\n"
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
    "                   top-left cell; 0,0 by default\n";

const char kInfoUsage[] =
    "Usage: flyer-level info L.lvl\n"
    "Reads a level as the game does and reports its tileset, its records, the\n"
    "records skipped and why, the cells used and a histogram of tiles.\n"
    "Exits with status 1 when the game would refuse the level. Levels of any\n"
    "length are read record by record.\n";

const char kExportUsage[] =
    "Usage: flyer-level export L.lvl -o M.csv [--tileset-out T.bmp]\n"
    "       flyer-level export L.lvl -o M.tmx\n"
    "Writes the used part of a level's map and prints the origin to give\n"
    "'flyer-level build --origin' to make the same level again.\n"
    "\n"
    "  -o M.csv            the map as CSV\n"
    "  -o M.tmx            the map for Tiled, with its tileset M.tsx and the\n"
    "                      level's tileset bitmap M.bmp beside it\n"
    "  --tileset-out T.bmp with CSV, also write the level's tileset bitmap (the\n"
    "                      first bfSize bytes), which must be a tileset as build\n"
    "                      takes it\n"
    "All the files are written or none, as -o of build is written.\n";

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

// The options of the commands; those without a short form count from 256.
enum Option {
    kOutput = 'o',
    kHelp = 'h',
    kTileset = 256,
    kMap,
    kOrigin,
    kTiledCsv,
    kTilesetOut,
    kScale,
    kWhole
};

const option kBuildOptions[] = {{"tileset", required_argument, nullptr, kTileset},
                                {"map", required_argument, nullptr, kMap},
                                {"origin", required_argument, nullptr, kOrigin},
                                {"tiled-csv", no_argument, nullptr, kTiledCsv},
                                {"help", no_argument, nullptr, kHelp},
                                {nullptr, 0, nullptr, 0}};
const option kInfoOptions[] = {{"help", no_argument, nullptr, kHelp}, {nullptr, 0, nullptr, 0}};
const option kExportOptions[] = {{"tileset-out", required_argument, nullptr, kTilesetOut},
                                 {"help", no_argument, nullptr, kHelp},
                                 {nullptr, 0, nullptr, 0}};
const option kRenderOptions[] = {{"scale", required_argument, nullptr, kScale},
                                 {"whole", no_argument, nullptr, kWhole},
                                 {"help", no_argument, nullptr, kHelp},
                                 {nullptr, 0, nullptr, 0}};

// A command's arguments as getopt_long splits them.
struct Arguments {
    std::map<int, std::string> values;  // by option, the last one given
    std::vector<std::string> plain;
    bool help = false;
    std::string problem;  // the first unknown option or missing value

    bool Has(int option) const { return values.count(option) != 0; }
    std::string Value(int option) const { return Has(option) ? values.at(option) : ""; }
};

// The option getopt_long complains of, as given: it leaves the code of a
// long option in optopt, or 0 for an unknown one.
std::string OptionGiven(int code, const option* longOptions, char** argv)
{
    if (code == 0)
        return argv[optind - 1];
    for (const option* known = longOptions; known->name != nullptr; ++known)
        if (known->val == code && code >= kTileset)
            return std::string("--") + known->name;
    return std::string("-") + static_cast<char>(code);
}

// Splits argv (argv[0] the command) by the options; "--help" anywhere wins
// over every problem.
Arguments ParseArguments(int argc, char** argv, const char* shortOptions, const option* longOptions)
{
    Arguments arguments;
    opterr = 0;
    optind = 1;
    int option = 0;
    while ((option = getopt_long(argc, argv, shortOptions, longOptions, nullptr)) != -1) {
        if (option == kHelp) {
            arguments.help = true;
        } else if (option == '?' || option == ':') {
            const std::string given = Quoted(OptionGiven(optopt, longOptions, argv));
            if (arguments.problem.empty())
                arguments.problem = option == '?' ? "unknown option " + given
                                                  : "option " + given + " needs a value";
        } else {
            arguments.values[option] = optarg != nullptr ? optarg : "";
        }
    }
    arguments.plain.assign(argv + optind, argv + argc);
    return arguments;
}

int UsageError(const char* usage, const std::string& message)
{
    fprintf(stderr, "%s: %s\n%s", kProgram, message.c_str(), usage);
    return 2;
}

// The status a command ends with when its options ask for help or are
// wrong; none when it goes on.
std::optional<int> HelpOrOptionProblem(const Arguments& arguments, const char* usage)
{
    if (arguments.help) {
        fputs(usage, stdout);
        return 0;
    }
    if (!arguments.problem.empty())
        return UsageError(usage, arguments.problem);
    return std::nullopt;
}

int InputFault(const InputError& error)
{
    fprintf(stderr, "%s: %s\n", kProgram, error.Text().c_str());
    return 1;
}

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

int Build(int argc, char** argv)
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
        return UsageError(kBuildUsage, "--origin takes two cells 0 to 1023 as X,Y, not " +
                                           Quoted(arguments.Value(kOrigin)));

    const bool tiledCsv = arguments.Has(kTiledCsv);
    if (tiledCsv && (HasExtension(mapPath, ".tmx") || HasExtension(mapPath, ".tmj") ||
                     HasExtension(mapPath, ".json")))
        return UsageError(kBuildUsage, "--tiled-csv is for a CSV map, not a Tiled map");

    InputError error;
    std::string tileset;
    if (!ReadTileset(tilesetPath, &tileset, &error))
        return InputFault(error);
    MapGrid grid;
    if (!ReadMap(mapPath, tiledCsv ? CsvForm::kTiledExport : CsvForm::kFlyer, &grid, &error))
        return InputFault(error);
    std::string level;
    error = InputError{mapPath, 0, 0, ""};
    if (!BuildLevelBytes(tileset, grid, originX, originY, &level, &error) ||
        !WriteFileAtomically(output, level, &error))
        return InputFault(error);
    for (const std::string& note : grid.notes)
        printf("%s: %s\n", mapPath.c_str(), note.c_str());
    return 0;
}

int Info(int argc, char** argv)
{
    const Arguments arguments = ParseArguments(argc, argv, ":h", kInfoOptions);
    if (arguments.help) {
        fputs(kInfoUsage, stdout);
        return 0;
    }
    if (!arguments.problem.empty() || arguments.plain.size() != 1 || arguments.plain[0].empty())
        return UsageError(kInfoUsage, "info takes one level file");
    const std::string& path = arguments.plain[0];
    LevelReport report;
    InspectLevel(path, &report);
    fputs(DescribeLevel(path, report).c_str(), stdout);
    return report.loadable ? 0 : 1;
}

// Whether two paths name one existing file.
bool SameFile(const std::string& a, const std::string& b)
{
    struct stat first, second;
    return stat(a.c_str(), &first) == 0 && stat(b.c_str(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

// A level that the game loads, or the line that says why not.
bool InspectLoadable(const std::string& path, LevelReport* report, InputError* error)
{
    InspectLevel(path, report);
    if (!report->loadable)
        *error = InputError{path, 0, 0, "the game would refuse this level: " + report->refusal};
    return report->loadable;
}

int ExportTiled(const std::string& level, const LevelReport& report, const std::string& out)
{
    const std::string tsx = WithExtension(out, ".tsx"), bmp = WithExtension(out, ".bmp");
    for (const std::string& path : {out, tsx, bmp})
        if (SameFile(path, level))
            return InputFault(InputError{
                path, 0, 0, "would replace the level itself; export the map under another name"});
    std::string bitmap;
    InputError error;
    if (!ReadTilesetPart(level, report.recordOffset, &bitmap, &error))
        return InputFault(error);
    uint32_t originX = 0, originY = 0;
    const std::string map = TmxForLevel(report, BaseName(tsx), &originX, &originY);
    OutputFiles files;
    if (!files.Add(bmp, bitmap, &error) || !files.Add(tsx, TsxForLevel(BaseName(bmp)), &error) ||
        !files.Add(out, map, &error) || !files.Commit(&error))
        return InputFault(error);
    printf("wrote %s, %s and %s; build it again with --tileset %s --origin %u,%u\n", out.c_str(),
           tsx.c_str(), bmp.c_str(), bmp.c_str(), originX, originY);
    return 0;
}

int Export(int argc, char** argv)
{
    const Arguments arguments = ParseArguments(argc, argv, ":ho:", kExportOptions);
    if (const std::optional<int> status = HelpOrOptionProblem(arguments, kExportUsage))
        return *status;
    const std::string output = arguments.Value(kOutput), tilesetOut = arguments.Value(kTilesetOut);
    if (arguments.plain.size() != 1 || output.empty() ||
        (arguments.Has(kTilesetOut) && tilesetOut.empty()))
        return UsageError(kExportUsage, "export takes one level file and -o");
    if (HasExtension(output, ".tmj") || HasExtension(output, ".json"))
        return UsageError(kExportUsage,
                          "export writes Tiled maps as .tmx (Tiled saves them as .tmj too)");
    const bool tiled = HasExtension(output, ".tmx");
    if (tiled && arguments.Has(kTilesetOut))
        return UsageError(
            kExportUsage,
            "a .tmx export writes its tileset bitmap beside the map; no --tileset-out");
    const std::string& path = arguments.plain[0];
    LevelReport report;
    InputError error;
    if (!InspectLoadable(path, &report, &error))
        return InputFault(error);
    if (tiled)
        return ExportTiled(path, report, output);
    uint32_t originX = 0, originY = 0;
    OutputFiles files;
    if (!files.Add(output, ExportCsv(report, &originX, &originY), &error))
        return InputFault(error);
    if (!tilesetOut.empty()) {
        std::string tileset;
        if (!ReadTilesetPart(path, report.recordOffset, &tileset, &error) ||
            !files.Add(tilesetOut, tileset, &error))
            return InputFault(error);
    }
    if (!files.Commit(&error))
        return InputFault(error);
    printf("wrote %s; build it again with --origin %u,%u\n", output.c_str(), originX, originY);
    return 0;
}

int Render(int argc, char** argv)
{
    const Arguments arguments = ParseArguments(argc, argv, ":ho:", kRenderOptions);
    if (const std::optional<int> status = HelpOrOptionProblem(arguments, kRenderUsage))
        return *status;
    const std::string output = arguments.Value(kOutput), scaleText = arguments.Value(kScale);
    if (arguments.plain.size() != 1 || output.empty())
        return UsageError(kRenderUsage, "render takes one level file and -o");
    unsigned scale = 4;
    char rest = 0;
    if (arguments.Has(kScale) && (sscanf(scaleText.c_str(), "%u%c", &scale, &rest) != 1 ||
                                  scaleText[0] == '-' || scale < 1 || scale > 16))
        return UsageError(kRenderUsage,
                          "--scale takes a number of pixels 1 to 16, not " + Quoted(scaleText));
    const std::string& path = arguments.plain[0];
    LevelReport report;
    InputError error;
    std::string bitmap, png, problem;
    if (!InspectLoadable(path, &report, &error) ||
        !ReadTilesetPart(path, report.recordOffset, &bitmap, &error))
        return InputFault(error);
    const PictureArea area = arguments.Has(kWhole) ? PictureArea() : UsedPictureArea(report, 8);
    if (!RenderLevelPng(report, bitmap, area, scale, &png, &problem))
        return InputFault(InputError{path, 0, 0, problem});
    if (!WriteFileAtomically(output, png, &error))
        return InputFault(error);
    printf("wrote %s: columns %u..%u, rows %u..%u (from the top), %u pixels a cell\n",
           output.c_str(), area.column, area.column + area.width - 1, area.row,
           area.row + area.height - 1, scale);
    return 0;
}

int RunCommand(int argc, char** argv)
{
    if (argc < 2)
        return UsageError(kUsage, "no command given");
    const std::string command = argv[1];
    if (command == "--help" || command == "-h") {
        fputs(kUsage, stdout);
        return 0;
    }
    if (command == "--version") {
        printf("%s %s\n", kProgram, FLYER_VERSION);
        return 0;
    }
    const struct {
        const char* name;
        int (*run)(int, char**);
    } commands[] = {{"build", Build},
                    {"info", Info},
                    {"export", Export},
                    {"render", Render},
                    {"tiled-extension", RunTiledExtensionCommand}};
    for (const auto& entry : commands)
        if (command == entry.name)
            return entry.run(argc - 1, argv + 1);
    return UsageError(kUsage, "unknown command " + Quoted(command));
}

}  // namespace

int main(int argc, char** argv)
{
    try {
        return RunCommand(argc, argv);
    } catch (const std::bad_alloc&) {
        fprintf(stderr, "%s: out of memory\n", kProgram);
        return 1;
    }
}
