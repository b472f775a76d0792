// Preloaded into flyer by the end-to-end tests to make a run exact. Frame n
// (counted from 1 by SDL_GL_SwapBuffers) reads SDL_GetTicks as
// n * FLYER_TEST_STEP_MS, and its SDL_PollEvent hands out first the key
// events FLYER_TEST_KEYS ("frame key pressed;...", key an SDLKey number)
// has for it or before, then the real ones. Before the swap of frame
// FLYER_TEST_READY an empty file "ready" is made.
#include <SDL.h>
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>

namespace {

unsigned g_swaps = 0;

unsigned Setting(const char* name)
{
    const char* text = getenv(name);
    return text != nullptr ? static_cast<unsigned>(strtoul(text, nullptr, 10)) : 0;
}

template <typename Function>
Function Real(const char* name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" {

Uint32 SDL_GetTicks()
{
    return (g_swaps + 1) * Setting("FLYER_TEST_STEP_MS");
}

int SDL_PollEvent(SDL_Event* event)
{
    static const char* script = getenv("FLYER_TEST_KEYS");
    unsigned frame = 0;
    int key = 0, pressed = 0, length = 0;
    if (script != nullptr && sscanf(script, "%u %d %d;%n", &frame, &key, &pressed, &length) == 3 &&
        length > 0 && frame <= g_swaps + 1) {
        script += length;
        *event = SDL_Event();
        event->type = pressed ? SDL_KEYDOWN : SDL_KEYUP;
        event->key.state = pressed ? SDL_PRESSED : SDL_RELEASED;
        event->key.keysym.sym = static_cast<SDLKey>(key);
        return 1;
    }
    static auto real = Real<int (*)(SDL_Event*)>("SDL_PollEvent");
    return real(event);
}

void SDL_GL_SwapBuffers()
{
    FILE* ready = ++g_swaps == Setting("FLYER_TEST_READY") ? fopen("ready", "w") : nullptr;
    if (ready != nullptr)
        fclose(ready);
    static auto real = Real<void (*)()>("SDL_GL_SwapBuffers");
    real();
}

}  // extern "C"
