// flyer-level render: a level's map as a PNG picture.
#include <cstdio>
#include <string>

#include "CommandLine.h"
#include "Commands.h"
#include "LevelInspector.h"
#include "LevelPicture.h"
#include "OutputFiles.h"
#include "TilesetFile.h"

namespace {

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

enum RenderOption { kScale = kFirstLongOnly, kWhole };

const option kRenderOptions[] = {{"scale", required_argument, nullptr, kScale},
                                 {"whole", no_argument, nullptr, kWhole},
                                 {"help", no_argument, nullptr, kHelp},
                                 {nullptr, 0, nullptr, 0}};

}  // namespace

int RunRender(int argc, char** argv)
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
