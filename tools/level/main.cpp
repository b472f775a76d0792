// flyer-level: builds level files from a tileset and a map, and inspects
// and exports them.
#include <getopt.h>

#include <cstdio>
#include <map>
#include <new>
#include <string>
#include <vector>

#include "CsvMapReader.h"
#include "InputFile.h"
#include "LevelBuilder.h"
#include "LevelExport.h"
#include "LevelInspector.h"
#include "OutputFiles.h"
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
    "  export   write a level's map as CSV\n"
    "\n"
    "Run 'flyer-level <command> --help' for the options of a command,\n"
    "'flyer-level --version' for the version.\n";

const char kBuildUsage[] =
    "Usage: flyer-level build --tileset T.bmp --map M -o L.lvl [--origin X,Y]\n"
    "Writes a level: the tileset bitmap unchanged, then one record per non-empty cell.\n"
    "\n"
    "  --tileset T.bmp  a 304 x 160 BMP of 190 tiles of 16 x 16 (19 per row),\n"
    "                   at most 4 MiB\n"
    "  --map M          the map: CSV as Tiled exports a tile layer (M.csv), or a\n"
    "                   Tiled map (M.tmx) with one CSV tile layer and one tileset of\n"
    "                   16 x 16 tiles in 19 columns; 0 is empty, 1 to 190 a tile;\n"
    "                   at most 32 MiB\n"
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
    "Writes the used part of a level's map as CSV and prints the origin to give\n"
    "'flyer-level build --origin' to make the same level again.\n"
    "\n"
    "  -o M.csv            the CSV to write\n"
    "  --tileset-out T.bmp also write the level's tileset bitmap (the first bfSize\n"
    "                      bytes), which must be a tileset as build takes it\n"
    "Both files are written or neither, as -o of build is written.\n";

// The options of the commands; those without a short form count from 256.
enum Option { kOutput = 'o', kHelp = 'h', kTileset = 256, kMap, kOrigin, kTilesetOut };

const option kBuildOptions[] = {{"tileset", required_argument, nullptr, kTileset},
                                {"map", required_argument, nullptr, kMap},
                                {"origin", required_argument, nullptr, kOrigin},
                                {"help", no_argument, nullptr, kHelp},
                                {nullptr, 0, nullptr, 0}};
const option kInfoOptions[] = {{"help", no_argument, nullptr, kHelp}, {nullptr, 0, nullptr, 0}};
const option kExportOptions[] = {{"tileset-out", required_argument, nullptr, kTilesetOut},
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
                arguments.problem = option == '?' ? "unknown option " + given : "option " + given + " needs a value";
        } else {
            arguments.values[option] = optarg;
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

int InputFault(const InputError& error)
{
    fprintf(stderr, "%s: %s\n", kProgram, error.Text().c_str());
    return 1;
}

bool EndsWith(const std::string& text, const std::string& suffix)
{
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
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

int Build(int argc, char** argv)
{
    const Arguments arguments = ParseArguments(argc, argv, ":ho:", kBuildOptions);
    if (arguments.help) {
        fputs(kBuildUsage, stdout);
        return 0;
    }
    if (!arguments.problem.empty())
        return UsageError(kBuildUsage, arguments.problem);
    if (!arguments.plain.empty())
        return UsageError(kBuildUsage, "unexpected argument " + Quoted(arguments.plain[0]));
    const std::string tilesetPath = arguments.Value(kTileset), mapPath = arguments.Value(kMap);
    const std::string output = arguments.Value(kOutput);
    if (tilesetPath.empty() || mapPath.empty() || output.empty())
        return UsageError(kBuildUsage, "--tileset, --map and -o are required");
    uint32_t originX = 0, originY = 0;
    if (arguments.Has(kOrigin) && !ParseOrigin(arguments.Value(kOrigin), &originX, &originY))
        return UsageError(kBuildUsage, "--origin takes two cells 0 to 1023 as X,Y, not " + Quoted(arguments.Value(kOrigin)));

    InputError error;
    std::string tileset;
    if (!ReadTileset(tilesetPath, &tileset, &error))
        return InputFault(error);
    MapGrid grid;
    if (EndsWith(mapPath, ".tmx")) {
        if (!ReadTmxMap(mapPath, &grid, &error))
            return InputFault(error);
    } else {
        std::string text;
        if (!ReadWholeFile(mapPath, kMaxMapBytes, &text, &error) ||
            !ReadCsvMap(text, mapPath, CsvForm::kFlyer, &grid, &error))
            return InputFault(error);
    }
    std::string level;
    error = InputError{mapPath, 0, 0, ""};
    if (!BuildLevelBytes(tileset, grid, originX, originY, &level, &error) ||
        !WriteFileAtomically(output, level, &error))
        return InputFault(error);
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

int Export(int argc, char** argv)
{
    const Arguments arguments = ParseArguments(argc, argv, ":ho:", kExportOptions);
    if (arguments.help) {
        fputs(kExportUsage, stdout);
        return 0;
    }
    if (!arguments.problem.empty())
        return UsageError(kExportUsage, arguments.problem);
    const std::string output = arguments.Value(kOutput), tilesetOut = arguments.Value(kTilesetOut);
    if (arguments.plain.size() != 1 || output.empty() || (arguments.Has(kTilesetOut) && tilesetOut.empty()))
        return UsageError(kExportUsage, "export takes one level file and -o");
    const std::string& path = arguments.plain[0];
    LevelReport report;
    InspectLevel(path, &report);
    if (!report.loadable)
        return InputFault(InputError{path, 0, 0, "the game would refuse this level: " + report.refusal});
    uint32_t originX = 0, originY = 0;
    OutputFiles files;
    InputError error;
    if (!files.Add(output, ExportCsv(report, &originX, &originY), &error))
        return InputFault(error);
    if (!tilesetOut.empty()) {
        std::string tileset;
        if (!ReadTilesetPart(path, report.recordOffset, &tileset, &error) || !files.Add(tilesetOut, tileset, &error))
            return InputFault(error);
    }
    if (!files.Commit(&error))
        return InputFault(error);
    printf("wrote %s; build it again with --origin %u,%u\n", output.c_str(), originX, originY);
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
    } commands[] = {{"build", Build}, {"info", Info}, {"export", Export}};
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
