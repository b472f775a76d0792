// flyer-level tiled-extension: makes the Tiled extension installed with
// flyer one of the user's Tiled extensions, by a symbolic link
// ${XDG_CONFIG_HOME:-~/.config}/tiled/extensions/flyer to its folder, found
// from this program's own folder (FLYER_TILED_FROM_BIN, set by the install
// rules).
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "CommandLine.h"
#include "Commands.h"

namespace fs = std::filesystem;

namespace {

const char kTiledExtensionUsage[] =
    "Usage: flyer-level tiled-extension\n"
    "Lets Tiled open, save and play flyer levels (.lvl): links\n"
    "${XDG_CONFIG_HOME:-~/.config}/tiled/extensions/flyer to the Tiled extension\n"
    "installed with flyer. Tiled loads it when it next starts. Nothing is\n"
    "replaced: something else of that name is left as it is and reported.\n";

const option kTiledExtensionOptions[] = {{"help", no_argument, nullptr, kHelp},
                                         {nullptr, 0, nullptr, 0}};

int Fail(const std::string& message)
{
    fprintf(stderr, "%s: %s\n", kProgram, message.c_str());
    return 1;
}

// The folder of Tiled's configuration, as Tiled finds it; "" when neither
// XDG_CONFIG_HOME (absolute) nor HOME is set.
std::string TiledConfigFolder()
{
    const char* config = getenv("XDG_CONFIG_HOME");
    if (config != nullptr && config[0] == '/')
        return std::string(config) + "/tiled";
    const char* home = getenv("HOME");
    return home != nullptr && home[0] != '\0' ? std::string(home) + "/.config/tiled" : "";
}

}  // namespace

int RunTiledExtension(int argc, char** argv)
{
    const Arguments arguments = ParseArguments(argc, argv, ":h", kTiledExtensionOptions);
    if (const std::optional<int> status = HelpOrOptionProblem(arguments, kTiledExtensionUsage))
        return *status;
    if (!arguments.plain.empty())
        return UsageError(kTiledExtensionUsage, "tiled-extension takes no arguments");
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    const fs::path extension =
        fs::weakly_canonical(program.parent_path() / FLYER_TILED_FROM_BIN, error);
    if (!fs::is_regular_file(extension / "flyer.js"))
        return Fail("no Tiled extension installed beside this program (" + extension.string() +
                    "); in a source tree, link dist/tiled instead");
    const std::string config = TiledConfigFolder();
    if (config.empty())
        return Fail("neither XDG_CONFIG_HOME nor HOME is set");
    const fs::path link = fs::path(config) / "extensions" / "flyer";
    const fs::file_status existing = fs::symlink_status(link, error);
    if (fs::exists(existing)) {
        if (fs::is_symlink(existing) && fs::read_symlink(link, error) == extension) {
            printf("%s already links to %s\n", link.c_str(), extension.c_str());
            return 0;
        }
        return Fail(link.string() + " is in the way; move it elsewhere and run this again");
    }
    fs::create_directories(link.parent_path(), error);
    if (error)
        return Fail(link.parent_path().string() + ": " + error.message());
    fs::create_directory_symlink(extension, link, error);
    if (error)
        return Fail(link.string() + ": " + error.message());
    printf("linked %s to %s; Tiled loads it when it next starts\n", link.c_str(),
           extension.c_str());
    return 0;
}
