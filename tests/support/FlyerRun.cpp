#include "FlyerRun.h"

#include <chrono>
#include <cstdlib>
#include <thread>

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

void Sleep(double seconds)
{
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

FlyerRun::FlyerRun(const FlyerSetup& setup, const std::vector<std::string>& args) : display_(setup.display)
{
    std::vector<std::string> argv{FlyerBinary()};
    if (!setup.trace.empty())
        argv.insert(argv.begin(), {"apitrace", "trace", "--api", "gl", "--output", setup.trace});
    argv.insert(argv.end(), args.begin(), args.end());
    std::string keys;
    for (const ScriptedKey& key : setup.keys)
        keys += std::to_string(key.frame) + " " + std::to_string(key.key) + " " + (key.pressed ? "1;" : "0;");
    Subprocess::Options options{setup.directory, setup.environment};
    options.environment.insert({{"DISPLAY", setup.display}, {"LD_PRELOAD", FLYER_TEST_SHIM},
                                {"FLYER_TEST_STEP_MS", std::to_string(setup.stepMs)}, {"FLYER_TEST_KEYS", keys},
                                {"FLYER_TEST_GL_ERROR", std::to_string(setup.glErrorFrame)},
                                {"FLYER_TEST_LOG", log_.File("quit")}});
    if (CompatSdl())
        options.environment["LD_LIBRARY_PATH"] = getenv("FLYER_TEST_SDL_DIR");
    process_.reset(new Subprocess(argv, options));
}

bool FlyerRun::WaitForFrames()
{
    // A new window is black; every frame of the game shows the clear
    // colour (0, 0, 13) at least.
    for (int i = 0; i < 300 && process_->Running(); ++i) {
        if (Screenshot(display_).rgb.find_first_not_of('\0') != std::string::npos)
            return true;
        Sleep(0.1);
    }
    return false;
}

void FlyerRun::Xdotool(const std::string& command)
{
    RunShell("xdotool " + command, display_);
}
