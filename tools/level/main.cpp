// flyer-level: builds level files from a tileset and a map, and inspects
// and exports them.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "AtomicFile.h"
#include "CsvMapReader.h"
#include "LevelBuilder.h"
#include "LevelExport.h"
#include "LevelInspector.h"
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
    "Run 'flyer-level <command> --help' for the options of a command.\n";

const char kBuildUsage[] =
    "Usage: flyer-level build --tileset T.bmp --map M -o L.lvl [--origin X,Y]\n"
    "Writes a level: the tileset bitmap unchanged, then one record per non-empty cell.\n"
    "\n"
    "  --tileset T.bmp  a 304 x 160 BMP of 190 tiles of 16 x 16 (19 per row)\n"
    "  --map M          the map: CSV as Tiled exports a tile layer (M.csv), or a\n"
    "                   Tiled map (M.tmx) with one CSV tile layer and one tileset of\n"
    "                   16 x 16 tiles in 19 columns; 0 is empty, 1 to 190 a tile\n"
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
    "Writes the used part of a level's map as CSV and prints the origin to give\n"
    "'flyer-level build --origin' to make the same level again.\n"
    "\n"
    "  -o M.csv            the CSV to write\n"
    "  --tileset-out T.bmp also write the level's tileset bitmap\n";

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

int Build(const std::vector<std::string>& args)
{
    std::vector<std::string> values, plain;
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

    InputError error;
    std::string tileset;
    if (!ReadTileset(values[0], &tileset, &error))
        return InputFault(error);
    MapGrid grid;
    if (EndsWith(values[1], ".tmx")) {
        if (!ReadTmxMap(values[1], &grid, &error))
            return InputFault(error);
    } else {
        std::string text;
        if (!ReadWholeFile(values[1], &text, &error) || !ReadCsvMap(text, values[1], 1, false, &grid, &error))
            return InputFault(error);
    }
    std::string level;
    error = InputError{values[1], 0, 0, ""};
    if (!BuildLevelBytes(tileset, grid, originX, originY, &level, &error) ||
        !WriteFileAtomically(values[2], level, &error))
        return InputFault(error);
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

int Export(const std::vector<std::string>& args)
{
    std::vector<std::string> values, plain;
    std::string problem;
    if (!SplitArguments(args, {"-o", "--tileset-out"}, &values, &plain, &problem))
        return UsageError(kExportUsage, problem);
    if (plain.size() != 1 || values[0].empty())
        return UsageError(kExportUsage, "export takes one level file and -o");
    LevelReport report;
    InspectLevel(plain[0], &report);
    if (!report.loadable)
        return InputFault(InputError{plain[0], 0, 0, "the game would refuse this level: " + report.refusal});
    uint32_t originX = 0, originY = 0;
    const std::string csv = ExportCsv(report, &originX, &originY);
    InputError error;
    if (!WriteFileAtomically(values[0], csv, &error))
        return InputFault(error);
    if (!values[1].empty()) {
        std::string bytes;
        if (!ReadWholeFile(plain[0], &bytes, &error))
            return InputFault(error);
        if (report.recordOffset > bytes.size())
            return InputFault(InputError{plain[0], 0, 0, "bfSize lies past the end of the file"});
        if (!WriteFileAtomically(values[1], bytes.substr(0, report.recordOffset), &error))
            return InputFault(error);
    }
    printf("wrote %s; build it again with --origin %u,%u\n", values[0].c_str(), originX, originY);
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
    } commands[] = {{"build", kBuildUsage, Build}, {"info", kInfoUsage, Info}, {"export", kExportUsage, Export}};
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
