// Preloaded into flyer by the end-to-end tests: makes a run exact. Frame n
// (counted from 1 by SDL_GL_SwapBuffers) reads SDL_GetTicks as
// n * FLYER_TEST_STEP_MS, and its SDL_PollEvent hands out first the key
// events that FLYER_TEST_KEYS ("frame key pressed;...", key an SDLKey
// number) schedules for it or earlier, then the real ones. Before the swap
// of frame FLYER_TEST_GL_ERROR the GL error flag is raised. Each
// SDL_Quit adds "SDL_Quit <frames swapped>" to the file FLYER_TEST_LOG.
#include <GL/gl.h>
#include <SDL.h>
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

struct Key {
    unsigned frame;
    int key;
    int pressed;
};

unsigned g_swaps = 0;

unsigned Setting(const char* name)
{
    const char* text = getenv(name);
    return text != nullptr ? static_cast<unsigned>(strtoul(text, nullptr, 10)) : 0;
}

std::vector<Key>& Script()
{
    static std::vector<Key> keys;
    static bool read = false;
    if (!read) {
        read = true;
        const char* text = getenv("FLYER_TEST_KEYS");
        Key key;
        int used = 0;
        for (; text != nullptr && sscanf(text, "%u %d %d%n", &key.frame, &key.key, &key.pressed, &used) == 3;
             text += used + strspn(text + used, "; "))
            keys.push_back(key);
    }
    return keys;
}

template <typename Function>
Function Next(const char* name)
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
    static size_t next = 0;
    const std::vector<Key>& keys = Script();
    if (next < keys.size() && keys[next].frame <= g_swaps + 1) {
        const Key& key = keys[next++];
        *event = SDL_Event();
        event->type = key.pressed ? SDL_KEYDOWN : SDL_KEYUP;
        event->key.state = key.pressed ? SDL_PRESSED : SDL_RELEASED;
        event->key.keysym.sym = static_cast<SDLKey>(key.key);
        return 1;
    }
    static auto real = Next<int (*)(SDL_Event*)>("SDL_PollEvent");
    return real(event);
}

void SDL_GL_SwapBuffers()
{
    if (++g_swaps == Setting("FLYER_TEST_GL_ERROR"))
        glEnable(0);
    static auto real = Next<void (*)()>("SDL_GL_SwapBuffers");
    real();
}

void SDL_Quit()
{
    if (const char* path = getenv("FLYER_TEST_LOG")) {
        if (FILE* log = fopen(path, "a")) {
            fprintf(log, "SDL_Quit %u\n", g_swaps);
            fclose(log);
        }
    }
    static auto real = Next<void (*)()>("SDL_Quit");
    real();
}

}  // extern "C"
