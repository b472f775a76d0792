// The web entry point. The page calls main with the level and the
// resolution, as the desktop's command line gives them. Start-up is the
// game's own; the frame loop hands each pass to the browser, one per
// animation frame, instead of looping, since the page must get control
// back between frames.
#include <SDL.h>
#include <emscripten.h>

#include <cstdint>

#include "app/FrameClock.h"
#include "app/FrameLoop.h"
#include "app/GameState.h"
#include "app/StartUp.h"

namespace {

uint32_t previousTicks = 0;
uint32_t currentTicks = 0;

EM_JS(void, TellPageFrameDrawn, (), {
    if (Module["onFrame"])
        Module["onFrame"]();
});

void RunPass()
{
    if (g_Quit) {
        emscripten_cancel_main_loop();
        // The desktop loop's own ending: with g_Quit set it runs no pass and
        // goes straight to its GL error check, then Quit(0) or status 1.
        emscripten_force_exit(RunFrameLoop());
    }
    previousTicks = currentTicks;
    currentTicks = SDL_GetTicks();
    RunFrame(ElapsedMs(previousTicks, currentTicks));
    TellPageFrameDrawn();
}

}  // namespace

int main(int argc, char** argv)
{
    StartUp(argc, argv);
    emscripten_set_main_loop(RunPass, 0, 1);
    return 0;
}
