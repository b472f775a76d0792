// flyer-level info: what a level holds and whether the game loads it.
#include <cstdio>
#include <string>

#include "CommandLine.h"
#include "Commands.h"
#include "LevelInspector.h"

namespace {

const char kInfoUsage[] =
    "Usage: flyer-level info L.lvl\n"
    "Reads a level as the game does and reports its tileset, its records, the\n"
    "records skipped and why, the cells used and a histogram of tiles.\n"
    "Exits with status 1 when the game would refuse the level. Levels of any\n"
    "length are read record by record.\n";

const option kInfoOptions[] = {{"help", no_argument, nullptr, kHelp}, {nullptr, 0, nullptr, 0}};

}  // namespace

int RunInfo(int argc, char** argv)
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
