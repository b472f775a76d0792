// The real flyer binary as the end-to-end tests run it: with the shim of
// ScriptedSdl.cpp preloaded, on the classic SDL 1.2 or, when ctest sets
// FLYER_TEST_SDL_DIR to its folder, on sdl12-compat.
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
    std::string display;    // none when empty
    std::string directory;  // the working folder; it gets the file "ready"
    std::vector<ScriptedKey> keys{};
    unsigned readyFrame = 0;  // an empty file "ready" is made before this frame's swap
    std::map<std::string, std::string> environment{};
};

// Frames step the clock by 20 ms.
std::unique_ptr<Subprocess> StartFlyer(const FlyerSetup& setup,
                                       const std::vector<std::string>& args);
// Whether the runs use sdl12-compat.
inline bool CompatSdl()
{
    return getenv("FLYER_TEST_SDL_DIR") != nullptr;
}
