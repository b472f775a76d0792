#include "FlyerRun.h"

std::unique_ptr<Subprocess> StartFlyer(const FlyerSetup& setup,
                                       const std::vector<std::string>& args)
{
    std::vector<std::string> argv{FLYER_BINARY};
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
         {"FLYER_TEST_STEP_MS", "20"},
         {"FLYER_TEST_KEYS", keys},
         {"FLYER_TEST_READY", std::to_string(setup.readyFrame)}});
    return std::make_unique<Subprocess>(argv, options);
}
