// flyer-level: builds level files from a tileset and a map, and inspects
// and exports them.
#include <cstdio>
#include <new>
#include <string>

#include "CommandLine.h"
#include "Commands.h"

namespace {

const char kUsage[] =
    "Usage: flyer-level <command> [options]\n"
    "Builds, inspects and exports level files for flyer.\n"
    "\n"
    "Commands:\n"
    "  build    make a level from a tileset and a map\n"
    "  info     report what a level holds and whether the game loads it\n"
    "  export   write a level's map as CSV or as a Tiled map\n"
    "  render   draw a level's map as a PNG picture\n"
    "  tiled-extension\n"
    "           let Tiled open, save and play levels (once per user)\n"
    "\n"
    "Run 'flyer-level <command> --help' for the options of a command,\n"
    "'flyer-level --version' for the version.\n";

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
    } commands[] = {{"build", RunBuild},
                    {"info", RunInfo},
                    {"export", RunExport},
                    {"render", RunRender},
                    {"tiled-extension", RunTiledExtension}};
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
