// The real flyer binary as the end-to-end tests run it: with the shim of
// ScriptedSdl.cpp preloaded, optionally under apitrace, on the classic
// SDL 1.2 or, when ctest sets FLYER_TEST_SDL_DIR to its folder, on
// sdl12-compat; and what apitrace recorded of it.
#pragma once

#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Subprocess.h"
#include "XvfbServer.h"

struct ScriptedKey {
    unsigned frame;  // from 1
    int key;         // SDLKey
    bool pressed;
};

struct FlyerSetup {
    FlyerSetup(std::string display = "", std::string directory = "",
               std::vector<ScriptedKey> keys = {}, std::string trace = "")
        : display(display), directory(directory), keys(keys), trace(trace)
    {
    }

    std::string display;    // none when empty
    std::string directory;  // the working folder; it gets sdl-quit.log and ready
    std::vector<ScriptedKey> keys;
    std::string trace;  // when set, apitrace records the run there
    unsigned stepMs = 20;
    unsigned readyFrame = 0;  // an empty file "ready" is made before this frame's swap
    std::map<std::string, std::string> environment;
};

// One call as `apitrace dump` prints it; args are "name = value, ...".
struct GlCall {
    std::string name;
    std::string args;

    double Arg(const std::string& argName) const;
};

// The calls that `apitrace dump` gives with the options (for example
// "--grep=^glTranslatef$|Swap"), cut into frames after every
// glXSwapBuffers; the last entry holds the calls after the last swap.
// apitrace prints floats with 7 significant digits.
std::vector<std::vector<GlCall>> DumpTrace(const std::string& tracePath,
                                           const std::string& options);

std::unique_ptr<Subprocess> StartFlyer(const FlyerSetup& setup,
                                       const std::vector<std::string>& args);
// Whether the runs use sdl12-compat.
inline bool CompatSdl()
{
    return getenv("FLYER_TEST_SDL_DIR") != nullptr;
}
