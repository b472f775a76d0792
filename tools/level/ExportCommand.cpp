// flyer-level export: a level's map as CSV or as a Tiled map.
#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "CommandLine.h"
#include "Commands.h"
#include "LevelExport.h"
#include "LevelInspector.h"
#include "OutputFiles.h"
#include "PathNames.h"
#include "TiledMapWriter.h"
#include "TilesetFile.h"

namespace {

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

enum ExportOption { kTilesetOut = kFirstLongOnly };

const option kExportOptions[] = {{"tileset-out", required_argument, nullptr, kTilesetOut},
                                 {"help", no_argument, nullptr, kHelp},
                                 {nullptr, 0, nullptr, 0}};

// Whether two paths name one existing file.
bool SameFile(const std::string& a, const std::string& b)
{
    struct stat first, second;
    return stat(a.c_str(), &first) == 0 && stat(b.c_str(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
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

}  // namespace

int RunExport(int argc, char** argv)
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
