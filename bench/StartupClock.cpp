// A preloaded clock of start-up, for where the time to the first frame
// goes:
//   LD_PRELOAD=libflyer-startup-clock.so STARTUP_CLOCK_REPORT=out.txt
//   GAME_EXEC_TIME=$EPOCHREALTIME program …
// It notes the milliseconds since the exec (GAME_EXEC_TIME, the wall-clock
// time just before it) and the process's minor page faults at: its own
// load (the libraries are mapped and relocated), the entry of main (the
// program's static constructors have run), the returns of SDL_Init and
// SDL_SetVideoMode, each SDL_RWFromFile and fopen (with the path; not the
// system's own files under /usr, such as X's locale tables), the
// first glTexImage2D, the first glClear (with the number of textures
// uploaded before it) and the return of the first SDL_GL_SwapBuffers, when
// it writes the report: one line an event, "ms faults event detail".
#include <SDL.h>
#include <GL/gl.h>
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>
#include <time.h>

namespace {

struct Event {
    double ms;
    long faults;
    const char* name;
    char detail[80];
};

constexpr int kMaxEvents = 64;
Event g_events[kMaxEvents];
int g_eventCount = 0;
double g_exec = 0;
int g_uploads = 0;
bool g_cleared = false;
bool g_swapped = false;

template <typename F>
F Next(const char* name)
{
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

void Note(const char* name, const char* detail = "")
{
    if (g_eventCount == kMaxEvents)
        return;
    timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    Event& event = g_events[g_eventCount++];
    event.ms = (static_cast<double>(now.tv_sec) + now.tv_nsec / 1e9 - g_exec) * 1000;
    event.faults = usage.ru_minflt;
    event.name = name;
    snprintf(event.detail, sizeof event.detail, "%s", detail);
}

void Report()
{
    const char* path = getenv("STARTUP_CLOCK_REPORT");
    FILE* out =
        path != nullptr ? Next<FILE* (*)(const char*, const char*)>("fopen")(path, "w") : nullptr;
    if (out == nullptr)
        return;
    for (int i = 0; i < g_eventCount; ++i)
        fprintf(out, "%.2f %ld %s %s\n", g_events[i].ms, g_events[i].faults, g_events[i].name,
                g_events[i].detail);
    fclose(out);
}

using Main = int (*)(int, char**, char**);
Main g_main = nullptr;

int TimedMain(int argc, char** argv, char** environment)
{
    Note("main");
    return g_main(argc, argv, environment);
}

__attribute__((constructor)) void Start()
{
    if (const char* exec = getenv("GAME_EXEC_TIME"))
        g_exec = strtod(exec, nullptr);
    Note("loaded");
}

}  // namespace

extern "C" {

int __libc_start_main(Main main, int argc, char** argv, void (*init)(), void (*fini)(),
                      void (*rtldFini)(), void* stackEnd)
{
    using Start = int (*)(Main, int, char**, void (*)(), void (*)(), void (*)(), void*);
    g_main = main;
    return Next<Start>("__libc_start_main")(TimedMain, argc, argv, init, fini, rtldFini, stackEnd);
}

int SDL_Init(Uint32 flags)
{
    const int result = Next<int (*)(Uint32)>("SDL_Init")(flags);
    Note("SDL_Init");
    return result;
}

SDL_Surface* SDL_SetVideoMode(int width, int height, int bitsPerPixel, Uint32 flags)
{
    SDL_Surface* result = Next<SDL_Surface* (*)(int, int, int, Uint32)>("SDL_SetVideoMode")(
        width, height, bitsPerPixel, flags);
    Note("SDL_SetVideoMode");
    return result;
}

SDL_RWops* SDL_RWFromFile(const char* path, const char* mode)
{
    Note("SDL_RWFromFile", path);
    return Next<SDL_RWops* (*)(const char*, const char*)>("SDL_RWFromFile")(path, mode);
}

FILE* fopen(const char* path, const char* mode)
{
    if (!g_swapped && strncmp(path, "/usr/", 5) != 0)
        Note("fopen", path);
    return Next<FILE* (*)(const char*, const char*)>("fopen")(path, mode);
}

void glTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                  GLint border, GLenum format, GLenum type, const void* pixels)
{
    if (g_uploads++ == 0)
        Note("glTexImage2D", "the first");
    using Upload =
        void (*)(GLenum, GLint, GLint, GLsizei, GLsizei, GLint, GLenum, GLenum, const void*);
    Next<Upload>("glTexImage2D")(target, level, internalFormat, width, height, border, format, type,
                                 pixels);
}

void glClear(GLbitfield mask)
{
    if (!g_cleared) {
        g_cleared = true;
        char uploads[32];
        snprintf(uploads, sizeof uploads, "after %d uploads", g_uploads);
        Note("glClear", uploads);
    }
    static auto next = Next<void (*)(GLbitfield)>("glClear");
    next(mask);
}

void SDL_GL_SwapBuffers()
{
    static auto next = Next<void (*)()>("SDL_GL_SwapBuffers");
    next();
    if (!g_swapped) {
        g_swapped = true;
        Note("SDL_GL_SwapBuffers");
        Report();
    }
}

}  // extern "C"
