#include "FlyerRun.h"

#include <cstdlib>

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
