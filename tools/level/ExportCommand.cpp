// flyer-level export: a level's map as CSV or as a Tiled map.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

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
    "       flyer-level export L.lvl -o M.tmx [--embed-tileset] [--tileset-image T.bmp]\n"
    "Writes the used part of a level's map, from which 'flyer-level build' makes\n"
    "the same level again: a Tiled map holds its origin in its property origin;\n"
    "for CSV, the origin to give build's --origin is printed.\n"
    "\n"
    "  -o M.csv              the map as CSV\n"
    "  -o M.tmx              the map for Tiled, with its tileset M.tsx and the\n"
    "                        level's tileset bitmap M.bmp beside it\n"
    "  --tileset-out T.bmp   with CSV, also write the level's tileset bitmap (the\n"
    "                        first bfSize bytes), which must be a tileset as build\n"
    "                        takes it\n"
    "  --embed-tileset       with .tmx, the tileset inside the map, no M.tsx: Tiled\n"
    "                        opens the map as it is\n"
    "  --tileset-image T.bmp with .tmx, the tileset's image is T.bmp, not M.bmp:\n"
    "                        written when missing, else it must hold the same bytes\n"
    "All the files are written or none, as -o of build is written.\n";

enum ExportOption { kTilesetOut = kFirstLongOnly, kEmbedTileset, kTilesetImage };

const option kExportOptions[] = {{"tileset-out", required_argument, nullptr, kTilesetOut},
                                 {"embed-tileset", no_argument, nullptr, kEmbedTileset},
                                 {"tileset-image", required_argument, nullptr, kTilesetImage},
                                 {"help", no_argument, nullptr, kHelp},
                                 {nullptr, 0, nullptr, 0}};

// Whether two paths name one existing file.
bool SameFile(const std::string& a, const std::string& b)
{
    struct stat first, second;
    return stat(a.c_str(), &first) == 0 && stat(b.c_str(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

// Whether an image given with --tileset-image can stand for the level's
// bitmap: a missing one is to be written, an existing one holds its bytes.
bool CheckImage(const std::string& path, const std::string& bitmap, bool* missing,
                InputError* error)
{
    struct stat status;
    *missing = stat(path.c_str(), &status) != 0 && errno == ENOENT;
    if (*missing)
        return true;
    std::string bytes;
    if (!ReadFileStart(path, bitmap.size() + 1, &bytes, error))
        return false;
    if (bytes == bitmap)
        return true;
    *error = InputError{path, 0, 0,
                        "is in the way: it is not the level's tileset bitmap; move it or name "
                        "another --tileset-image"};
    return false;
}

int ExportTiled(const std::string& level, const LevelReport& report, const std::string& out,
                bool embed, const std::string& image)
{
    const std::string tsx = WithExtension(out, ".tsx");
    const std::string bmp = image.empty() ? WithExtension(out, ".bmp") : image;
    std::string bitmap;
    InputError error;
    bool writeBitmap = true;
    if (!ReadTilesetPart(level, report.recordOffset, &bitmap, &error) ||
        (!image.empty() && !CheckImage(image, bitmap, &writeBitmap, &error)))
        return InputFault(error);
    std::vector<std::string> written{out};
    if (!embed)
        written.push_back(tsx);
    if (writeBitmap)
        written.push_back(bmp);
    for (const std::string& path : written)
        if (SameFile(path, level))
            return InputFault(InputError{
                path, 0, 0, "would replace the level itself; export the map under another name"});
    uint32_t originX = 0, originY = 0;
    const std::string imageName = NameFrom(out, bmp);
    const std::string map =
        TmxForLevel(report, embed ? EmbeddedTileset(imageName) : TilesetFileEntry(BaseName(tsx)),
                    &originX, &originY);
    OutputFiles files;
    if ((writeBitmap && !files.Add(bmp, bitmap, &error)) ||
        (!embed && !files.Add(tsx, TsxForLevel(imageName), &error)) ||
        !files.Add(out, map, &error) || !files.Commit(&error))
        return InputFault(error);
    std::string list = written[0];
    for (size_t i = 1; i < written.size(); ++i)
        list += (i + 1 < written.size() ? ", " : " and ") + written[i];
    printf("wrote %s; build it again with --tileset %s\n", list.c_str(), bmp.c_str());
    return 0;
}

}  // namespace

int RunExport(int argc, char** argv)
{
    const Arguments arguments = ParseArguments(argc, argv, ":ho:", kExportOptions);
    if (const std::optional<int> status = HelpOrOptionProblem(arguments, kExportUsage))
        return *status;
    const std::string output = arguments.Value(kOutput), tilesetOut = arguments.Value(kTilesetOut);
    const std::string image = arguments.Value(kTilesetImage);
    if (arguments.plain.size() != 1 || output.empty() ||
        (arguments.Has(kTilesetOut) && tilesetOut.empty()) ||
        (arguments.Has(kTilesetImage) && image.empty()))
        return UsageError(kExportUsage, "export takes one level file and -o");
    if (HasExtension(output, ".tmj") || HasExtension(output, ".json"))
        return UsageError(kExportUsage,
                          "export writes Tiled maps as .tmx (Tiled saves them as .tmj too)");
    const bool tiled = HasExtension(output, ".tmx");
    if (tiled && arguments.Has(kTilesetOut))
        return UsageError(kExportUsage,
                          "a .tmx export writes its tileset bitmap beside the map, or as "
                          "--tileset-image; no --tileset-out");
    if (!tiled && (arguments.Has(kEmbedTileset) || arguments.Has(kTilesetImage)))
        return UsageError(kExportUsage, "--embed-tileset and --tileset-image are for a .tmx map");
    const std::string& path = arguments.plain[0];
    LevelReport report;
    InputError error;
    if (!InspectLoadable(path, &report, &error))
        return InputFault(error);
    if (tiled)
        return ExportTiled(path, report, output, arguments.Has(kEmbedTileset), image);
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
