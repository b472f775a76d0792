#include "FlyerRun.h"

#include <cmath>
#include <cstdlib>
#include <regex>
#include <sstream>

std::unique_ptr<Subprocess> StartFlyer(const FlyerSetup& setup, const std::vector<std::string>& args)
{
    std::vector<std::string> argv{FlyerBinary()};
    if (!setup.trace.empty())
        argv.insert(argv.begin(), {"apitrace", "trace", "--api", "gl", "--output", setup.trace});
    argv.insert(argv.end(), args.begin(), args.end());
    std::string keys;
    for (const ScriptedKey& key : setup.keys)
        keys += std::to_string(key.frame) + " " + std::to_string(key.key) + (key.pressed ? " 1;" : " 0;");
    Subprocess::Options options{setup.directory, setup.environment};
    options.environment.insert({{"DISPLAY", setup.display}, {"LD_PRELOAD", FLYER_TEST_SHIM},
                                {"LD_LIBRARY_PATH", CompatSdl() ? getenv("FLYER_TEST_SDL_DIR") : ""},
                                {"FLYER_TEST_STEP_MS", std::to_string(setup.stepMs)}, {"FLYER_TEST_KEYS", keys},
                                {"FLYER_TEST_GL_ERROR", std::to_string(setup.glErrorFrame)},
                                {"FLYER_TEST_SHOT", std::to_string(setup.shotFrame)},
                                {"FLYER_TEST_LOG", setup.directory.empty() ? "" : setup.directory + "/sdl-quit.log"}});
    return std::make_unique<Subprocess>(argv, options);
}

bool CompatSdl()
{
    return getenv("FLYER_TEST_SDL_DIR") != nullptr;
}

std::string FlyerBinary()
{
    return FLYER_BINARY;
}

std::string DataDirectory()
{
    return FLYER_DATA_DIR;
}

double GlCall::Arg(const std::string& argName) const
{
    const size_t at = (", " + args).find(", " + argName + " = ");
    return at == std::string::npos ? NAN : std::strtod(args.c_str() + at + argName.size() + 3, nullptr);
}

std::vector<std::vector<GlCall>> DumpTrace(const std::string& tracePath, const std::string& options)
{
    const CommandResult dump = RunCommand({"apitrace", "dump", "--color=never", options, tracePath}, {}, 300);
    std::vector<std::vector<GlCall>> frames(1);
    std::istringstream lines(dump.out);
    const std::regex call(R"(\d+ (\w+)\((.*)\)( = .*)?)");
    std::smatch match;
    for (std::string line; std::getline(lines, line);) {
        if (!std::regex_match(line, match, call))
            continue;
        frames.back().push_back(GlCall{match[1], match[2]});
        if (match[1] == "glXSwapBuffers")
            frames.emplace_back();
    }
    return frames;
}
