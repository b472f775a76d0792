#include "FlyerRun.h"

#include <cmath>
#include <cstdlib>
#include <sstream>

std::unique_ptr<Subprocess> StartFlyer(const FlyerSetup& setup,
                                       const std::vector<std::string>& args)
{
    std::vector<std::string> argv{FLYER_BINARY};
    if (!setup.trace.empty())
        argv.insert(argv.begin(), {"apitrace", "trace", "--api", "gl", "--output", setup.trace});
    argv.insert(argv.end(), args.begin(), args.end());
    std::string keys;
    for (const ScriptedKey& key : setup.keys)
        keys += std::to_string(key.frame) + " " + std::to_string(key.key) +
                (key.pressed ? " 1;" : " 0;");
    Subprocess::Options options{setup.directory, setup.environment};
    options.environment.insert(
        {{"DISPLAY", setup.display},
         {"LD_PRELOAD", FLYER_TEST_SHIM},
         {"LD_LIBRARY_PATH", CompatSdl() ? getenv("FLYER_TEST_SDL_DIR") : ""},
         {"FLYER_TEST_STEP_MS", std::to_string(setup.stepMs)},
         {"FLYER_TEST_KEYS", keys},
         {"FLYER_TEST_READY", std::to_string(setup.readyFrame)},
         {"FLYER_TEST_LOG", setup.directory.empty() ? "" : setup.directory + "/sdl-quit.log"}});
    return std::make_unique<Subprocess>(argv, options);
}

double GlCall::Arg(const std::string& argName) const
{
    const size_t at = (", " + args).find(", " + argName + " = ");
    return at == std::string::npos ? NAN
                                   : std::strtod(args.c_str() + at + argName.size() + 3, nullptr);
}

std::vector<std::vector<GlCall>> DumpTrace(const std::string& tracePath, const std::string& options)
{
    const CommandResult dump =
        RunCommand({"apitrace", "dump", "--color=never", options, tracePath}, {}, 300);
    std::vector<std::vector<GlCall>> frames(1);
    std::istringstream lines(dump.out);
    for (std::string line; std::getline(lines, line);) {
        // "<number> <name>(<args>)", perhaps followed by " = <result>".
        const size_t space = line.find(' '), open = line.find('('), close = line.rfind(')');
        if (line.empty() || !isdigit(line[0]) || space > open || open == std::string::npos ||
            close == std::string::npos)
            continue;
        frames.back().push_back(GlCall{line.substr(space + 1, open - space - 1),
                                       line.substr(open + 1, close - open - 1)});
        if (frames.back().back().name == "glXSwapBuffers")
            frames.emplace_back();
    }
    return frames;
}
